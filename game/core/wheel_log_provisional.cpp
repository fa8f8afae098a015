// Provisional: the porting layer's log replaces this file.
#include <cstdarg>
#include <cstdio>

#include "game/core/wheel_log.h"

void SDL2_wheel_Log(const char* format, ...) {
    char line[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    FILE* file = std::fopen("Log.txt", "a+");
    if (!file) {
        std::printf("%sファイルが開けません\n", "Log.txt");
        return;
    }
    std::fputs(line, file);
    std::fputs("\n", file);
    std::fclose(file);
}
