#pragma once
// The user/save body the play upload sends at the end of a card user's play:
// the savedata the play can have changed (the played mode's or score-attack
// stage's bests for the played type, and the fourteen settings) and, while
// the game-server front allows it, six ranking entries for the play's score
// with one display text. Compact picojson, members in ascending key order.
//
// Threads: main thread only (the play upload).

#include <cstdint>
#include <string>

#include "game/records/user_data.h"

// A play of the four game modes. category 0-3 (NOVICE, CASUAL, ORIGINAL,
// EXPERT), leaderType 0-3, stage 1-5 (6 ALL, 7 TRUE ALL), stageProgress 1 at
// the last stage's mid-boss, 2 at its boss.
void rankingToJson(std::string& body, uint32_t userId, const UserDataRecord& record, uint64_t score,
                   uint32_t category, uint32_t leaderType, uint32_t stage, uint32_t trueRoute,
                   uint32_t stageProgress, uint32_t maxRank, uint32_t assist);

// A score-attack play of saStage 1-5; finished 1 when the play was finished.
void scoreAttackRankingToJson(std::string& body, uint32_t userId, const UserDataRecord& record, uint64_t score,
                              uint32_t saStage, uint32_t finished, uint32_t trueRoute, uint32_t stageProgress,
                              uint32_t maxRank, uint32_t leaderType, uint32_t assist);

inline constexpr int kRankingEntries = 6;
// Entry 0..5's ranking id for ranking category 0-8 (score attack: stage + 3)
// and leader type 0-3; 0 when either is out of range.
int32_t rankingEntryId(int entry, uint32_t category, uint32_t leaderType);

// The entries' display text: pilot, "RANK nn", the stage part, the cabinet's
// location and the assist. The stage part differs between the builders.
std::string rankingStageText(uint32_t stage, uint32_t trueRoute, uint32_t stageProgress);
std::string scoreAttackStageText(uint32_t saStage, uint32_t finished, uint32_t trueRoute, uint32_t stageProgress);
std::string rankingDisplayText(uint32_t leaderType, uint32_t maxRank, const std::string& stagePart, uint32_t assist);

// Pilot names per leader type, and the stage texts (UTF-8).
extern const char* const rankingPilotNames[4];
extern const char* const rankingStageNames[5];
