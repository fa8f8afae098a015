#pragma once
// Provisional: what the replay list leaves for the replay viewer when the
// player chooses a kept replay (menuResultCode 6), until the list is built
// here (see README.md). The stand-in list chooses nothing.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

// The chosen replay's folder (a dated folder under "replay/").
extern std::string replayChosenFolder;
// The first stage the chosen replay holds (1..5).
extern int32_t replayChosenFirstStage;
