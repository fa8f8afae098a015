#include "engine/app/command_line.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

using Apply = void (*)(MCommandLine& line, const char* value);

struct Option {
    const char* text;
    Apply apply;
};

// A pair value: the numbers before and after the first ','; one number
// without a ','.
std::array<int32_t, 2> readPair(const char* value) {
    const char* comma = std::strchr(value, ',');
    const int32_t first = readOptionNumber(value);
    return {first, comma ? readOptionNumber(comma + 1) : first};
}

constexpr Option kOptions[] = {
    {"--data-directory=", [](MCommandLine& l, const char* v) { l.app.dataDirectory = v; }},
    {"--backup-directory=", [](MCommandLine& l, const char* v) { l.app.backupDirectory = v; }},
    {"--web-directory=", [](MCommandLine& l, const char* v) { l.app.webDirectory = v; }},
    {"--window-size=", [](MCommandLine& l, const char* v) { l.app.windowSize = readPair(v); }},
    {"--screen-size=", [](MCommandLine& l, const char* v) { l.app.screenSize = readPair(v); }},
    {"--window-dpi=",
     [](MCommandLine& l, const char* v) {
         const std::array<int32_t, 2> dpi = readPair(v);
         l.app.windowDpi = {float(dpi[0]), float(dpi[1])};
     }},
    {"--display-adapter-id=", [](MCommandLine& l, const char* v) { l.displayAdapter = readOptionNumber(v); }},
    {"--use-depth-stencil=", [](MCommandLine& l, const char* v) { l.app.useDepthStencil = readOptionNumber(v) != 0; }},
    {"--log-to-file=", [](MCommandLine& l, const char* v) { l.logFile = v; }},
};

bool applyOption(MCommandLine& line, const char* argument) {
    for (const Option& option : kOptions) {
        const size_t length = std::strlen(option.text);
        if (std::strncmp(argument, option.text, length) == 0) {
            option.apply(line, argument + length);
            return true;
        }
    }
    return false;
}

}  // namespace

int32_t readOptionNumber(const char* text) {
    const long long value = std::strtoll(text, nullptr, 10);
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return int32_t(value);
}

MCommandLine parseCommandLine(int argc, char** argv) {
    MCommandLine line;
    for (int i = 0; i < argc; ++i) {
        if (!applyOption(line, argv[i])) line.arguments.push_back(argv[i]);
    }
    line.arguments.push_back(nullptr);
    return line;
}
