// TRAINING: the held buttons' steps, the ties of the game mode, the start
// point off stage 5, START's fade and save, and the hints naming buttons by
// number.
#include "game/frontend/training_menu.h"

#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "tests/game/frontend/menus_fixture.h"

namespace {

constexpr int32_t kTrainModeRow = 1;
constexpr int32_t kTrainStageRow = 5;
constexpr int32_t kTrainPointRow = 6;
constexpr int32_t kTrainCounterRow = 8;
constexpr int32_t kTrainDestructionRow = 13;

class TrainingMenuTest : public MenusFixture {
protected:
    void openOn(int32_t row) {
        storeSettings();
        open(TSKtrainingMenu);
        unlock();
        trainingMenu.cursor = row;
        sounds.take();
    }
    std::string pointShown() const {
        for (const DrawnEntry& e : drawn) {
            if (e.type == kDrawBitmapText && e.y == 38.0f + 12.0f * kTrainPointRow && e.x > 112.0f &&
                e.text[0] != '<' && e.text[0] != ' ') {
                return e.text;
            }
        }
        return "";
    }
};

struct StepCase {
    const char* name;
    uint32_t held;
    int32_t value;
};

TEST_F(TrainingMenuTest, HeldButtonsStepByTenHundredOrThousandButtonOneFirst) {
    const StepCase cases[] = {
        {"button 3", 0x40, 1000}, {"nothing", 0, 1},         {"buttons 1 and 3", 0x50, 10},
        {"button 2", 0x20, 100},  {"buttons 2 and 3", 0x60, 100},
    };
    gameSettings.TRAINING_DESTRUCTION = 0;
    openOn(kTrainDestructionRow);
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        trainingMenu.values[kTrainDestructionRow] = 0;
        pass(0, kRight, c.held);
        EXPECT_EQ(trainingMenu.values[kTrainDestructionRow], c.value);
    }
    pass(0, kLeft, 0x40);
    EXPECT_EQ(trainingMenu.values[kTrainDestructionRow], 0) << "clamped at 0";
}

TEST_F(TrainingMenuTest, GameModeLimitsTheItemCounterForGood) {
    gameSettings.TRAINING_GAMEMODE = 3;
    gameSettings.TRAINING_BONUSCOUNTER = 10000;
    gameSettings.TRAINING_RANK = 20;
    openOn(kTrainModeRow);
    EXPECT_EQ(trainingMenu.values[kTrainCounterRow], 10000);
    pass(0, kLeft);
    EXPECT_EQ(trainingMenu.values[kTrainModeRow], 2);
    EXPECT_EQ(trainingMenu.values[kTrainCounterRow], 3000);
    EXPECT_EQ(trainingMenu.values[7], 20);
    pass(0, kLeft);
    EXPECT_EQ(trainingMenu.values[kTrainCounterRow], 1000);
    EXPECT_EQ(trainingMenu.values[7], 0);
    pass(0, kLeft);
    EXPECT_EQ(trainingMenu.values[kTrainCounterRow], 0);
    for (int i = 0; i < 3; ++i) pass(0, kRight);
    EXPECT_EQ(trainingMenu.values[kTrainModeRow], 3);
    EXPECT_EQ(trainingMenu.values[kTrainCounterRow], 0);
}

TEST_F(TrainingMenuTest, StartPointSkipsTheSecondMidBossOffStageFive) {
    struct Walk {
        int32_t stage;
        std::vector<int32_t> right, left;
        std::vector<std::string> shown;
    };
    const Walk walks[] = {
        {3, {1, 3, 3}, {1, 0, 0}, {"MBOSS", "BOSS", "BOSS"}},
        {5, {1, 2, 3}, {2, 1, 0}, {"MBOSS1", "MBOSS2", "BOSS"}},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(w.stage);
        gameSettings.TRAINING_STAGE = w.stage;
        gameSettings.TRAINING_STARTPOINT = 0;
        openOn(kTrainPointRow);
        for (size_t i = 0; i < w.right.size(); ++i) {
            pass(0, kRight);
            EXPECT_EQ(trainingMenu.values[kTrainPointRow], w.right[i]);
            EXPECT_EQ(pointShown(), w.shown[i]);
        }
        for (int32_t want : w.left) {
            pass(0, kLeft);
            EXPECT_EQ(trainingMenu.values[kTrainPointRow], want);
        }
        OBJtaskReleaseByTag(kMenuTag);
    }
}

TEST_F(TrainingMenuTest, StageFourTurnsTheSecondMidBossIntoTheFirst) {
    gameSettings.TRAINING_STAGE = 5;
    gameSettings.TRAINING_STARTPOINT = 2;
    openOn(kTrainStageRow);
    pass(0, kLeft);
    EXPECT_EQ(trainingMenu.values[kTrainStageRow], 4);
    EXPECT_EQ(trainingMenu.values[kTrainPointRow], 1);
    EXPECT_EQ(pointShown(), "MBOSS");
}

TEST_F(TrainingMenuTest, StartFadesThirtyFramesThenSaves) {
    gameSettings.TRAINING_STAGE = 1;
    openOn(kTrainStageRow);
    pass(0, kRight);
    pass(0, kRight);
    trainingMenu.cursor = 0;
    playIsRecorded = 1;
    pass(kButton1);
    EXPECT_EQ(menuResultCode, 8);
    EXPECT_EQ(playIsRecorded, 0);
    EXPECT_EQ(played("ok"), 1);
    EXPECT_NE(fadeTask, nullptr);
    for (int frame = 1; frame < 30; ++frame) pass();
    EXPECT_TRUE(menuOpen());
    EXPECT_FALSE(configHas("TRAINING_STAGE=3"));
    pass();
    pass();
    EXPECT_FALSE(menuOpen());
    EXPECT_EQ(gameSettings.TRAINING_STAGE, 3);
    EXPECT_TRUE(configHas("TRAINING_STAGE=3"));
}

TEST_F(TrainingMenuTest, HintsNameTheAssignedButtonsByNumber) {
    gameSettings.BUTTON_01 = 7;
    gameSettings.BUTTON_02 = 40;  // no name for it in any table
    gameSettings.BUTTON_03 = -2;
    openOn(0);
    for (const char* hint :
         {"HOLD 7 BUTTON to CHANGE 10", "HOLD 40 BUTTON to CHANGE 100", "HOLD -2 BUTTON to CHANGE 1000"}) {
        EXPECT_NE(textEntry(hint), nullptr) << hint;
    }
    EXPECT_EQ(textEntry("HOLD 7 BUTTON to CHANGE 10")->y, 254.0f);
}

}  // namespace
