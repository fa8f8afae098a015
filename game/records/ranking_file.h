#pragma once
// The two rankings of the ten best plays: all-time "ranking_100.dat" and
// daily "ranking_today_100.dat". Each file is one RankingTable of 450
// records of 408 bytes: 5 tables (0 every leader type, 1..4 types A..D) of
// 9 categories (0..3 the game modes, 4..8 score attack of stages 1..5) of
// 10 places, place 0 the best.
//
// Threads: main thread only.

#include <cstdint>
#include <memory>
#include <string>

struct RankingRecord {
    uint64_t score;
    uint64_t subScores[9];
    uint32_t stage;
    uint32_t stageProgress;
    uint32_t finished;
    uint32_t category;
    uint32_t extraWord;
    uint32_t leaderType;
    uint32_t fighterWord;
    char name[256];  // UTF-8, zero-terminated
    uint32_t trueRoute;
    uint32_t assist;
    uint32_t maxRank;
    uint8_t reserved[32];
};

inline constexpr int kRankingTables = 5;
inline constexpr int kRankingCategories = 9;
inline constexpr int kRankingPlaces = 10;
inline constexpr int kRankingRecords = kRankingTables * kRankingCategories * kRankingPlaces;
inline constexpr size_t kRankingRecordBytes = 408;
inline constexpr size_t kRankingFileBytes = kRankingRecordBytes * kRankingRecords;
inline constexpr const char* kRankingAllFile = "ranking_100.dat";
inline constexpr const char* kRankingTodayFile = "ranking_today_100.dat";

struct RankingTable {
    RankingRecord records[kRankingRecords];
    RankingRecord& at(int table, int category, int place) {
        return records[(table * kRankingCategories + category) * kRankingPlaces + place];
    }
};

// The tables in memory for the whole run (game init loads them).
struct RankingTables {
    std::unique_ptr<RankingTable> all;
    std::unique_ptr<RankingTable> today;
};
RankingTables& rankingTables();

// The table of the file, or the defaults: written to the file when there is
// none or it has the wrong size (kept as "<name>.damaged"), and only held in
// memory when it can't be read (see player_files.h).
std::unique_ptr<RankingTable> rankingLoadOrInit(const std::string& path);
void rankingInitDefaults(RankingTable& table);
// Writes the whole table beside the file and renames it over; false when it
// is left alone or the write fails (logged), leaving the old file.
bool rankingWrite(const RankingTable& table, const std::string& path);
std::string rankingEncode(const RankingTable& table);
// The same into a buffer the caller reuses.
void rankingEncode(const RankingTable& table, std::string& bytes);
void rankingDecode(RankingTable& table, const uint8_t* bytes, size_t size);

// Enters a play into one table of the daily (today) or all-time ranking and
// rewrites its file; the place 0..9, or -1 when the play doesn't rank.
int rankingInsert(int table, const uint64_t subScores[9], uint64_t score, uint32_t stageProgress,
                  uint32_t trueRoute, uint32_t finished, uint32_t category, uint32_t extraWord,
                  uint32_t leaderType, uint32_t fighterWord, uint32_t assist, bool today);

// "TYPE A" to "TYPE D"; "" for a leader type outside 0..3.
const char* rankingTypeLabel(uint32_t leaderType);
// Copies at most 255 bytes of a UTF-8 name and a terminating zero, never
// splitting a character.
void rankingCopyName(char (&to)[256], const char* name);
