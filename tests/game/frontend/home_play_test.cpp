// Home play as a new player walks it, every frame through the game main
// update: the title leads to the main menu, CONFIG changes a volume that the
// sound layer hears at once and "config.txt" keeps, SCORE ATTACK and
// TRAINING start their plays with the chosen values, EXIT GAME ends the
// program.
#include <string>

#include "game/core/game_main.h"
#include "game/core/stage_load.h"
#include "game/frontend/config_menu.h"
#include "game/frontend/main_menu.h"
#include "game/frontend/score_attack_menu.h"
#include "game/frontend/training_menu.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

constexpr int32_t kMainMenuWait = 2102;

class MainMenuHomePlayTest : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        arcadeMode = false;
        mainMenuCursor = 0;
        configMenu.cursor = 0;
    }
    void TearDown() override {
        gameExitRequested = 0;
        SequenceTest::TearDown();
    }
    // The root task's frame: the platform, the game main update, the draw.
    bool homeFrame() {
        coinFlag = 0;
        SDL2_wheel_APMUpdate(kFrameMicroseconds, attractMode);
        const bool goOn = gameMainUpdate(true);
        playTimeShown = false;
        for (int i = 0; i < OBJdrawRequestCount(); ++i) {
            const DrawObj* e = OBJdrawStoreEntry(i);
            if (e->text && std::string(e->text).rfind("PLAYTIME", 0) == 0) playTimeShown = true;
        }
        flushDraws();
        if (sequence->state != visited.back()) visited.push_back(sequence->state);
        return goOn;
    }
    bool homeRunTo(int32_t state, int limit = 600) {
        for (int i = 0; i < limit && sequence->state != state; ++i) homeFrame();
        return sequence->state == state;
    }
    // A press and its release, then the frames for the screen to take it.
    void tap(const char* button, int times = 1) {
        for (int i = 0; i < times; ++i) {
            script(std::string("+1 tap ") + button);
            for (int f = 0; f < 3; ++f) homeFrame();
        }
    }
    // The title's login as a player without a card goes through it: button 1
    // at the waiting title, on "don't use the card", then on "game start".
    void homeLogin() {
        for (int32_t screen : {0, 2, 15}) {
            bool shown = false;
            for (int i = 0; i < 200 && !shown; ++i) {
                homeFrame();
                shown = titleAt(screen);
            }
            ASSERT_TRUE(shown) << "the title never showed login screen " << screen;
            tap("button1");
        }
    }
    // A screen opened by the sequence, its input lock over.
    void settle() {
        for (int f = 0; f < 12; ++f) homeFrame();
    }

    bool playTimeShown = false;
};

TEST_F(MainMenuHomePlayTest, ANewPlayerWalksTheMainMenuAndItsScreens) {
    boot();
    ASSERT_TRUE(homeRunTo(201, 1000));
    homeLogin();
    ASSERT_TRUE(homeRunTo(kMainMenuWait, 60));
    settle();
    EXPECT_TRUE(playTimeShown);

    // CONFIG: one step down on VOICE VOLUME, heard at once, kept on leaving.
    tap("down", 5);
    tap("button1");
    ASSERT_TRUE(homeRunTo(2172, 60));
    settle();
    const int32_t volume = gameSettings.VOICE_VOLUME;
    ASSERT_GT(volume, 0);
    tap("down", 9);
    tap("left");
    EXPECT_EQ(gameSettings.VOICE_VOLUME, volume - 10);
    tap("up", 10);
    EXPECT_EQ(configMenu.cursor, 20);
    tap("button1");
    ASSERT_TRUE(homeRunTo(kMainMenuWait, 60));
    EXPECT_NE(SequenceTest::folder.read(SequenceTest::folder.path("root/config.txt"))
                  .find("VOICE_VOLUME=" + std::to_string(volume - 10) + "\n"),
              std::string::npos);

    // SCORE ATTACK: stage 3 after the white fade.
    settle();
    tap("up", 4);
    tap("button1");
    ASSERT_TRUE(homeRunTo(2112, 60));
    settle();
    tap("down");
    scoreAttackMenu.values[1] = 1;
    tap("right", 2);
    EXPECT_EQ(scoreAttackMenu.values[1], 3);
    tap("up");
    tap("button1");
    ASSERT_TRUE(homeRunTo(302, 200));
    EXPECT_TRUE(visitedInOrder({2112, 2120, 302}));
    EXPECT_EQ(stageNumber, 3);
    EXPECT_EQ(playIsRecorded, 1);
    tap("button6");
    ASSERT_TRUE(homeRunTo(2112, 60));
    settle();
    tap("up");
    tap("button1");
    ASSERT_TRUE(homeRunTo(kMainMenuWait, 60));

    // TRAINING: stage 2 from its boss.
    settle();
    tap("down", 3);
    tap("button1");
    ASSERT_TRUE(homeRunTo(2152, 60));
    settle();
    tap("down", 5);
    trainingMenu.values[5] = 1;
    tap("right");
    tap("down");
    tap("right", 2);
    EXPECT_EQ(trainingMenu.values[6], 3);
    tap("up", 6);
    tap("button1");
    ASSERT_TRUE(homeRunTo(302, 200));
    EXPECT_TRUE(visitedInOrder({2152, 2160, 302}));
    EXPECT_EQ(stageNumber, 2);
    EXPECT_EQ(gameSettings.TRAINING_STAGE, 2);
    EXPECT_EQ(gameSettings.TRAINING_STARTPOINT, 3);
    EXPECT_EQ(playIsRecorded, 0);
    tap("button6");
    ASSERT_TRUE(homeRunTo(2152, 60));
    settle();
    tap("up");
    tap("button1");
    ASSERT_TRUE(homeRunTo(kMainMenuWait, 60));

    // EXIT GAME ends the program.
    settle();
    tap("down", 4);
    EXPECT_EQ(mainMenuCursor, 8);
    script("+1 tap button1");
    bool goOn = true;
    for (int f = 0; f < 60 && goOn; ++f) goOn = homeFrame();
    EXPECT_FALSE(goOn);
    EXPECT_EQ(sequence->state, 2200);
}

}  // namespace
