#pragma once
// The running play's two records in the ranking record's shape: the last
// play, filled when the play ends, and the best play, which starts as the
// card user's stored best for the mode (or score-attack stage) and leader
// type and is replaced, in the profile too, when the play beats it. And the
// player's name that every ranking entry of the play takes.
//
// Threads: main thread only.

#include "game/records/ranking_file.h"

struct PlayRecords {
    RankingRecord last{};
    RankingRecord best{};
    char playerName[256] = "NO NAME";  // UTF-8, zero-terminated
};

extern PlayRecords playRecords;

// The name the rankings take for the current player.
const char* currentPlayerName();

// At play start: both records fresh for the selected mode, type and assist;
// the player's name; a card user's stored best in the best-play record.
void playRecordBegin();
// Once per finished play, before its ranking entries: the play into the
// last-play record and, when it beats the best, into the best-play record
// and a card user's profile.
void playRecordFinish(const RankingRecord& record);

// Categories 4..8 are the score-attack stages 1..5.
inline constexpr uint32_t kFirstScoreAttackCategory = 4;
inline bool playRecordIsScoreAttack(uint32_t category) {
    return category >= kFirstScoreAttackCategory && category < kFirstScoreAttackCategory + 5;
}
