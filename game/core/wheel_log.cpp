// "Log.txt": opened, appended to and closed on every line, so nothing is lost
// when the game ends abruptly.
#include "game/core/wheel_log.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

namespace {

constexpr const char* kLogFileName = "Log.txt";
constexpr int kLogLineBytes = 1024;

std::string& logPath() {
    static std::string path = kLogFileName;
    return path;
}

// A log that can't be written is said once, not once a line (thousands of
// lines a second); said again only when it failed again after a line went in.
std::atomic<bool> openFailureSaid{false};
std::FILE* logSink = nullptr;

}  // namespace

void SDL2_wheel_SetLogFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    logPath() = std::move(folder) + kLogFileName;
}

void SDL2_wheel_SetLogSink(std::FILE* sink) { logSink = sink; }

void SDL2_wheel_Log(const char* format, ...) {
    std::FILE* file = logSink != nullptr ? logSink : std::fopen(logPath().c_str(), "a+");
    if (!file) {
        if (!openFailureSaid.exchange(true)) std::printf("%sファイルが開けません\n", kLogFileName);
        return;
    }
    openFailureSaid = false;
    char line[kLogLineBytes];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fputs(line, file);
    std::fputs("\n", file);
    if (file != logSink) std::fclose(file);
}

void dbgPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}
