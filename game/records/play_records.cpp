#include "game/records/play_records.h"

#include "engine/base/text_conv.h"
#include "game/records/card_profile.h"
#include "game/records/play_selection.h"

PlayRecords playRecords;

namespace {

constexpr uint32_t kOriginal = 2;
constexpr uint32_t kStageAll = 6;
constexpr uint32_t kStageTrueAll = 7;

void playRecordFresh(RankingRecord& record) {
    record = RankingRecord{};
    record.stage = 1;
    record.category = uint32_t(gameMode);
    record.leaderType = uint32_t(selectedLeaderType);
    record.assist = uint32_t(autoGameSystem);
}

// The fields a finished play hands over; a finished play's stage is ALL or TRUE ALL.
void playRecordTake(RankingRecord& to, const RankingRecord& from) {
    to.score = from.score;
    to.stage = from.finished ? (from.trueRoute ? kStageTrueAll : kStageAll) : from.stage;
    to.stageProgress = from.stageProgress;
    to.finished = from.finished;
    to.category = from.category;
    to.extraWord = from.extraWord;
    to.leaderType = from.leaderType;
    to.fighterWord = from.fighterWord;
    to.trueRoute = from.trueRoute;
    to.assist = from.assist;
    to.maxRank = from.maxRank;
}

// The profile's slot of a mode or score-attack stage and type: null when
// either is out of range.
template <class T, size_t Rows>
T* playRecordSlot(std::array<std::array<T, 4>, Rows>& rows, uint32_t row, uint32_t type) {
    return row < Rows && type < 4 ? &rows[row][type] : nullptr;
}

void playRecordLoadBest(RankingRecord& best, uint32_t category, uint32_t type) {
    CardProfile& p = cardProfile;
    if (playRecordIsScoreAttack(category)) {
        const uint32_t stage = category - kFirstScoreAttackCategory;
        if (const uint64_t* score = playRecordSlot(p.saBestScore, stage, type)) best.score = *score;
        if (const uint32_t* rank = playRecordSlot(p.saBestMaxRank, stage, type)) best.maxRank = *rank;
        return;
    }
    if (const uint64_t* score = playRecordSlot(p.bestScore, category, type)) best.score = *score;
    if (const uint32_t* stage = playRecordSlot(p.bestStage, category, type)) best.stage = *stage;
    if (const uint32_t* rank = playRecordSlot(p.bestMaxRank, category - kOriginal, type)) best.maxRank = *rank;
}

void playRecordStoreBest(const RankingRecord& best) {
    CardProfile& p = cardProfile;
    const uint32_t type = best.leaderType;
    if (playRecordIsScoreAttack(best.category)) {
        const uint32_t stage = best.category - kFirstScoreAttackCategory;
        if (uint64_t* score = playRecordSlot(p.saBestScore, stage, type)) *score = best.score;
        if (uint32_t* rank = playRecordSlot(p.saBestMaxRank, stage, type)) *rank = best.maxRank;
        return;
    }
    if (uint64_t* score = playRecordSlot(p.bestScore, best.category, type)) *score = best.score;
    if (uint32_t* stage = playRecordSlot(p.bestStage, best.category, type)) *stage = best.stage;
    if (uint32_t* rank = playRecordSlot(p.bestMaxRank, best.category - kOriginal, type)) *rank = best.maxRank;
}

}  // namespace

const char* currentPlayerName() { return playRecords.playerName; }

void playRecordBegin() {
    playRecordFresh(playRecords.last);
    playRecordFresh(playRecords.best);
    if (!cardProfileIsCardUser()) {
        rankingCopyName(playRecords.playerName, "NO NAME");
        return;
    }
    rankingCopyName(playRecords.playerName, wideToUtf8(cardProfile.userName).c_str());
    playRecordLoadBest(playRecords.best, uint32_t(getRankingCategory()), uint32_t(selectedLeaderType));
}

void playRecordFinish(const RankingRecord& record) {
    playRecordTake(playRecords.last, record);
    if (playRecords.last.score <= playRecords.best.score) return;
    playRecordTake(playRecords.best, record);
    // The guest's best lives only as long as the play.
    if (cardProfileIsCardUser()) playRecordStoreBest(playRecords.best);
}
