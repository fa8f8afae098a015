#pragma once
// The ranking view: one page of the rankings, one of nine categories (four
// game modes, five score-attack stages) of one of five tables (all leader
// types, types A to D), all-time or daily (TODAY, arcade platform only),
// with the latest plays' entries marked. In the attract cycle it leaves
// after 900 frames without input; from the main menu (code 4) it never times
// out and hands back code 3.
//
// Threads: main thread only.

#include <array>
#include <cstddef>
#include <cstdint>

#include "game/records/ranking_file.h"

struct ObjTask;

void TSKranking(ObjTask* task);

inline constexpr int32_t kRankingTimeOut = 900;
inline constexpr int32_t kRankingNoTimeOut = -1;
inline constexpr int32_t kRankingInputLock = 10;
inline constexpr int32_t kRankingLeaveFrames = 10;
inline constexpr int32_t kRankingFromMenu = 4;
inline constexpr int32_t kRankingBackToMenu = 3;
inline constexpr int32_t kRankingToTitle = 12;
inline constexpr int32_t kRankingLeaving = 101;
inline constexpr int32_t kRankingDrawLayer = 811;
inline constexpr int32_t kRankingBarSprite = 2832;
// Places shown: ten, seven on the arcade platform.
inline constexpr int kRankingPlacesArcade = 7;
// The rows' vertical pitch in screen pixels (a row is two 8-pixel lines).
inline constexpr float kRankingRowTop = 90.0f;
inline constexpr float kRankingRowPitch = 18.0f;

// The page on show and the view's counters.
struct RankingViewPage {
    int32_t category = 0;  // 0..8
    int32_t table = 0;     // 0..4
    int32_t flashLeft = 0, flashRight = 0, flashDown = 0, flashUp = 0;
    int32_t frames = 0;
    uint8_t today = 0;  // 1: the daily ranking
    int32_t inputLock = 0;
    int32_t leave = 0;  // 0..10 while the page slides out
    int32_t timeOutReset = kRankingNoTimeOut;
};
extern RankingViewPage rankingViewPage;

extern const std::array<const char*, kRankingCategories> kRankingCategoryTitles;
extern const std::array<const char*, kRankingTables> kRankingTableTitles;

// A row's two lines: place label, score and type label; stage, assist and,
// in the mode categories, the fighter word.
void rankingRowFirstLine(char* text, size_t size, const RankingRecord& record, int place);
void rankingRowSecondLine(char* text, size_t size, const RankingRecord& record, int category);
// The record's name with a terminator forced at its last byte.
void rankingRowName(char* text, size_t size, const RankingRecord& record);
