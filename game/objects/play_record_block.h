#pragma once
// The play's record block: what the fighter and its shots count during a
// play, cleared when a play or a replay starts.
//
// Provisional (play_record_block_provisional.cpp) until the fighter exists:
// nothing writes it yet.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

inline constexpr int kPlayRecordBlockSize = 1024;

extern std::array<uint8_t, kPlayRecordBlockSize> playRecordBlock;
