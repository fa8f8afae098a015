// Off the cabinet: restarting a stage or the game, leaving a play for its
// menu, the score-attack and training starts with their settings checked,
// and what the sequence draws.
#include "game/core/game_sequence.h"

#include <algorithm>
#include <cstring>

#include "game/core/app_switches.h"
#include "game/core/screen_effects.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_services.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

constexpr uint32_t kMenu = objTag("MENU");

class SequenceMenusTest : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        arcadeMode = false;
    }
    // Into a play of that kind from the main menu.
    void playFromTheMenu(int32_t code) {
        if (cab) {
            createSequence();
        } else {
            boot();
        }
        frame();
        sequence->state = 2100;
        frames(2);
        ASSERT_EQ(sequence->state, 2102);
        leaveScene(kMenu, code);
        if (code == 0) {
            for (int32_t wait : {251, 271}) {
                ASSERT_TRUE(runTo(wait));
                decideSelection(wait);
            }
        }
        ASSERT_TRUE(runTo(302, 40));
    }
    bool logHas(const char* text) const {
        const auto lines = folder.logLines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != l.npos; });
    }
};

TEST_F(SequenceMenusTest, RestartGameOfAStoryPlayStartsAgainAtStageOne) {
    playFromTheMenu(0);
    stageNumber = 3;
    playIsRecorded = 0;
    pauseChoice = 2;
    frame();
    EXPECT_EQ(pauseChoice, 0);
    EXPECT_EQ(stageNumber, 1);
    EXPECT_EQ(playIsRecorded, 1);
    EXPECT_EQ(sequence->state, 301);
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 1);
    EXPECT_NE(fighterGetWork(), nullptr);
    frame();
    EXPECT_EQ(sequence->state, 302);
    EXPECT_EQ(pauseAllowed, 1);
}

struct RestartCase {
    const char* name;
    int32_t code;    // the menu's code that starts the play
    int32_t choice;  // the pause menu's
    uint8_t recorded;
};

TEST_F(SequenceMenusTest, RestartsThatKeepTheStage) {
    const RestartCase cases[] = {
        {"story, restart stage", 0, 1, 0},
        {"score attack, restart stage", 2, 1, 1},
        {"score attack, restart game", 2, 2, 0},
        {"training, restart stage", 8, 1, 0},
        {"training, restart game", 8, 2, 0},
    };
    for (const RestartCase& c : cases) {
        SCOPED_TRACE(c.name);
        playFromTheMenu(c.code);
        playIsRecorded = 1;
        const int32_t stage = stageNumber;
        pauseChoice = c.choice;
        frame();
        EXPECT_EQ(sequence->state, 303);
        EXPECT_EQ(playIsRecorded, c.recorded);
        EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 0);
        frames(2);
        EXPECT_EQ(sequence->state, 302);
        EXPECT_EQ(stageNumber, stage);
        EXPECT_EQ(gamePhase, 3);
        EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 1);
        EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 1);
    }
}

struct ReturnCase {
    const char* name;
    int32_t code;
    int32_t menu;
};

TEST_F(SequenceMenusTest, ReturnToMenuLeavesForThePlaysMenu) {
    const ReturnCase cases[] = {
        {"score attack", 2, 2110},
        {"training", 8, 2150},
    };
    for (const ReturnCase& c : cases) {
        SCOPED_TRACE(c.name);
        playFromTheMenu(c.code);
        script("+1 tap button6");
        frame();
        EXPECT_EQ(sequence->state, c.menu);
        EXPECT_EQ(gamePhase, 1);
        EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);
        EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 0);
    }
}

TEST_F(SequenceMenusTest, OnTheCabinetThePlayIgnoresTheMenuButtonAndThePauseChoices) {
    playFromTheMenu(2);
    arcadeMode = true;
    pauseChoice = 3;
    script("+1 tap button6");
    frames(2);
    EXPECT_EQ(sequence->state, 302);
    EXPECT_EQ(pauseChoice, 3);
}

TEST_F(SequenceMenusTest, ScoreAttackRecordsInOriginalFromItsSettings) {
    setGameMode(0);
    gameSettings.SCOREATTACK_STAGE = 4;
    gameSettings.SCOREATTACK_LEADERFIGHTERTYPE = 2;
    gameSettings.SCOREATTACK_AUTOGAMESYSTEM = 0;
    gameSettings.THREAD_READ = 0;
    gameSettings.SAVE_REPLAY = 1;
    replayTempFolder = makeAppRootPath("replay/temp");
    playFromTheMenu(2);
    EXPECT_EQ(gameMode, 2);
    EXPECT_EQ(stageNumber, 4);
    EXPECT_EQ(selectedLeaderType, 2);
    EXPECT_EQ(autoGameSystem, 0);
    EXPECT_EQ(replayIoMode, 1);
    EXPECT_EQ(fighterGetEntryWord(), 5);
    EXPECT_EQ(fighterGetCreditCount(), 1);
    EXPECT_TRUE(logHas("bgst4_0.png : file not found"));  // read ahead without THREAD_READ
    // A cleared score-attack stage ends the play: game over, then the ranking view.
    playIsRecorded = 1;
    fighterAddScore(5000000000ull);
    ASSERT_TRUE(runTo(401, 400));
    leaveStageResult();
    frame();
    EXPECT_EQ(sequence->state, 500);
    EXPECT_EQ(playFinished, 1);
    EXPECT_EQ(rankingLatestCategory, 7);
    // The stage result added the no-miss bonus of stage 4 at the score attack's x3.0.
    EXPECT_EQ(rankingTables().today->at(3, 7, 0).score, 5000000000ull + 12000000ull);
    ASSERT_TRUE(runTo(501, 5));
    // A ranked home play offers to keep its replay; button 1 keeps it.
    EXPECT_EQ(replayFolderCount(), 0);
    for (int i = 0; i < 1000 && !overPromptShown(); ++i) frame();
    ASSERT_TRUE(overPromptShown()) << "no SAVE REPLAY? prompt";
    script("+1 tap button1");
    waitOutGameOver();
    EXPECT_EQ(replayFolderCount(), 1);
    EXPECT_TRUE(std::filesystem::exists(replayDatedFolder + "/rep_st04.dat"));
    replayTempFolder.clear();
    frame();
    EXPECT_EQ(sequence->state, 2130);
}

TEST_F(SequenceMenusTest, TrainingStartsFromItsSettings) {
    gameSettings.TRAINING_GAMEMODE = 3;
    gameSettings.TRAINING_STAGE = 4;
    gameSettings.TRAINING_STARTPOINT = 3;
    gameSettings.TRAINING_ENERGY = 50;
    gameSettings.TRAINING_ITEMCARRIER_CHANGE = 10;
    gameSettings.TRAINING_ITEMCARRIER_BOMB = 100;
    gameSettings.TRAINING_POWERUP = 2;
    gameSettings.trainingWordA = 9;
    gameSettings.THREAD_READ = 1;
    replayIoMode = 2;
    playFromTheMenu(8);
    EXPECT_EQ(gameMode, 3);
    EXPECT_EQ(stageNumber, 4);
    EXPECT_EQ(trainingStartStage, 4);
    EXPECT_EQ(stageFrame, 14680 + 1) << "the start point, and the field's first frame";
    EXPECT_EQ(replayIoMode, 0);  // the play start's; training itself leaves it
    EXPECT_EQ(fighterGetEnergy(), 5000);
    EXPECT_TRUE(fighterIsPowerUp());
    EXPECT_EQ(fighterGetLives(), 6);  // at most 6
    EXPECT_EQ(fighterGetStock(), 3);
    EXPECT_EQ(itemCarrierChangeTimer, 1800);
    EXPECT_EQ(itemCarrierBombTimer, 18000);
    EXPECT_EQ(fighterGetEntryWord(), 5);
    EXPECT_FALSE(logHas("bgst4_0.png : file not found"));  // THREAD_READ leaves the images to the stage load
    // A cleared training stage goes back to the training menu.
    ASSERT_TRUE(runTo(401, 400));
    leaveStageResult();
    frame();
    EXPECT_EQ(sequence->state, 2150);
}

struct ClampCase {
    const char* name;
    int32_t code;
    int32_t setting;  // the stage setting
    int32_t point;
    int32_t stage;
    int32_t startFrame;
    const char* logged;
};

// Settings straight from "config.txt" index the start-point table and the
// stage readers: out of range they are corrected, and the log says so.
TEST_F(SequenceMenusTest, OutOfRangeStageAndStartPointSettingsAreCorrected) {
    const ClampCase cases[] = {
        {"training stage 9, point 7", 8, 9, 7, 5, 21096, "TRAINING_STAGE=9 is out of range 0..5: 5 is used"},
        {"training stage -2, point -1", 8, -2, -1, 0, 0, "TRAINING_STARTPOINT=-1 is out of range 0..3: 0 is used"},
        {"score attack stage 0", 2, 0, 0, 1, -1, "SCOREATTACK_STAGE=0 is out of range 1..5: 1 is used"},
        {"score attack stage 17", 2, 17, 0, 5, -1, "SCOREATTACK_STAGE=17 is out of range 1..5: 5 is used"},
    };
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(c.name);
        folder.clearLog();
        gameSettings.TRAINING_STAGE = c.setting;
        gameSettings.SCOREATTACK_STAGE = c.setting;
        gameSettings.TRAINING_STARTPOINT = c.point;
        playFromTheMenu(c.code);
        EXPECT_EQ(stageNumber, c.stage);
        EXPECT_EQ(stageFrame, c.startFrame + 1) << "the start point, and the field's first frame";
        EXPECT_TRUE(logHas(c.logged));
    }
}

TEST_F(SequenceMenusTest, ArcadeScoreAttackChoiceIsCorrectedToo) {
    arcadeMode = true;
    boot();
    frame();
    sequence->state = 3180;
    frames(2);
    // The screen stores its own, clamped choice as it goes; a word out of
    // range written after it is corrected all the same.
    OBJtaskReleaseByTag(objTag("TITL"));
    arcadeScoreAttackChoice = ArcadeScoreAttackChoice{1, 0, 0, 6};
    ASSERT_TRUE(runTo(302, 10));
    EXPECT_EQ(stageNumber, 5);
    EXPECT_EQ(selectedLeaderType, 1);
    EXPECT_TRUE(logHas("score attack stage=6 is out of range 1..5: 5 is used"));
}

struct DrawnText {
    int32_t type;
    std::string text;
};

std::vector<DrawnText> drawnTexts() {
    std::vector<DrawnText> texts;
    for (int i = 0; i < OBJdrawStoreCount(); ++i) {
        const DrawObj* entry = OBJdrawStoreEntry(i);
        if (entry->text) texts.push_back({entry->type, entry->text});
    }
    return texts;
}

TEST_F(SequenceMenusTest, ContinueScreenNamesTheButtons) {
    boot();
    frame();
    gameSettings.BUTTON_01 = 3;
    gameSettings.BUTTON_02 = 40;  // no such button
    sequence->state = 1101;
    OBJdrawRequestsClear();
    TSKgameCtrlDraw(sequence, sequence->work);
    const auto texts = drawnTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "YES= 3 BUTTON");
    EXPECT_EQ(texts[1].text, " NO=OFF BUTTON");
    OBJdrawSortLayers();
    OBJdrawFlush();
    // The score attack has no continue screen.
    menuResultCode = 2;
    TSKgameCtrlDraw(sequence, sequence->work);
    EXPECT_EQ(OBJdrawStoreCount(), 0);
}

TEST_F(SequenceMenusTest, OfflineNoticeIsTheOnlyOtherDrawing) {
    boot();
    frame();
    sequence->state = 506;
    sequence->work->family.words[kSeqWorkCountdown] = 7;
    OBJdrawRequestsClear();
    TSKgameCtrlDraw(sequence, sequence->work);
    const auto texts = drawnTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].type, kDrawFontText);
    EXPECT_EQ(texts[0].text, "プレイデータを保存できませんでした。");
    EXPECT_EQ(texts[1].text, "ボタン１：終了");
    OBJdrawSortLayers();
    OBJdrawFlush();
    sequence->state = 302;
    TSKgameCtrlDraw(sequence, sequence->work);
    EXPECT_EQ(OBJdrawStoreCount(), 0);
}

}  // namespace
