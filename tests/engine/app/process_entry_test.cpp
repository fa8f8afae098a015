// The process entry: a test program with the engine's main run end to end on
// a folder of data files, and the start-up and shutdown order in-process.
#include "engine/app/process_entry.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/app/win_app.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/open_file_cache.h"
#include "engine/data/search_directories.h"
#include "engine/data/seed_generator.h"
#include "engine/input/input_system.h"
#include "engine/render/display.h"
#include "engine/task/looper.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tools/psbwriter/data_container.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

std::string asText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::vector<uint8_t> document(int value) { return psbwriter::writePsb(psbwriter::Object{{"value", value}}); }

struct ProgramRun {
    std::string out;
    int exitCode = -1;
};

// launcher: what the program is started through ("env ...").
ProgramRun runProgram(const std::string& directory, const std::string& arguments, const std::string& launcher = "") {
    const std::string command = "cd '" + directory + "' && XDG_DATA_HOME='" + directory + "/xdg' " + launcher + "'" +
                                ENTRY_TEST_PROGRAM + "' " + arguments + " 2>stderr.txt";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[256];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, got);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}

TEST(ProcessEntry, TheProgramRunsAppMainWithTheRestOfTheArgumentsAndReadsItsData) {
    TempDir dir;
    const auto key = psbwriter::ContainerKey{};
    dir.write("data/resource/font/font16.psb.m", asText(psbwriter::packContainer(document(16), key, "font16.psb.m")));
    dir.write("data/plain.psb", asText(document(7)));
    auto corrupt = psbwriter::packContainer(document(3), key, "corrupt.psb.m");
    corrupt.resize(corrupt.size() - 6);
    dir.write("data/corrupt.psb.m", asText(corrupt));
    dir.write("data/both.psb", asText(document(1)));
    dir.write("run/web/both.psb", asText(document(2)));

    const ProgramRun run = runProgram(dir / "run",
                               "--data-directory=" + dir / "data" +
                                   " -f --window-size=64,48 --screen-size=64,48 --use-depth-stencil=0 --log-to-file=log.txt"
                                   " resource/font/font16.psb.m+ plain.psb missing.psb corrupt.psb.m+"
                                   " --web-directory=web both.psb -t");
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_EQ(run.out, "window 64 48, depth stencil 0\n"
                       "argc 8\n"
                       "arg " ENTRY_TEST_PROGRAM "\n"
                       "arg -f\n"
                       "arg resource/font/font16.psb.m+\n"
                       "arg plain.psb\n"
                       "arg missing.psb\n"
                       "arg corrupt.psb.m+\n"
                       "arg both.psb\n"
                       "arg -t\n"
                       "read resource/font/font16.psb.m 1 16\n"
                       "read plain.psb 1 7\n"
                       "read missing.psb 2 -1\n"
                       "read corrupt.psb.m 4 -1\n"
                       "read both.psb 1 2\n");
    std::ifstream errors(dir / "run/stderr.txt");
    const std::string trace((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_NE(trace.find("MDiskFileReadTask::ReadRequest(): cannot find file [missing.psb].\n"), std::string::npos)
        << trace;
}

// With no display SDL would fall back on its offscreen driver; only asked
// for by name does the game run there.
TEST(ProcessEntry, WithNoDisplayTheProgramEndsSayingSoBeforeAppMain) {
    TempDir dir;
    std::filesystem::create_directories(dir / "run");
    const ProgramRun run = runProgram(dir / "run", "--window-size=64,48 -t");
    EXPECT_NE(run.out, "");  // offscreen asked for by the tests' environment
    const ProgramRun blind = runProgram(dir / "run", "--window-size=64,48 -t", "env -u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY ");
    EXPECT_EQ(blind.exitCode, 1);
    EXPECT_EQ(blind.out, "");
    std::ifstream errors(dir / "run/stderr.txt");
    const std::string said((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("No display could be opened"), std::string::npos) << said;
}

// Shutdown in-process: every logged destructor notes which singletons are
// still alive when it runs.
std::vector<std::string> shutdownLog;

// AppMain leaves the test program open in the open-file cache, as a keep-open
// archive read would leave its data file.
std::string aliveAt(const std::string& name) {
    return name + ": file kept " + std::to_string(isFileCached(ENTRY_TEST_PROGRAM)) +
           ", seed " + std::to_string(getSeedGenerator() != nullptr) + ", pad poll " +
           std::to_string(padPollThreadRunning()) + ", display " + std::to_string(MDisplay::getInstance() != nullptr) +
           ", app " + std::to_string(MWinApp::getInstance() != nullptr) +
           ", looper " + std::to_string(MLooper::getInstance() != nullptr);
}

class LoggedTask : public MTask {
public:
    explicit LoggedTask(std::string name) : name_(std::move(name)) {}
    ~LoggedTask() override { shutdownLog.push_back(aliveAt(name_)); }
    // As the application task: one frame, then it stops running without finishing.
    void update() override { suspend(); }

private:
    std::string name_;
};

class LoggedWinApp : public MWinApp {
public:
    LoggedWinApp() : MWinApp(MWinAppOptions{}) {}
    ~LoggedWinApp() override { shutdownLog.push_back(aliveAt("application object")); }
};

std::vector<std::string> appMainArguments;

int loggingAppMain(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) appMainArguments.emplace_back(argv[i]);
    keepCachedFile(ENTRY_TEST_PROGRAM, platform::openFileForReading(ENTRY_TEST_PROGRAM));
    const MDisplay* display = MDisplay::getInstance();
    const MRectF& extents = display->viewExtents();
    EXPECT_EQ(display->safeRect(), (MRectF{extents.left * 0.5f, extents.top * 0.25f, extents.right * 0.5f,
                                           extents.bottom * 0.25f}));
    EXPECT_EQ(winAppSettings().displayAdapter, 0);  // -1 leaves the configured adapter
    shutdownLog.push_back(aliveAt("AppMain"));
    MLooper* looper = MLooper::getInstance();
    looper->getEndOfFrameSet().add(new LoggedTask("looper's task"));
    looper->run(new LoggedTask("application task"));
    return 3;
}

TEST(ProcessEntry, SingletonsComeUpBeforeAppMainAndGoInOrder) {
    TempDir dir;
    ScopedEnv env;
    env.set("XDG_DATA_HOME", dir / "data");
    dir.write("bin/halvir.txt", "VISIBLE = 0\nWINDOW_W = 64\nWINDOW_H = 48\nSAFE_SCREEN_RATIO_X = 0.5\nSAFE_SCREEN_RATIO_Y = 0.25\n");
    MWinAppHost host;
    host.currentDirectory = dir / "run";
    host.executablePath = dir / "bin/halvir";
    std::filesystem::create_directories(host.currentDirectory);
    (new LoggedWinApp)->initWinApp(host);

    std::string args[] = {"/bin/halvir", "-f", "--window-size=640,480", "-t", "--display-adapter-id=-1"};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), args[4].data(), nullptr};
    EXPECT_EQ(runProcessEntry(5, argv, loggingAppMain), 3);

    EXPECT_EQ(appMainArguments, (std::vector<std::string>{"/bin/halvir", "-f", "-t"}));
    EXPECT_EQ(shutdownLog, (std::vector<std::string>{
                               "AppMain: file kept 1, seed 1, pad poll 1, display 1, app 1, looper 1",
                               "application task: file kept 1, seed 1, pad poll 1, display 1, app 1, looper 1",
                               "application object: file kept 0, seed 0, pad poll 0, display 0, app 1, looper 1",
                               "looper's task: file kept 0, seed 0, pad poll 0, display 0, app 0, looper 0",
                           }));
    EXPECT_EQ(MWinApp::getInstance(), nullptr);
    EXPECT_EQ(MLooper::getInstance(), nullptr);
    EXPECT_TRUE(searchDirectories().empty());
    winAppSettings() = MWinAppSettings{};
    M_SPEC.clear();
}

}  // namespace
