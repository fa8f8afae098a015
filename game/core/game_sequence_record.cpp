// The play's entry into the rankings when it ends, is cleared or continues.
#include <algorithm>
#include <cstdint>

#include "game/bosses/boss_flags.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/core/game_sequence.h"
#include "game/core/play_state.h"
#include "game/frontend/scenes.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_records.h"
#include "game/records/play_selection.h"
#include "game/records/ranking_file.h"
#include "game/stages/stage_services.h"

namespace {

// The ranking view marks the entry at the place; the marks below it move
// down with their entries and the last one drops out.
void seqMarkNewEntry(int file, int table, int category, int place) {
    if (place < 0 || table < 0 || table >= kRankingTables) return;
    auto& marks = rankingNewMarks[size_t(file)];
    const int base = (table * kRankingCategories + category) * kRankingPlaces;
    for (int p = kRankingPlaces - 1; p > place; --p) marks[size_t(base + p)] = marks[size_t(base + p - 1)];
    marks[size_t(base + place)] = 1;
}

RankingRecord seqPlayRecord(bool finished, int32_t category) {
    RankingRecord record{};
    const FighterRecord fighter = fighterRecord();
    record.score = fighter.score;
    for (int i = 0; i < kFighterSubScores; ++i) record.subScores[i] = fighter.subScores[i];
    record.stage = uint32_t(stageNumber);
    record.stageProgress = uint32_t(stageProgress);
    record.finished = finished ? 1 : 0;
    record.category = uint32_t(category);
    record.extraWord = uint32_t(rankingExtraWord);
    record.leaderType = uint32_t(selectedLeaderType);
    record.trueRoute = trueRouteFlag;
    record.assist = uint32_t(autoGameSystem);
    // The credits the play took, and the highest rank reached: the upload reads both.
    record.fighterWord = fighter.fighterWord;
    record.maxRank = uint32_t(fighter.maxRank);
    return record;
}

}  // namespace

int32_t seqRecordPlay(bool finished) {
    if (!playIsRecorded) return 0;
    const int32_t category = seqIsScoreAttack() ? stageNumber + 3 : gameMode;
    RankingRecord record = seqPlayRecord(finished, category);
    playRecordFinish(record);
    const int tables[2] = {0, 1 + selectedLeaderType};
    int32_t dailyBest = -1;
    for (int table : tables) {
        for (int file = 0; file < 2; ++file) {
            const bool today = file == 1;
            const int place = rankingInsert(table, record.subScores, record.score, record.stageProgress,
                                            record.trueRoute, record.finished, record.category, record.extraWord,
                                            record.leaderType, record.fighterWord, record.assist, today);
            seqMarkNewEntry(file, table, category, place);
            if (today) dailyBest = std::max(dailyBest, int32_t(place));
        }
    }
    rankingLatestTable = tables[1];
    rankingLatestCategory = category;
    return dailyBest;
}
