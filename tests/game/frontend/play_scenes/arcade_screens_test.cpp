// The arcade screens: KEY CONFIG's swaps, its held-button block and its
// time-out; SCORE ATTACK's clamped values and time-out; GAME SELECT's codes.
#include "game/frontend/play_scenes/arcade_screens.h"

#include <gtest/gtest.h>

#include "game/core/app_switches.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/play_state.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/play_scenes/countdown_select.h"
#include "game/frontend/scene_words.h"
#include "game/records/card_profile.h"
#include "game/records/paths.h"
#include "tests/game/working_folder.h"

namespace {

constexpr uint32_t kArcadeUp = 0x1, kArcadeLeft = 0x4, kArcadeRight = 0x8, kArcadeButtonOne = 0x10;
constexpr uint32_t kArcadeTitl = objTag("TITL");

uint32_t cabinetBit(int k) { return 0x10u << (k - 1); }

class ArcadeScreensTest : public testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        setAppRootFolder(folder.path("root"));
        cardProfile = CardProfile{};
        CloseMenuFrame();
        arcadeMode = true;
        menuResultCode = -1;
        playIsRecorded = 0;
    }
    void TearDown() override {
        OBJtaskPoolInit();
        cardProfile = CardProfile{};
        CloseMenuFrame();
        padRaw = 0;
        playIsRecorded = 0;
        setAppRootFolder("");
    }
    void start(ObjTaskFn act) {
        task = OBJtaskCreate(act, 13, kArcadeTitl);
        pass();
        for (int k = 0; k < 30; ++k) pass();  // the input lock runs out
    }
    // One frame: raw cabinet buttons held, keys pressed (and repeated).
    void pass(uint32_t pressed = 0, uint32_t raw = 0) {
        padPressed = padRepeat = pressed;
        padRaw = raw;
        OBJtaskWalk(13, [](ObjTask* t) {
            if (t->act) t->act(t);
        });
        menuFrameUpdate();
        padPressed = padRepeat = padRaw = 0;
    }
    bool alive() const { return OBJtaskCountByTag(13, kArcadeTitl) > 0; }
    void runOut() {
        for (int k = 0; k < 400 && alive(); ++k) pass();
    }
    int32_t value(int row) const { return arcadeScreen.menu.values[size_t(row)]; }

    WorkingFolder folder;
    ObjTask* task = nullptr;
};

TEST_F(ArcadeScreensTest, KeyConfigSwapsAButtonAlreadyGivenToAnotherRow) {
    start(TSKarcadeKeyConfig);
    EXPECT_EQ(arcadeScreen.menu.cursor, kKeyConfigStartRow);
    for (int k = 0; k < 5; ++k) pass(kArcadeUp);  // GAME START -> 1(SHOT)
    ASSERT_EQ(arcadeScreen.menu.cursor, 0);
    ASSERT_EQ(value(2), 3);
    pass(0, cabinetBit(3));
    EXPECT_EQ(value(0), 3);
    EXPECT_EQ(value(2), 1);
    EXPECT_EQ(cardProfile.configShot, 3);
    EXPECT_EQ(cardProfile.configRapid, 1);
    // Held: neither another button nor the row keys act until all are up.
    pass(0, cabinetBit(3) | cabinetBit(7));
    pass(kArcadeUp, cabinetBit(3));
    EXPECT_EQ(value(0), 3);
    EXPECT_EQ(arcadeScreen.menu.cursor, 0);
    pass();
    pass(0, cabinetBit(12));
    EXPECT_EQ(value(0), 12);
}

TEST_F(ArcadeScreensTest, KeyConfigTimesOutAsGameStartOnAnyRowAndDefaultsRestore) {
    cardProfile.configShot = 9;
    start(TSKarcadeKeyConfig);
    pass(kArcadeUp);  // DEFAULT
    pass(kArcadeButtonOne);
    EXPECT_EQ(value(0), 1);
    EXPECT_EQ(value(3), 5);
    pass(kArcadeUp);
    pass(kArcadeUp);
    for (int k = 0; k < 30 * 60 && task->state == kObjStateRun; ++k) pass();
    EXPECT_EQ(menuResultCode, 16);
    runOut();
    EXPECT_FALSE(alive());
    EXPECT_EQ(cardProfile.configShot, 1);
    EXPECT_EQ(cardProfile.configBlow, 5);
}

TEST_F(ArcadeScreensTest, ScoreAttackValuesStopAtTheirLimitsAndTimeOutStarts) {
    cardProfile.configSaStage = 1;
    cardProfile.configSaFigType = 3;
    start(TSKarcadeScoreAttack);
    pass(kArcadeLeft);
    EXPECT_EQ(value(0), 1);
    pass(kArcadeRight);
    EXPECT_EQ(value(0), 2);
    for (int k = 0; k < 30 * 60 && task->state == kObjStateRun; ++k) pass();
    EXPECT_EQ(menuResultCode, 2);
    EXPECT_EQ(playIsRecorded, 1);
    runOut();
    EXPECT_FALSE(alive());
    EXPECT_EQ(arcadeScoreAttackChoice.stage, 2);
    EXPECT_EQ(arcadeScoreAttackChoice.leaderType, 3);
    EXPECT_EQ(cardProfile.configSaStage, 2);
}

TEST_F(ArcadeScreensTest, GameSelectLeavesStoryOrScoreAttack) {
    for (int32_t choice : {0, 1}) {
        OBJtaskPoolInit();
        cardProfile.configGameSelect = 0;
        start(TSKgameSelect);
        if (choice == 1) pass(0x2);
        pass(kArcadeButtonOne);
        runOut();
        EXPECT_FALSE(alive());
        EXPECT_EQ(menuResultCode, choice == 0 ? 0 : 18);
        EXPECT_EQ(cardProfile.configGameSelect, choice);
    }
}

TEST(ArcadeScreensButtons, CabinetButtonsByBit) {
    EXPECT_EQ(cabinetButtonOf(0), 0);
    EXPECT_EQ(cabinetButtonOf(0x10), 1);
    EXPECT_EQ(cabinetButtonOf(0x80000), 16);
    EXPECT_EQ(cabinetButtonOf(0x100000), 0);
}

}  // namespace
