// The platform calls the game makes, answered by the stand-in cabinet:
// credits, the bookkeeping calls with their records and queued answers, the
// card reader, operator settings and identity.
#include "platform/arcade/apm.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/arcade/cabinet.h"
#include "tests/support/temp_dir.h"

namespace {

class ApmTest : public testing::Test {
protected:
    void SetUp() override {
        settings.appRoot = dir.str() + "/root/";
        settings.locationName = "Café Nord";
        install();
    }
    void TearDown() override { arcade::installCabinet(nullptr); }

    void install() {
        auto made = std::make_unique<arcade::Cabinet>(settings);
        made->liveControls = false;
        cab = made.get();
        arcade::installCabinet(std::move(made));
    }

    TempDir dir;
    arcade::CabinetSettings settings;
    arcade::Cabinet* cab = nullptr;
};

TEST_F(ApmTest, FreePlayByDefault) {
    EXPECT_TRUE(_Credit_isFreePlay());
    EXPECT_TRUE(_Credit_isZero());
    EXPECT_TRUE(_Credit_isGameCostEnough(1));
    ApmSequenceResult result;
    EXPECT_TRUE(_Sequence_beginPlay(true, 116, 0, &result, 1));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(_Sequence_getBookkeeping()->playCount, 1);
}

TEST_F(ApmTest, CreditsPayForPlaysAndContinues) {
    settings.freePlay = false;
    settings.gameCost = 2;
    install();
    cab->credits = 3;
    EXPECT_TRUE(_Credit_isGameCostEnough(1));
    EXPECT_FALSE(_Credit_isGameCostEnough(2));
    ApmSequenceResult result;
    EXPECT_TRUE(_Sequence_beginPlay(true, 116, 42, &result, 1));
    EXPECT_EQ(_Credit_getCredit(), 1);
    EXPECT_FALSE(_Credit_isZero());
    EXPECT_FALSE(_Sequence_continuePlay(1, 116, {true, 116, 1}, &result, true));
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(_Credit_getCredit(), 1);
    cab->costEnough = 1;  // forced by a script
    EXPECT_TRUE(_Credit_isGameCostEnough(1));
    ASSERT_EQ(cab->sequenceCalls.size(), 2u);
    EXPECT_EQ(cab->sequenceCalls[0].call, "begin-play");
    EXPECT_EQ(cab->sequenceCalls[0].args, (std::vector<int32_t>{1, 116, 42, 1}));
    EXPECT_EQ(cab->sequenceCalls[1].call, "continue-play");
    EXPECT_EQ(cab->sequenceCalls[1].args, (std::vector<int32_t>{1, 116, 1, 116, 1, 1}));
    EXPECT_FALSE(cab->sequenceCalls[1].answer);
}

TEST_F(ApmTest, QueuedAnswersComeFirstThenTheDefault) {
    cab->queueAnswers("end-play", {false, false});
    cab->queueAnswers("clear-backup", {false});
    ApmSequenceResult result;
    EXPECT_FALSE(_Sequence_endPlay({true, 116, 1}, &result));
    EXPECT_FALSE(_Sequence_endPlay({true, 116, 1}, &result));
    EXPECT_TRUE(_Sequence_endPlay({true, 116, 1}, &result));
    EXPECT_FALSE(_Sequence_clearBackup());
    cab->bookkeeping.playCount = 7;
    EXPECT_TRUE(_Sequence_clearBackup());
    EXPECT_EQ(_Sequence_getBookkeeping()->playCount, 0);
    ASSERT_EQ(cab->sequenceCalls.size(), 6u);
    EXPECT_EQ(cab->sequenceCalls[2].args, (std::vector<int32_t>{1, 116, 1}));
}

TEST_F(ApmTest, ExitCallsAreRecordedAndSettingsAnswer) {
    _Core_exitGame(1);
    _Core_exitGame(0);
    EXPECT_EQ(cab->exitGameCalls, (std::vector<int32_t>{1, 0}));
    bool flag = true;
    EXPECT_TRUE(_ApmSystemSetting_getFixedTitle(&flag));
    EXPECT_FALSE(flag);
    EXPECT_TRUE(_ApmSystemSetting_getAdvertizeSound(&flag));
    EXPECT_TRUE(flag);
    int32_t seconds = 0;
    EXPECT_TRUE(_ApmSystemSetting_getTimeToClosingTime(&seconds));
    EXPECT_EQ(seconds, -1);
    EXPECT_FALSE(_ApmSystemSetting_getFixedTitle(nullptr));
}

TEST_F(ApmTest, IdentityAndPlacesAsWideTexts) {
    EXPECT_EQ(std::wstring(_System_getKeychipId()->keychipId), L"A00E0000001");
    EXPECT_EQ(std::wstring(_System_getGameId()), L"KVZD");
    EXPECT_EQ(_System_getGameVersion()->major, 1u);
    EXPECT_EQ(std::wstring(_AllnetAuth_getLocationName()), L"Caf\u00e9 Nord");
    EXPECT_EQ(std::wstring(_AllnetAuth_getAbaasGsServerName()), L"localhost");
    EXPECT_EQ(_AllnetAuth_getLocationId(), 1);
    EXPECT_FALSE(_AllnetAuth_isGood());
    EXPECT_FALSE(_Aime_isDBAlive());
    std::wstring root = _System_getAppRootPath();
    EXPECT_EQ(root.back(), L'/');
    EXPECT_TRUE(std::filesystem::is_directory(dir.str() + "/root"));
}

TEST_F(ApmTest, NoCardReaderRefusesToStart) {
    EXPECT_FALSE(_Aime_start());
    EXPECT_FALSE(_Aime_isBusy());
}

TEST_F(ApmTest, CardReadWithConfirmationGivesIdAndAccessCode) {
    settings.cardReader = true;
    install();
    ASSERT_TRUE(_Aime_start());
    _Core_execute();
    EXPECT_TRUE(_Aime_isBusy());
    EXPECT_FALSE(_Aime_hasResult());
    cab->cardReader.askConfirm(1);
    cab->cardReader.present({5150, "00112233445566778899"});
    _Core_execute();
    EXPECT_TRUE(_Aime_hasConfirm());
    EXPECT_EQ(_Aime_getConfirm(), 1);
    EXPECT_TRUE(_Aime_acceptConfirm());
    _Core_execute();
    EXPECT_FALSE(_Aime_isBusy());
    ASSERT_TRUE(_Aime_hasResult());
    int32_t id = 0;
    EXPECT_TRUE(_Aime_getAimeId(&id));
    EXPECT_EQ(id, 5150);
    ApmAccessCode code;
    EXPECT_TRUE(_Aime_getAccessCode(&code));
    EXPECT_EQ(std::u16string(code.digits), u"00112233445566778899");
    _Aime_setLedSuccess();
    EXPECT_EQ(cab->cardReader.ledSuccess, 1);
}

TEST_F(ApmTest, CardErrorSpoilsOneReadAndCancelEndsARead) {
    settings.cardReader = true;
    install();
    cab->cardReader.failNextRead(2);
    ASSERT_TRUE(_Aime_start());
    _Core_execute();
    EXPECT_TRUE(_Aime_hasError());
    EXPECT_EQ(_Aime_getErrorCategory(), 2);
    ASSERT_TRUE(_Aime_start());
    _Core_execute();
    EXPECT_FALSE(_Aime_hasError());
    EXPECT_TRUE(_Aime_isBusy());
    EXPECT_TRUE(_Aime_cancel());
    EXPECT_FALSE(_Aime_isBusy());
    cab->queueAnswers("card-cancel", {false});
    EXPECT_FALSE(_Aime_cancel());
}

}  // namespace
