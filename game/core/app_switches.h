#pragma once
// The game-wide switches of the command line. AppMain reads them once at
// start-up; the root task sets exitHandled; every other part only reads.
//
//   "-f": full screen (AppMain's own)   "-h": hdOutput
//   "-t": toolMode                      "-a": arcade mode together with "-t"
//   "-m": home play: neither toolMode nor arcadeMode (overrides "-t", "-a")
//
// Threads: written on the main thread before the first frame; read on it.

extern bool toolMode;
// True unless "-t" or "-m" was given; with "-t", only when "-a" was given
// too; never with "-m".
extern bool arcadeMode;
// The output size selector; AppMain forces it true once the platform runs.
extern bool hdOutput;
// The root task has passed the platform's exit request to the engine.
extern bool exitHandled;

struct AppSwitches {
    bool fullscreen = false;  // "-f"
    bool hd = false;          // "-h"
    bool tool = false;        // "-t"
    bool arcade = false;      // "-a"
    bool home = false;        // "-m"
};

// Every argument is compared whole and case-sensitively; the rest are
// ignored, and a switch may come anywhere and more than once.
AppSwitches readAppSwitches(int argc, char** argv);

// Sets hdOutput and toolMode from the switches and derives arcadeMode; home
// play clears both.
void applyAppSwitches(const AppSwitches& switches);
