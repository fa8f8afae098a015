// Kind 122, the prologue's tutorial: the pages' timing with their fades, the
// skips (by the setting, by start held, once only), the skip line and its
// button number, the voices and their attract rule, the lessons and the
// free handler.
#include <gtest/gtest.h>

#include <string>

#include "game/bosses/tutorial.h"
#include "game/core/app_switches.h"
#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/input_words.h"
#include "game/core/play_state.h"
#include "game/objects/fighter_counters.h"
#include "game/records/settings_file.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"
#include "platform/arcade/cabinet.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

class TutorialTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        settingsSnapshot.TUTORIAL_DISP = 1;
        gameSettings.BUTTON_PAUSE = 5;
        padHeld = 0;
        attractMode = 0;
        gamePhase = 3;
        stageNumber = 0;
        savedArcade = arcadeMode;
        arcadeMode = false;
    }
    void TearDown() override {
        padHeld = 0;
        attractMode = 0;
        arcadeMode = savedArcade;
        arcade::cabinet().advertiseSound = true;
        OBJdrawRequestsClear();
        OBJdrawFlush();
        BossFixture::TearDown();
    }
    ObjTask* spawnTutorial() { return spawnBoss(122, 112.0f, 144.0f); }
    // The texts its draw queues now.
    std::vector<std::string> texts(ObjTask* tutorial) {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        TSKtutorialDraw(tutorial, tutorial->work);
        std::vector<std::string> out;
        for (int k = 0; k < OBJdrawStoreCount(); ++k) {
            const DrawObj* e = OBJdrawStoreEntry(k);
            if (e->type == kDrawBitmapText && e->text != nullptr) out.emplace_back(e->text);
        }
        return out;
    }
    bool savedArcade = false;
};

TEST_F(TutorialTest, SetUpPreparesTheFighterAndTheWords) {
    makeFighter();
    fighterSetEnergy(5000);
    fighterSetPage5Word(1);
    itemCarrierPlayActive = 1;
    gameSettings.THREAD_READ = 1;
    stagePreloadWord = 7;
    tutorialSkipped = 1;
    ObjTask* tutorial = spawnTutorial();
    ASSERT_NE(tutorial, nullptr);
    EXPECT_EQ(tutorial->release, TSKtutorialFree);
    EXPECT_EQ(tutorial->work->draw, TSKtutorialDraw);
    EXPECT_FLOAT_EQ(tutorial->work->depth, 607.0f);
    EXPECT_EQ(tutorialActive, 1);
    EXPECT_EQ(tutorialSkipped, 0);
    EXPECT_EQ(stagePreloadWord, 0) << "the sequence word, cleared as the stage results clear it";
    EXPECT_EQ(fighterGetEnergy(), 0);
    EXPECT_EQ(fighterGetBlowOff(), 1);
    EXPECT_EQ(fighterGetPage5Word(), 0);
    EXPECT_EQ(itemCarrierPlayActive, 0);
    OBJtaskRelease(tutorial);
    EXPECT_EQ(tutorialActive, 0) << "the free handler";
    gameSettings.THREAD_READ = 0;
}

TEST_F(TutorialTest, PagesAndFadesTakeTheirFrames) {
    ObjTask* tutorial = spawnTutorial();
    const EnemyFields& e = enemy(tutorial->work);
    // Frames begun in each (page, state).
    std::map<std::pair<int, int>, int> frames;
    std::vector<int> voice891, voice892;
    int n = 0;
    while (tutorial->state == kObjStateRun && n < 20000) {
        const std::pair<int, int> at{e.tutorialPage, e.tutorialState};
        runFrame(tutorial);
        ++frames[at];
        if (soundLayerState().soundGuard[891] != 0) voice891.push_back(n);
        if (soundLayerState().soundGuard[892] != 0) voice892.push_back(n);
        if (at.first == 0 && at.second == 1 && e.tutorialState == 2) EXPECT_EQ(voice891, std::vector<int>{n});
        if (at.first == 8 && e.tutorialPage == 9) EXPECT_EQ(voice892, std::vector<int>{n});
        ++n;
    }
    EXPECT_EQ(tutorial->state, kObjStateEnd);
    for (int page = 0; page < 10; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ((frames[{page, 0}]), 51);
        const int shown = page == 0 ? 181 : page == 1 || page == 9 ? 301 : 901;
        EXPECT_EQ((frames[{page, 1}]), shown);
        EXPECT_EQ((frames[{page, 2}]), 51);
    }
    EXPECT_EQ(voice891.size(), 1u);
    EXPECT_EQ(voice892.size(), 1u);
    EXPECT_EQ((frames[{10, 3}]), 1) << "ends the frame after the last page";
}

TEST_F(TutorialTest, TheSettingSkipsItAtAgeThirtyWithoutAVoice) {
    settingsSnapshot.TUTORIAL_DISP = 0;
    ObjTask* tutorial = spawnTutorial();
    runFrames(tutorial, 30);
    EXPECT_EQ(tutorialSkipped, 0);
    runFrame(tutorial);
    EXPECT_EQ(tutorialSkipped, 1) << "at age 30";
    EXPECT_EQ(enemy(tutorial->work).tutorialState, 3);
    EXPECT_EQ(tutorial->state, kObjStateRun);
    runFrame(tutorial);
    EXPECT_EQ(tutorial->state, kObjStateEnd) << "the next frame";
    EXPECT_EQ(soundLayerState().soundGuard[891] + soundLayerState().soundGuard[892], 0);
}

TEST_F(TutorialTest, StartHeldSkipsOnceAndALaterPressDoesNothingMore) {
    padHeld = 0x8000;
    ObjTask* tutorial = spawnTutorial();
    runFrames(tutorial, 30);
    EXPECT_EQ(tutorialSkipped, 0);
    runFrame(tutorial);
    EXPECT_EQ(tutorialSkipped, 1);
    // A skip already spent: the state is put back by hand and start again
    // changes nothing.
    enemy(tutorial->work).tutorialState = 1;
    padHeld = 0;
    runFrames(tutorial, 10);
    padHeld = 0x8000;
    runFrames(tutorial, 10);
    EXPECT_EQ(tutorial->state, kObjStateRun);
    EXPECT_NE(enemy(tutorial->work).tutorialState, 3);
}

TEST_F(TutorialTest, TheSkipLineFromAgeThirtyWhilePlaying) {
    const struct {
        bool arcade;
        int32_t button;
        int32_t phase;
        const char* line;  // none: not drawn
    } cases[] = {{false, 5, 3, "    5 BUTTON TO SKIP"},
                 {false, 16, 3, "   16 BUTTON TO SKIP"},
                 {true, 5, 3, "START BUTTON TO SKIP"},
                 {false, 5, 5, nullptr}};
    for (const auto& c : cases) {
        arcadeMode = c.arcade;
        gameSettings.BUTTON_PAUSE = c.button;
        gamePhase = c.phase;
        ObjTask* tutorial = spawnTutorial();
        runFrames(tutorial, 29);
        for (const std::string& text : texts(tutorial)) EXPECT_EQ(text.find("SKIP"), std::string::npos) << text;
        runFrame(tutorial);
        const std::vector<std::string> drawn = texts(tutorial);
        const bool found = std::find(drawn.begin(), drawn.end(), c.line ? c.line : "") != drawn.end();
        EXPECT_EQ(found, c.line != nullptr) << (c.line ? c.line : "none");
        if (c.line == nullptr) {
            for (const std::string& text : drawn) EXPECT_EQ(text.find("SKIP"), std::string::npos) << text;
        }
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

TEST_F(TutorialTest, NoVoiceInAttractWithItsSoundOff) {
    attractMode = 1;
    arcade::cabinet().advertiseSound = false;
    ObjTask* tutorial = spawnTutorial();
    bool heard = false;
    for (int n = 0; n < 20000 && tutorial->state == kObjStateRun; ++n) {
        runFrame(tutorial);
        heard = heard || soundLayerState().soundGuard[891] != 0 || soundLayerState().soundGuard[892] != 0;
    }
    EXPECT_FALSE(heard);
}

TEST_F(TutorialTest, TheLessonsOfThePages) {
    makeFighter();
    ObjTask* tutorial = spawnTutorial();
    EnemyFields& e = enemy(tutorial->work);
    const auto show = [&](int32_t page) {
        e.tutorialPage = page;
        e.tutorialState = 1;
        e.tutorialCounter = 1;
        runFrame(tutorial);
    };
    show(4);
    EXPECT_EQ(fighterGetEnergy(), 100) << "energy while not powered up";
    EXPECT_EQ(fighterGetGaugeMode(), 0);
    show(5);
    EXPECT_EQ(fighterGetPage5Word(), 1);
    show(6);
    EXPECT_EQ(fighterGetPage5Word(), 0);
    EXPECT_EQ(fighterGetGaugeMode(), 2);
    EXPECT_EQ(fighterGetBlowOff(), 0);
    itemCarrierChangeTimer = itemCarrierBombTimer = 0;
    show(7);
    EXPECT_EQ(tutorialCarrierPhase, 1);
    EXPECT_EQ(itemCarrierPlayActive, 1);
    EXPECT_GE(itemCarrierChangeTimer, 50);
    EXPECT_EQ(itemCarrierBombTimer, 0);
    show(8);
    EXPECT_EQ(tutorialCarrierPhase, 2);
    EXPECT_EQ(itemCarrierChangeTimer, 0);
    show(3);
    EXPECT_EQ(tutorialCarrierPhase, 0);
    EXPECT_EQ(itemCarrierBombTimer, 0);
    EXPECT_EQ(tutorialHintShow[0], 1);
    EXPECT_EQ(tutorialHintBlink[0], 0);
    show(2);
    EXPECT_EQ(tutorialHintShow[0] + tutorialHintShow[2], 2);
    EXPECT_EQ(tutorialHintBlink[0], 1);
    // Entering page 6 sets the cooldown.
    e.tutorialPage = 5;
    e.tutorialState = 2;
    e.tutorialFade = 0.01f;
    runFrame(tutorial);
    EXPECT_EQ(e.tutorialPage, 6);
    EXPECT_EQ(fighterGetBlowCooldown() > 0, true);
}

}  // namespace
