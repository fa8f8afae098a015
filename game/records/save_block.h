#pragma once
// "save.dat": the cabinet's own values (play time, the date of the daily
// ranking, the staff-roll mini-game's high score) in one block of 1024
// little-endian 32-bit words, read once at start and written whole.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

struct SaveBlock {
    uint32_t playFrames;   // 0..59
    uint32_t playSeconds;  // 0..59
    uint32_t playMinutes;  // 0..59
    uint32_t playHours;
    uint32_t rankingYear;  // the date the daily ranking belongs to
    uint32_t rankingMonth;
    uint32_t rankingDay;
    uint32_t staffRollHighScore;
    uint32_t reserved[1016];
};

inline constexpr size_t kSaveBlockBytes = 4096;
inline constexpr int kSaveBlockWords = 1024;
inline constexpr const char* kSaveDataFile = "save.dat";

SaveBlock& saveBlock();

// The words read (1024 for a whole file; a short file changes only the words
// it holds), or -1 when the file doesn't exist: the block is zeroed then.
int saveDataRead(const std::string& path);
// 1024, or -1 (logged) when the file can't be written; the old file stays.
int saveDataWrite(const std::string& path);
// One frame more of play time.
void saveDataAdvancePlayTime();
// On the first start of a new local date: resets the daily ranking and
// writes it. Every start: stores the date and writes "save.dat". Run after
// both rankings load.
void saveDataApplyRankingDate();
