// AppMain in this process: a platform that does not start leaves one line in
// "Log.txt" and returns 0 before anything of the game exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/app/app_main.h"
#include "game/core/apm_glue.h"
#include "game/core/game_task.h"
#include "tests/support/temp_dir.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(AppMainTest, AFailedPlatformStartLogsOneLineAndReturnsZero) {
    TempDir dir;
    dir.write("Log.txt", "earlier line\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.str());
    setProvisionalPlatformStart(false);
    char program[] = "halvir";
    char tool[] = "-t";
    char* argv[] = {program, tool, nullptr};
    const int result = AppMain(2, argv);
    setProvisionalPlatformStart(true);
    std::filesystem::current_path(previous);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(readFile(dir / "Log.txt"), "earlier line\nSDL2_wheel_APMInitAfterFramework() == false\n");
}

}  // namespace
