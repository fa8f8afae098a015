// The real `halvir` program, headless (the test main's offscreen video and
// dummy audio), on a resource folder the test makes. The run is ended by the
// provisional platform's exit request on frame N of the root task's frame
// step (HALVIR_EXIT_AFTER_FRAMES=N, game/core/apm_glue.h).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/game/core/test_resources.h"
#include "tests/support/temp_dir.h"

namespace {

struct ProgramRun {
    std::string err;
    int exitCode = -1;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

ProgramRun runGame(const TempDir& dir, int exitFrame) {
    const std::string command = "cd '" + dir.str() + "' && XDG_DATA_HOME='" + dir.str() +
                                "/xdg' HALVIR_EXIT_AFTER_FRAMES=" + std::to_string(exitFrame) + " timeout 300 '" +
                                HALVIR_PROGRAM + "' --data-directory='" + dir.str() + "' 2>stderr.txt >stdout.txt";
    ProgramRun run;
    const int status = std::system(command.c_str());
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.err = readFile(dir / "stderr.txt");
    return run;
}

TEST(HalvirProgramTest, BootsToTheFrameStepAndEndsCleanly) {
    TempDir dir;
    test_resources::write(dir);
    const ProgramRun run = runGame(dir, 1);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("exit requested by HALVIR_EXIT_AFTER_FRAMES at frame 1"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("workaroundPrefetchModule: dwCount="), std::string::npos);
}

TEST(HalvirProgramTest, TheBootResourcesBecomeReady) {
    TempDir dir;
    test_resources::write(dir);
    const ProgramRun run = runGame(dir, 240);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const size_t ready = run.err.find("boot resources ready");
    const size_t exit = run.err.find("exit requested by HALVIR_EXIT_AFTER_FRAMES at frame 240");
    ASSERT_NE(ready, std::string::npos) << run.err;
    ASSERT_NE(exit, std::string::npos) << run.err;
    EXPECT_LT(ready, exit);
}

TEST(HalvirProgramTest, AMissingResourceFolderIsNamedWithHowToBuildIt) {
    TempDir dir;
    const ProgramRun run = runGame(dir, 1);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("The resource folder " + dir.str() + "/resource is missing"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--target halvir_content"), std::string::npos);
    EXPECT_NE(readFile(dir / "Log.txt").find("--target halvir_content"), std::string::npos);
}

}  // namespace
