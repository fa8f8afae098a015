#include "game/core/app_switches.h"

#include <cstring>

bool toolMode = false;
bool arcadeMode = false;
bool hdOutput = false;
bool exitHandled = false;

AppSwitches readAppSwitches(int argc, char** argv) {
    AppSwitches switches;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "-f") == 0) switches.fullscreen = true;
        if (std::strcmp(argument, "-h") == 0) switches.hd = true;
        if (std::strcmp(argument, "-t") == 0) switches.tool = true;
        if (std::strcmp(argument, "-a") == 0) switches.arcade = true;
        if (std::strcmp(argument, "-m") == 0) switches.home = true;
    }
    return switches;
}

void applyAppSwitches(const AppSwitches& switches) {
    if (switches.hd) hdOutput = true;
    if (switches.home) {
        toolMode = false;
        arcadeMode = false;
        return;
    }
    if (switches.tool) toolMode = true;
    arcadeMode = toolMode ? switches.arcade : true;
}
