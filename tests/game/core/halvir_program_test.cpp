// The real `halvir` program, headless (the test main's offscreen video and
// dummy audio), on a resource folder the test makes. The run is ended by the
// stand-in cabinet's script: its error state from frame N of the root task's
// frame step (platform/arcade/README.md), which the game answers with its
// exit request; the cabinet's log says on which step.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/game/core/test_resources.h"
#include "tests/support/temp_dir.h"

namespace {

struct ProgramRun {
    std::string err;
    std::string cabinetLog;
    int exitCode = -1;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs the game on the folder's resources, started from the working folder
// (the folder itself when none is named).
ProgramRun runGame(const TempDir& dir, int exitFrame, const std::string& workingFolder = "") {
    dir.write("cabinet_script.txt", std::to_string(exitFrame) + " error on\n");
    const std::string at = "'" + dir.str() + "/";
    const std::string command = "cd '" + (workingFolder.empty() ? dir.str() : workingFolder) + "' && XDG_DATA_HOME=" +
                                at + "xdg' HALVIR_CABINET_SETTINGS=" + at + "no_cabinet.txt'" +
                                " HALVIR_CABINET_SCRIPT=" + at + "cabinet_script.txt' HALVIR_CABINET_LOG=" + at +
                                "cabinet_log.txt' timeout 300 '" + HALVIR_PROGRAM + "' --data-directory='" + dir.str() +
                                "' 2>" + at + "stderr.txt' >" + at + "stdout.txt'";
    ProgramRun run;
    const int status = std::system(command.c_str());
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.err = readFile(dir / "stderr.txt");
    run.cabinetLog = readFile(dir / "cabinet_log.txt");
    return run;
}

constexpr const char* kExitLine = "platform exit request passed to the engine";

TEST(HalvirProgramTest, BootsToTheFrameStepAndEndsCleanly) {
    TempDir dir;
    test_resources::write(dir);
    const ProgramRun run = runGame(dir, 1);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find(kExitLine), std::string::npos) << run.err;
    // One exit request, on the first frame; the shutdown asks no second one.
    EXPECT_EQ(run.cabinetLog, "1 exit-game 0\n");
    // The start-up prefetch's trace is asked for by name, not written every start.
    EXPECT_EQ(run.err.find("workaroundPrefetchModule: dwCount="), std::string::npos) << run.err;
    // The cabinet's application root is made for the player's files; the
    // small folder has no default "config.txt", which the log names.
    EXPECT_TRUE(std::filesystem::is_directory(dir / "xdg/halvir"));
    EXPECT_NE(readFile(dir / "xdg/halvir/Log.txt").find("resource/data/config.txt"), std::string::npos);
}

TEST(HalvirProgramTest, TheBootResourcesBecomeReady) {
    TempDir dir;
    test_resources::write(dir);
    const ProgramRun run = runGame(dir, 240);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const size_t ready = run.err.find("boot resources ready");
    const size_t exit = run.err.find(kExitLine);
    ASSERT_NE(ready, std::string::npos) << run.err;
    ASSERT_NE(exit, std::string::npos) << run.err;
    EXPECT_LT(ready, exit);
    EXPECT_EQ(run.cabinetLog, "240 exit-game 0\n");
}

TEST(HalvirProgramTest, AMissingResourceFolderIsNamedWithHowToBuildIt) {
    TempDir dir;
    const ProgramRun run = runGame(dir, 1);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("The resource folder " + dir.str() + "/resource is missing"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--target halvir_content"), std::string::npos);
    EXPECT_NE(readFile(dir / "xdg/halvir/Log.txt").find("--target halvir_content"), std::string::npos);
}

// Started from another folder, the game finds its volume texts through its
// resource folder (an effect's level above 128 is logged, so the text was
// read), keeps its log and the engine's backup folder in the application
// root, and writes nothing where it was started.
TEST(HalvirProgramTest, StartedFromAnotherFolderItFindsItsFilesAndWritesNothingThere) {
    TempDir dir;
    test_resources::write(dir);
    dir.write("resource/sound_duz3/master_volume.txt", "VANTORLIB_SE=128\nVANTORLIB_SE_dB=60\n");
    dir.write("resource/sound_duz3/chunk/se_volume.txt", "ok=100\n");
    std::filesystem::create_directories(dir / "elsewhere");
    const ProgramRun run = runGame(dir, 300, dir / "elsewhere");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir / "elsewhere"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "xdg/halvir/winbackup"));
    const std::string log = readFile(dir / "xdg/halvir/Log.txt");
    EXPECT_NE(log.find("SDL2_wheel_SoundSetVolumeBank = 199, bank = 0,"), std::string::npos) << log.substr(0, 2000);
    EXPECT_EQ(log.find("Not Find File = resource/"), std::string::npos) << log.substr(0, 2000);
}

}  // namespace
