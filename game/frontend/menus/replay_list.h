#pragma once
// The replay list: the 100 newest kept replays, slot 0 the newest, each with
// its folder name, its summary and the two lines the list shows; and what
// the list leaves for the replay viewer.
//
// Threads: main thread only.

#include <array>
#include <cstdint>
#include <string>

#include "game/core/replay_files.h"

inline constexpr int kReplayListSlots = 100;
inline constexpr int kReplayListLineBytes = 256;

struct ReplayListSlot {
    uint8_t present = 0;
    std::string folder;  // the name under "replay", at most 255 characters
    ReplayInfo info;     // all zero when "rep_info.dat" is missing or damaged
    char line[kReplayListLineBytes] = {};       // "<folder> <mode text>"
    char scoreLine[kReplayListLineBytes] = {};  // the score, right-aligned
};
extern std::array<ReplayListSlot, kReplayListSlots> replayList;

// The chosen replay's folder (a dated folder under "replay/"), for the viewer.
extern std::string replayChosenFolder;
// The stage the viewer starts on (1..5).
extern int32_t replayChosenFirstStage;

// The eight-character text of a mode word; eight blanks outside 0..8.
const char* replayModeText(int32_t mode);
// The first stage a replay of this mode holds; 0 for a mode outside 0..8.
int32_t replayFirstStageOfMode(int32_t mode);
// Rebuilds the list from the folders under "replay" in the application root.
void replayListScan();
