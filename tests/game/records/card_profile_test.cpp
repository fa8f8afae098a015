// The card profile: the clear before a login, the guest, and the record
// block to and from the game server's record.
#include "game/records/card_profile.h"

#include <gtest/gtest.h>

namespace {

class CardProfileTest : public testing::Test {
protected:
    void SetUp() override { cardProfile = CardProfile{}; }
    void TearDown() override { cardProfile = CardProfile{}; }

    // A logged-in card user in the middle of the login's records screen.
    static void cardProfileTestFill() {
        CardProfile& p = cardProfile;
        p.loginCursor = 1;
        p.loginState = 9;
        p.loginError = 2;
        p.loginPhase = 1;
        p.accessCodeMode = true;
        p.retryCount = 3;
        p.secondsLeft = 12;
        p.frameCount = 7;
        p.aimeId = 77;
        p.userName = u"ACE";
        p.recordsPage = 2;
        for (const CardStoredSetting& setting : cardStoredSettings) p.*setting.profile = 9;
        p.bestScore[3][3] = 1;
        p.bestStage[0][0] = 2;
        p.bestMaxRank[1][2] = 3;
        p.saBestScore[4][0] = 4;
        p.saBestMaxRank[0][3] = 5;
    }
    static void expectGuestSettingsAndNoRecords() {
        const CardProfile& p = cardProfile;
        const int32_t guest[] = {0, 0, 1, 0, 1, 1, 1, 0, 1, 1, 1, 2, 3, 5};
        for (size_t i = 0; i < cardStoredSettings.size(); ++i) {
            EXPECT_EQ(p.*cardStoredSettings[i].profile, guest[i]) << "setting " << i;
        }
        EXPECT_EQ(p.bestScore, CardProfile{}.bestScore);
        EXPECT_EQ(p.bestStage, CardProfile{}.bestStage);
        EXPECT_EQ(p.bestMaxRank, CardProfile{}.bestMaxRank);
        EXPECT_EQ(p.saBestScore, CardProfile{}.saBestScore);
        EXPECT_EQ(p.saBestMaxRank, CardProfile{}.saBestMaxRank);
        EXPECT_EQ(p.aimeId, 0);
        EXPECT_EQ(p.userName, u"NO NAME");
        EXPECT_EQ(p.loginError, 0);
        EXPECT_EQ(p.loginPhase, 0);
    }
};

TEST_F(CardProfileTest, ResetToTheGuestKeepsTheLoginsScreenWords) {
    cardProfileTestFill();
    cardProfileResetGuest();
    expectGuestSettingsAndNoRecords();
    EXPECT_FALSE(cardProfileIsCardUser());
    EXPECT_EQ(cardProfile.loginState, 9);
    EXPECT_EQ(cardProfile.loginCursor, 1);
    EXPECT_EQ(cardProfile.recordsPage, 2);
    EXPECT_EQ(cardProfile.retryCount, 3);
}

TEST_F(CardProfileTest, ClearBeforeALoginResetsTheLoginToo) {
    cardProfileTestFill();
    cardProfileClear();
    expectGuestSettingsAndNoRecords();
    const CardProfile& p = cardProfile;
    EXPECT_EQ(p.loginState, 0);
    EXPECT_FALSE(p.accessCodeMode);
    EXPECT_EQ(p.retryCount, 0);
    EXPECT_EQ(p.secondsLeft, 0);
    EXPECT_EQ(p.frameCount, 0);
    EXPECT_EQ(p.recordsPage, 0);
    EXPECT_EQ(p.loginCursor, 1);  // the first screen sets it
}

TEST_F(CardProfileTest, CardUsersAndTheOpenGame) {
    const struct {
        int32_t aimeId, phase, state;
        bool cardUser, gameStarted;
    } cases[] = {
        {0, 2, 0, false, true}, {-1, 0, 0, false, false}, {77, 1, 13, true, false},
        {77, 2, 13, true, false}, {77, 2, 0, true, true},
    };
    for (const auto& c : cases) {
        cardProfile.aimeId = c.aimeId;
        cardProfile.loginPhase = c.phase;
        cardProfile.loginState = c.state;
        EXPECT_EQ(cardProfileIsCardUser(), c.cardUser) << c.aimeId;
        EXPECT_EQ(cardProfileGameStarted(), c.gameStarted) << c.aimeId << " " << c.phase << " " << c.state;
    }
}

TEST_F(CardProfileTest, TheRecordBlockRunsTypeByTypeInTheServersRecord) {
    UserDataRecord data;
    data.score[2 * 4 + 1] = 1000;   // ORIGINAL, type B
    data.stage[3 * 4 + 0] = 7;      // EXPERT, type A
    data.maxRank[1 * 4 + 3] = 50;   // EXPERT, type D
    data.saScore[4 * 4 + 2] = 900;  // stage 5, type C
    data.saMaxRank[0 * 4 + 1] = 12; // stage 1, type B
    cardProfileRecordsFrom(data);
    const CardProfile& p = cardProfile;
    EXPECT_EQ(p.bestScore[2][1], 1000u);
    EXPECT_EQ(p.bestStage[3][0], 7u);
    EXPECT_EQ(p.bestMaxRank[1][3], 50u);
    EXPECT_EQ(p.saBestScore[4][2], 900u);
    EXPECT_EQ(p.saBestMaxRank[0][1], 12u);

    cardProfile.aimeId = 77;
    cardProfile.configBlow = 6;
    UserDataRecord back;
    cardProfileToUserData(back);
    EXPECT_EQ(back.userId, 77u);
    EXPECT_EQ(back.score, data.score);
    EXPECT_EQ(back.stage, data.stage);
    EXPECT_EQ(back.maxRank, data.maxRank);
    EXPECT_EQ(back.saScore, data.saScore);
    EXPECT_EQ(back.saMaxRank, data.saMaxRank);
    EXPECT_EQ(back.configBlow, 6u);
    EXPECT_EQ(back.configSaStage, 1u);
}

}  // namespace
