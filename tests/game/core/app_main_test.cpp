// AppMain in this process: a platform that does not start (a cabinet whose
// keychip id the game-server client refuses) leaves one line in the
// application root's "Log.txt" and returns 0 before anything of the game
// exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "engine/app/app_main.h"
#include "game/core/apm_glue.h"
#include "platform/arcade/cabinet.h"
#include "tests/support/temp_dir.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(AppMainTest, AFailedPlatformStartLogsOneLineAndReturnsZero) {
    TempDir dir;
    dir.write("root/Log.txt", "earlier line\n");
    arcade::CabinetSettings settings;
    settings.keychipId = "";
    settings.appRoot = dir.str() + "/root/";
    auto cabinet = std::make_unique<arcade::Cabinet>(settings);
    cabinet->liveControls = false;
    arcade::Cabinet* cab = cabinet.get();
    arcade::installCabinet(std::move(cabinet));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.str());
    char program[] = "halvir";
    char tool[] = "-t";
    char* argv[] = {program, tool, nullptr};
    const int result = AppMain(2, argv);
    std::filesystem::current_path(previous);

    EXPECT_EQ(result, 0);
    // The log is the application root's, and nothing is written where the
    // program was started.
    EXPECT_EQ(readFile(dir / "root/Log.txt"), "earlier line\nSDL2_wheel_APMInitAfterFramework() == false\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "Log.txt"));
    EXPECT_EQ(cab->stepCount(), 0);  // the one start-up step, no frame
    EXPECT_TRUE(cab->exitGameCalls.empty());
    SDL2_wheel_APMTerminate();  // what the process's end would leave
    arcade::installCabinet(nullptr);
}

}  // namespace
