// SCORE ATTACK: the stored stage held to 1..5, a press past a bound silent,
// the assist's names, GAME START's 90-frame fade and EXIT's slide.
#include "game/frontend/score_attack_menu.h"

#include "game/core/play_state.h"
#include "tests/game/frontend/menus_fixture.h"

namespace {

constexpr int32_t kScoreStageRow = 1;

class ScoreAttackMenuTest : public MenusFixture {
protected:
    void openWith(int32_t stage) {
        gameSettings.SCOREATTACK_STAGE = stage;
        storeSettings();
        open(TSKscoreAttackMenu);
        unlock();
        sounds.take();
    }
};

TEST_F(ScoreAttackMenuTest, StoredStageOpensWithinOneToFive) {
    for (auto [stored, shown] : {std::pair{0, 1}, {9, 5}, {3, 3}, {-7, 1}}) {
        SCOPED_TRACE(stored);
        openWith(stored);
        EXPECT_EQ(scoreAttackMenu.values[kScoreStageRow], shown);
        OBJtaskReleaseByTag(kMenuTag);
    }
}

TEST_F(ScoreAttackMenuTest, RightOnFiveIsSilentAndTheAssistShowsItsNames) {
    gameSettings.SCOREATTACK_AUTOGAMESYSTEM = 0;
    openWith(5);
    scoreAttackMenu.cursor = kScoreStageRow;
    pass(0, kRight);
    EXPECT_EQ(scoreAttackMenu.values[kScoreStageRow], 5);
    EXPECT_EQ(played("cursor"), 0);
    pass(0, kLeft);
    EXPECT_EQ(scoreAttackMenu.values[kScoreStageRow], 4);
    EXPECT_EQ(played("cursor"), 1);
    EXPECT_NE(textEntry("MANUAL"), nullptr);
    scoreAttackMenu.cursor = 2;
    pass(0, kRight);
    EXPECT_NE(textEntry("ASSIST"), nullptr);
}

TEST_F(ScoreAttackMenuTest, GameStartEndsAfterNinetyFadeFramesInPlaceThenSaves) {
    openWith(2);
    scoreAttackMenu.cursor = kScoreStageRow;
    pass(0, kRight);
    scoreAttackMenu.cursor = 0;
    playIsRecorded = 0;
    pass(kButton1);
    EXPECT_EQ(menuResultCode, 2);
    EXPECT_EQ(playIsRecorded, 1);
    EXPECT_EQ(played("ok"), 1);
    EXPECT_EQ(played("typew_select_20_00"), 1);
    for (int frame = 1; frame < 90; ++frame) pass();
    EXPECT_TRUE(menuOpen());
    EXPECT_EQ(scoreAttackMenu.closeCounter, 0) << "it stays in place under the fade";
    pass();
    pass();
    EXPECT_FALSE(menuOpen());
    EXPECT_TRUE(configHas("SCOREATTACK_STAGE=3"));
}

TEST_F(ScoreAttackMenuTest, ExitSlidesAway) {
    openWith(1);
    scoreAttackMenu.cursor = 5;
    pass(kButton1);
    EXPECT_EQ(menuResultCode, 3);
    pass();
    EXPECT_EQ(scoreAttackMenu.closeCounter, 1);
    ASSERT_TRUE(runOut());
}

}  // namespace
