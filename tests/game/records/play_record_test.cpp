// The play records: the begin for the guest and a card user, the finish's
// best rule into the profile, the upload's guard, and the countdown voices.
#include "game/records/play_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/core/game_main.h"
#include "game/core/play_state.h"
#include "game/core/sound_ids.h"
#include "game/core/sound_requests.h"
#include "game/records/card_profile.h"
#include "game/records/play_selection.h"
#include "game/records/play_upload.h"
#include "game/records/play_voice.h"

namespace {

constexpr int32_t kScoreAttackPlay = 2;

class PlayRecordTest : public testing::Test {
protected:
    void SetUp() override {
        cardProfile = CardProfile{};
        playRecords = PlayRecords{};
        gameMode = 2;
        selectedLeaderType = 1;
        autoGameSystem = 1;
        menuResultCode = 0;
        stageNumber = 1;
    }
    void TearDown() override {
        cardProfile = CardProfile{};
        menuResultCode = 0;
    }

    static RankingRecord playRecordTestPlay(uint64_t score, uint32_t category, uint32_t leaderType) {
        RankingRecord record{};
        record.score = score;
        record.stage = 4;
        record.stageProgress = 2;
        record.category = category;
        record.leaderType = leaderType;
        record.extraWord = 9;
        record.fighterWord = 8;
        record.assist = 1;
        record.maxRank = 21;
        record.subScores[0] = 77;
        return record;
    }
};

bool playRecordTestSameBests(const CardProfile& a, const CardProfile& b) {
    return a.bestScore == b.bestScore && a.bestStage == b.bestStage && a.bestMaxRank == b.bestMaxRank &&
           a.saBestScore == b.saBestScore && a.saBestMaxRank == b.saBestMaxRank;
}

TEST_F(PlayRecordTest, TheGuestBeginsWithFreshRecordsAndNoName) {
    rankingCopyName(playRecords.playerName, "LAST PLAYER");
    playRecords.best.score = 5;
    cardProfile.aimeId = -1;
    playRecordBegin();
    EXPECT_STREQ(currentPlayerName(), "NO NAME");
    for (const RankingRecord* record : {&playRecords.last, &playRecords.best}) {
        EXPECT_EQ(record->score, 0u);
        EXPECT_EQ(record->stage, 1u);
        EXPECT_EQ(record->category, 2u);
        EXPECT_EQ(record->leaderType, 1u);
        EXPECT_EQ(record->assist, 1u);
        EXPECT_EQ(record->maxRank, 0u);
    }
}

TEST_F(PlayRecordTest, ACardUserBeginsWithTheStoredBestAndTheirName) {
    cardProfile.aimeId = 5;
    cardProfile.userName = u"ACE\u30D7";
    cardProfile.bestScore[2][1] = 4000;
    cardProfile.bestStage[2][1] = 3;
    cardProfile.bestMaxRank[0][1] = 17;
    playRecordBegin();
    EXPECT_STREQ(currentPlayerName(), "ACE\xE3\x83\x97");
    EXPECT_EQ(playRecords.best.score, 4000u);
    EXPECT_EQ(playRecords.best.stage, 3u);
    EXPECT_EQ(playRecords.best.maxRank, 17u);
    EXPECT_EQ(playRecords.last.score, 0u);
    EXPECT_EQ(playRecords.last.stage, 1u);
}

TEST_F(PlayRecordTest, ALongNameIsCutOnACharacterBoundary) {
    cardProfile.aimeId = 5;
    cardProfile.userName = u"a" + std::u16string(100, u'\u3042');  // 301 bytes of UTF-8
    playRecordBegin();
    const std::string name = currentPlayerName();
    ASSERT_EQ(name.size(), 1u + 84 * 3);
    EXPECT_EQ(name.substr(name.size() - 3), "\xE3\x81\x82");
}

struct FinishCase {
    const char* name;
    bool scoreAttack;       // a score-attack play of stage 3
    uint64_t storedBest;    // the profile's best before the play
    uint64_t score;
    uint32_t finished, trueRoute, leaderType;
    uint32_t lastStage;     // what the last-play record shows
    bool replaced;          // the best-play record takes the play
    bool stored;            // and the profile with it
};

constexpr FinishCase kFinishCases[] = {
    {"equal score changes nothing", false, 3000, 3000, 0, 0, 1, 4, false, false},
    {"a better score", false, 3000, 3001, 0, 0, 1, 4, true, true},
    {"finished: ALL", false, 0, 10, 1, 0, 1, 6, true, true},
    {"finished on the true route: TRUE ALL", false, 0, 10, 1, 1, 1, 7, true, true},
    {"score attack", true, 500, 800, 1, 0, 1, 6, true, true},
    {"score attack, equal", true, 800, 800, 0, 0, 1, 4, false, false},
    {"leader type out of range", false, 0, 10, 0, 0, 4, 4, true, false},
    {"score-attack type out of range", true, 0, 10, 0, 0, 4, 4, true, false},
};

TEST_F(PlayRecordTest, FinishKeepsTheLastPlayAndABetterBest) {
    for (const FinishCase& c : kFinishCases) {
        SCOPED_TRACE(c.name);
        SetUp();
        cardProfile.aimeId = 5;
        selectedLeaderType = int32_t(c.leaderType);
        if (c.scoreAttack) {
            menuResultCode = kScoreAttackPlay;
            stageNumber = 3;
            if (c.leaderType < 4) cardProfile.saBestScore[2][c.leaderType] = c.storedBest;
        } else if (c.leaderType < 4) {
            cardProfile.bestScore[2][c.leaderType] = c.storedBest;
            cardProfile.bestStage[2][c.leaderType] = 2;
        }
        const CardProfile before = cardProfile;
        playRecordBegin();
        const uint32_t category = c.scoreAttack ? 6 : 2;
        RankingRecord play = playRecordTestPlay(c.score, category, c.leaderType);
        play.finished = c.finished;
        play.trueRoute = c.trueRoute;
        playRecordFinish(play);

        const RankingRecord& last = playRecords.last;
        EXPECT_EQ(last.score, c.score);
        EXPECT_EQ(last.stage, c.lastStage);
        EXPECT_EQ(last.category, category);
        EXPECT_EQ(last.maxRank, 21u);
        EXPECT_EQ(last.extraWord, 9u);
        EXPECT_EQ(last.subScores[0], 0u);  // neither the sub-scores nor the name
        EXPECT_EQ(playRecords.best.score, c.replaced ? c.score : c.storedBest);
        if (c.replaced) EXPECT_EQ(playRecords.best.stage, c.lastStage);
        if (!c.stored) {
            EXPECT_TRUE(playRecordTestSameBests(cardProfile, before));
        } else if (c.scoreAttack) {
            EXPECT_EQ(cardProfile.saBestScore[2][1], c.score);
            EXPECT_EQ(cardProfile.saBestMaxRank[2][1], 21u);
            EXPECT_EQ(cardProfile.bestScore, before.bestScore);
        } else {
            EXPECT_EQ(cardProfile.bestScore[2][1], c.score);
            EXPECT_EQ(cardProfile.bestStage[2][1], c.lastStage);
            EXPECT_EQ(cardProfile.bestMaxRank[0][1], 21u);
            EXPECT_EQ(cardProfile.saBestScore, before.saBestScore);
        }
    }
}

TEST_F(PlayRecordTest, OnlyOriginalAndExpertKeepTheMaxRank) {
    cardProfile.aimeId = 5;
    gameMode = 1;
    playRecordBegin();
    playRecordFinish(playRecordTestPlay(100, 1, 1));
    EXPECT_EQ(cardProfile.bestScore[1][1], 100u);
    EXPECT_EQ(cardProfile.bestMaxRank, CardProfile{}.bestMaxRank);
}

TEST_F(PlayRecordTest, AGuestsPlayLeavesTheProfileAndUploadsNothing) {
    cardProfile.bestScore[2][1] = 1;  // what the guest must not touch
    const CardProfile before = cardProfile;
    playRecordBegin();
    playRecordFinish(playRecordTestPlay(100, 2, 1));
    EXPECT_EQ(playRecords.best.score, 100u);
    EXPECT_TRUE(playRecordTestSameBests(cardProfile, before));
    EXPECT_EQ(playDataUpload(), 0);
    cardProfile.aimeId = 5;  // a card user without the game-server front can't queue
    EXPECT_NE(playDataUpload(), 0);
}

class PlayRecordVoiceTest : public testing::Test {
protected:
    void SetUp() override {
        attractMode = 0;
        soundLayerState().soundGuard.fill(0);
    }
    static std::string playRecordVoiceHeard() {
        std::string heard;
        for (int id = 0; id < kSoundIdCount; ++id) {
            if (soundLayerState().soundGuard[size_t(id)] != 0) heard += soundNameForId(id);
        }
        return heard;
    }
};

TEST_F(PlayRecordVoiceTest, CountdownVoicesByCharacterAndEvent) {
    const struct {
        int32_t character, event;
        const char* voice;
    } cases[] = {
        {5, 12, "types_sys_continue_00"}, {0, 0, "typea_sys_count_00_00"}, {0, 10, "typea_sys_count_10_00"},
        {3, 11, "typed_sys_gameover_00"}, {4, 7, "typew_sys_count_07_00"}, {6, 0, ""},
        {0, 13, ""}, {0, 14, ""}, {-1, 0, ""}, {0, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.character << ", " << c.event);
        SetUp();
        playCharacterVoice(c.character, c.event);
        EXPECT_EQ(playRecordVoiceHeard(), c.voice);
    }
}

TEST_F(PlayRecordVoiceTest, EveryUsedEntryNamesASound) {
    for (int32_t c = 0; c < kVoiceCharacters; ++c) {
        for (int32_t e = 0; e <= 12; ++e) EXPECT_GE(playVoiceId(c, e), 0) << c << ", " << e;
    }
}

}  // namespace
