// The `halvir` program from start to its first root-task frame step, and the
// peak resident memory of a run of idle frames. Runs on the generated
// resource folder when it has been built, else on the small test folder.
// Run a Release build by hand: game_core_boot_benchmark.
//
// Each run is a whole process: the time includes the engine's start-up and
// shutdown, so it bounds the boot from above.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/game/core/test_resources.h"
#include "tests/support/temp_dir.h"

namespace {

struct Child {
    double seconds = 0.0;
    long peakKilobytes = 0;
    int exitCode = -1;
};

Child runGame(const std::string& gameFolder, const std::string& workFolder, int exitFrame) {
    const std::string dataOption = "--data-directory=" + gameFolder;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(workFolder.c_str()) != 0) _exit(127);
        setenv("HALVIR_EXIT_AFTER_FRAMES", std::to_string(exitFrame).c_str(), 1);
        setenv("XDG_DATA_HOME", (workFolder + "/xdg").c_str(), 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        execl(HALVIR_PROGRAM, HALVIR_PROGRAM, dataOption.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Child child;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    child.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    child.peakKilobytes = usage.ru_maxrss;
    if (WIFEXITED(status)) child.exitCode = WEXITSTATUS(status);
    return child;
}

class Folders {
public:
    Folders() {
        const std::filesystem::path generated(HALVIR_GENERATED_RESOURCES);
        if (std::filesystem::is_directory(generated)) {
            game_ = generated.parent_path().string();
        } else {
            test_resources::write(dir_);
            game_ = dir_.str();
        }
    }
    const std::string& game() const { return game_; }
    std::string work() const { return dir_.str(); }

private:
    TempDir dir_;
    std::string game_;
};

void BootToFirstFrameStep(benchmark::State& state) {
    Folders folders;
    for (auto _ : state) {
        const Child child = runGame(folders.game(), folders.work(), 1);
        if (child.exitCode != 0) state.SkipWithError("the game did not end cleanly");
        state.SetIterationTime(child.seconds);
    }
}
BENCHMARK(BootToFirstFrameStep)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void IdlePeakResidentMemory(benchmark::State& state) {
    Folders folders;
    long peak = 0;
    for (auto _ : state) {
        const Child child = runGame(folders.game(), folders.work(), 120);
        if (child.exitCode != 0) state.SkipWithError("the game did not end cleanly");
        peak = std::max(peak, child.peakKilobytes);
    }
    state.counters["peak_MB"] = double(peak) / 1024.0;
}
BENCHMARK(IdlePeakResidentMemory)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
