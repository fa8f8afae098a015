#pragma once
// The play's record block: what the fighter and its shots count during a
// play, cleared when a play or a replay starts.
//
// The play and replay starts clear it; no play step writes into it.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

inline constexpr int kPlayRecordBlockSize = 1024;

extern std::array<uint8_t, kPlayRecordBlockSize> playRecordBlock;
