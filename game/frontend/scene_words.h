#pragma once
// The words the scenes share with the game-control sequence and with each
// other.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/records/ranking_file.h"

// The main menu's cursor; the sequence puts it back on the first item when a
// play is accepted on the title.
extern int32_t mainMenuCursor;
// The arcade score-attack screen's four choices.
struct ArcadeScoreAttackChoice {
    int32_t leaderType = 0;
    int32_t assist = 1;
    int32_t dramatic = 1;
    int32_t stage = 1;
};
extern ArcadeScoreAttackChoice arcadeScoreAttackChoice;
// Set when the play reached its end (the last stage, or a cleared
// score-attack stage); the game-over scene reads it.
extern uint8_t playFinished;
// What the operator test menu and its pages leave: 0 the menu, 1 bookkeeping,
// 2 sound setting, 3 backup clear, 4 end.
extern int32_t testMenuResultCode;
// A button setting's name: "0" to "16", then "OFF".
inline constexpr int kButtonNames = 18;
extern const std::array<const char*, kButtonNames> buttonNameTable;

// The ranking view's marks of the latest plays' entries, indexed like a
// RankingTable: [0] the all-time ranking, [1] the daily one.
extern std::array<std::array<int32_t, kRankingRecords>, 2> rankingNewMarks;
// The table and category the ranking view opens on after a play.
extern int32_t rankingLatestTable;
extern int32_t rankingLatestCategory;
// 1 while the ranking view runs.
extern uint8_t rankingViewShown;

// The replay list's cursor, page and page offset; the main menu puts them
// back to 0 as it opens the list.
extern int32_t replayListCursor;
extern int32_t replayListPage;
extern int32_t replayListOffset;

// No entry of either ranking marked new (the title and the main menu,
// before a play).
void rankingNewMarksClear();
