// "Log.txt": opened, appended to and closed on every line, so nothing is lost
// when the game ends abruptly.
#include "game/core/wheel_log.h"

#include <cstdarg>
#include <cstdio>

namespace {

constexpr const char* kLogFileName = "Log.txt";
constexpr int kLogLineBytes = 1024;

}  // namespace

void SDL2_wheel_Log(const char* format, ...) {
    std::FILE* file = std::fopen(kLogFileName, "a+");
    if (!file) {
        std::printf("%sファイルが開けません\n", kLogFileName);
        return;
    }
    char line[kLogLineBytes];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fputs(line, file);
    std::fputs("\n", file);
    std::fclose(file);
}

void dbgPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}
