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

// 1024, or -1 with the block zeroed when the file doesn't exist, can't be
// read (it is then left alone) or isn't 4096 bytes (kept as
// "save.dat.damaged"); see player_files.h.
int saveDataRead(const std::string& path);
// 1024, or -1 when the file is left alone or can't be written (logged); the
// old file stays.
int saveDataWrite(const std::string& path);
// One frame more of play time.
void saveDataAdvancePlayTime();
// On the first start of a new local date: resets the daily ranking and
// writes it (not when "save.dat" could not be read, as its date is unknown). Every start: stores the date and writes "save.dat". Run after
// both rankings load.
void saveDataApplyRankingDate();
