// The `halvir` program from start to its first root-task frame step, and the
// peak resident memory of a run of idle frames. Runs on the generated
// resource folder when it has been built, else on the small test folder.
// Run a Release build by hand: game_core_boot_benchmark.
//
// Each run is a whole process, ended by the stand-in cabinet's script (its
// error state from frame N, HALVIR_CABINET_SCRIPT); the boot is timed from
// the fork to the trace line of the game's exit request, and the memory read
// from /proc at that frame. The application main's first lines are the
// prefetch's: the time to the first of them is what the window and GL start
// took, the time to the last the prefetch.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/game/core/test_resources.h"
#include "tests/support/temp_dir.h"

namespace {

// What a run showed: seconds from the start to the exit request's line (the
// frame step's frame N) and to the application main, the time the prefetch
// took, and the memory of the process at that frame (kilobytes, from
// /proc/<pid>/status).
struct Child {
    double bootSeconds = 0.0;
    double appMainSeconds = 0.0;
    double prefetchSeconds = 0.0;
    long peakKilobytes = 0;
    long anonymousKilobytes = 0;
    long fileKilobytes = 0;
    bool resourcesReady = false;  // the boot loads had finished by that frame
    int exitCode = -1;
};

long statusField(const std::string& status, const std::string& name) {
    const size_t at = status.find(name + ":");
    return at == std::string::npos ? 0 : std::atol(status.c_str() + at + name.size() + 1);
}

Child runGame(const std::string& gameFolder, const std::string& workFolder, int exitFrame) {
    using Clock = std::chrono::steady_clock;
    const std::string dataOption = "--data-directory=" + gameFolder;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(workFolder.c_str()) != 0) _exit(127);
        const std::string script = workFolder + "/cabinet_script_" + std::to_string(exitFrame) + ".txt";
        if (FILE* file = std::fopen(script.c_str(), "w")) {
            std::fprintf(file, "%d error on\n", exitFrame);
            std::fclose(file);
        }
        setenv("HALVIR_CABINET_SCRIPT", script.c_str(), 1);
        setenv("HALVIR_CABINET_SETTINGS", (workFolder + "/no_cabinet.txt").c_str(), 1);
        setenv("XDG_DATA_HOME", (workFolder + "/xdg").c_str(), 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        dup2(pipeEnds[1], 2);
        close(pipeEnds[0]);
        execl(HALVIR_PROGRAM, HALVIR_PROGRAM, dataOption.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    Child child;
    FILE* err = fdopen(pipeEnds[0], "r");
    char* line = nullptr;
    size_t capacity = 0;
    bool inAppMain = false;
    const auto seconds = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    while (getline(&line, &capacity, err) > 0) {
        const std::string text = line;
        if (text.find("module_prefetch.cpp(") != std::string::npos) {
            if (!inAppMain) child.appMainSeconds = seconds();
            inAppMain = true;
            child.prefetchSeconds = seconds() - child.appMainSeconds;
        }
        if (text.find("boot resources ready") != std::string::npos) child.resourcesReady = true;
        if (text.find("platform exit request passed to the engine") != std::string::npos) {
            child.bootSeconds = seconds();
            std::ifstream file("/proc/" + std::to_string(pid) + "/status");
            const std::string status{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
            child.peakKilobytes = statusField(status, "VmHWM");
            child.anonymousKilobytes = statusField(status, "RssAnon");
            child.fileKilobytes = statusField(status, "RssFile");
        }
    }
    free(line);
    fclose(err);
    int status = 0;
    waitpid(pid, &status, 0);
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

// Counters are means over the iterations.
void addToMean(benchmark::State& state, const char* name, double value) {
    benchmark::Counter& counter = state.counters[name];
    counter.value += value;
    counter.flags = benchmark::Counter::kAvgIterations;
}

void BootToFirstFrameStep(benchmark::State& state) {
    Folders folders;
    for (auto _ : state) {
        const Child child = runGame(folders.game(), folders.work(), 1);
        if (child.exitCode != 0) state.SkipWithError("the game did not end cleanly");
        state.SetIterationTime(child.bootSeconds);
        addToMean(state, "app_main_ms", child.appMainSeconds * 1000.0);
        addToMean(state, "prefetch_ms", child.prefetchSeconds * 1000.0);
    }
}
BENCHMARK(BootToFirstFrameStep)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Idle: the boot loads (the sound archives above all) have finished, which
// on a busy machine takes several seconds of frames.
void IdlePeakResidentMemory(benchmark::State& state) {
    Folders folders;
    for (auto _ : state) {
        const Child child = runGame(folders.game(), folders.work(), 600);
        if (child.exitCode != 0) state.SkipWithError("the game did not end cleanly");
        if (!child.resourcesReady) state.SkipWithError("the boot loads had not finished by the exit frame");
        addToMean(state, "peak_MB", double(child.peakKilobytes) / 1024.0);
        addToMean(state, "anon_MB", double(child.anonymousKilobytes) / 1024.0);
        addToMean(state, "file_MB", double(child.fileKilobytes) / 1024.0);
    }
}
BENCHMARK(IdlePeakResidentMemory)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
