#pragma once
// The engine's own long options, taken out of the argument vector before the
// game sees it. Each argument (the program path too) is tested against the
// option table in order; an option matches only when the argument begins
// with its text, and its value is the rest of the argument. A matched
// argument is removed; an option given twice keeps its last value.
//
//   "--data-directory=", "--backup-directory=", "--web-directory=": texts
//   "--window-size=", "--screen-size=": W,H or N (N for both)
//   "--window-dpi=": X,Y or N, integers that become floats
//   "--display-adapter-id=": an integer; below 0 leaves the configured one
//   "--use-depth-stencil=": an integer, non-zero switches it on
//   "--log-to-file=": accepted, kept, and otherwise unused
//
// Numbers are read like atoi (leading blanks, a sign, digits up to the first
// other character; no digits give 0), clamped to the 32-bit range.
//
// Threads: main thread, at start-up.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/app/win_app_init.h"

struct MCommandLine {
    MWinAppOptions app;
    int32_t displayAdapter = -1;
    std::optional<std::string> logFile;
    // The arguments that matched no option, in order, then a null pointer.
    std::vector<char*> arguments;

    int argumentCount() const { return int(arguments.size()) - 1; }
    char** argumentVector() { return arguments.data(); }
};

MCommandLine parseCommandLine(int argc, char** argv);

// atoi's reading of a number, clamped to the 32-bit range.
int32_t readOptionNumber(const char* text);
