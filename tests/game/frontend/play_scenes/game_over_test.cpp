// The game over: the course of its states, the replay prompt only for a
// ranked home play with SAVE_REPLAY on, the folder limit and the count of
// kept folders.
#include "game/frontend/play_scenes/game_over.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/core/app_switches.h"
#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/frontend/replay_folder_count.h"
#include "game/frontend/scene_words.h"
#include "game/records/paths.h"
#include "game/records/settings_file.h"
#include "tests/game/working_folder.h"

namespace {

constexpr uint32_t kOver = objTag("OVER");

class GameOverTest : public testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        setAppRootFolder(folder.path("root"));
        std::filesystem::create_directories(folder.path("root/replay"));
        gameSettings = GameSettings{};
        for (const SettingKey& key : kSettingKeyTable) gameSettings.*key.setting = key.defaultValue;
        arcadeMode = false;
        playIsRecorded = 1;
        playFinished = 0;
        gameSettings.SAVE_REPLAY = 1;
        gameSettings.BUTTON_01 = 3;
        gameSettings.BUTTON_02 = 12;
    }
    void TearDown() override {
        OBJtaskPoolInit();
        arcadeMode = true;
        playIsRecorded = 0;
        freezeByGameOver = 0;
        replayTempFolder.clear();
        replayDatedFolder.clear();
        setAppRootFolder("");
    }
    ObjTask* start() {
        scene = OBJtaskCreate(TSKgameOver, 13, kOver);
        pass();
        return scene;
    }
    void pass(uint32_t pressed = 0) {
        padPressed = pressed;
        OBJtaskWalk(13, [](ObjTask* t) {
            if (t->act) t->act(t);
        });
        padPressed = 0;
    }
    // Passes until the scene is in the state or gone; the passes taken.
    int runTo(int32_t state, int limit = 1000) {
        int n = 0;
        while (OBJtaskCountByTag(13, kOver) > 0 && scene->state != state && n < limit) {
            pass();
            ++n;
        }
        return n;
    }
    bool alive() const { return OBJtaskCountByTag(13, kOver) > 0; }
    void makeFolders(int n) {
        for (int k = 0; k < n; ++k) {
            std::filesystem::create_directories(folder.path("root/replay/2026010" + std::to_string(k % 10) + "_" +
                                                            std::to_string(100000 + k)));
        }
    }

    WorkingFolder folder;
    ObjTask* scene = nullptr;
};

TEST_F(GameOverTest, RaisesTheOverFlagAndPromptsAfterTheEndLabel) {
    start();
    EXPECT_EQ(freezeByGameOver, 1);
    EXPECT_EQ(scene->state, kOverWait);
    EXPECT_LT(overLinePick, 5);
    const int frames = runTo(kOverPrompt);
    EXPECT_EQ(scene->state, kOverPrompt);
    EXPECT_GT(frames, 480);
    // The prompt waits without a time limit.
    for (int k = 0; k < 600; ++k) pass();
    EXPECT_EQ(scene->state, kOverPrompt);
    EXPECT_NE(folder.read(folder.path("Log.txt")).find("STEP_MAIN+3"), std::string::npos);
    pass(0x20);
    EXPECT_EQ(scene->state, kOverFade);
    runTo(-2, 100);
    EXPECT_FALSE(alive());
    EXPECT_EQ(freezeByGameOver, 0);
    EXPECT_TRUE(std::filesystem::exists(folder.path("root/config.txt")));
    EXPECT_TRUE(std::filesystem::exists(folder.path("root/save.dat")));
}

struct NoPromptCase {
    const char* name;
    bool arcade;
    int32_t saveReplay;
    uint8_t recorded;
};

TEST_F(GameOverTest, NoPromptOnTheArcadePlatformWithoutSaveReplayOrForAnUnrecordedPlay) {
    const NoPromptCase cases[] = {
        {"arcade", true, 1, 1},
        {"SAVE_REPLAY 0", false, 0, 1},
        {"unrecorded", false, 1, 0},
    };
    for (const NoPromptCase& c : cases) {
        SCOPED_TRACE(c.name);
        arcadeMode = c.arcade;
        gameSettings.SAVE_REPLAY = c.saveReplay;
        playIsRecorded = c.recorded;
        start();
        runTo(kOverFade);
        EXPECT_EQ(scene->state, kOverFade);
        runTo(-2, 100);
        EXPECT_FALSE(alive());
    }
}

TEST_F(GameOverTest, NinetyNineFoldersStillSaveAHundredRefuse) {
    replayTempFolder = folder.path("root/replay/temp");
    std::filesystem::create_directories(replayTempFolder);
    std::ofstream(replayTempFolder + "/rep_st01.dat") << "stage";
    replayDatedFolder = folder.path("root/replay/20261211_120000");
    makeFolders(98);
    std::ofstream(folder.path("root/replay/notes.txt")) << "x";
    EXPECT_EQ(replayFolderCount(), 98);  // "temp" and "notes.txt" are not counted
    makeFolders(99);
    ASSERT_EQ(replayFolderCount(), 99);
    start();
    runTo(kOverPrompt);
    ASSERT_EQ(scene->state, kOverPrompt);
    pass(0x10);
    EXPECT_EQ(scene->state, kOverKept);
    EXPECT_TRUE(std::filesystem::exists(replayDatedFolder + "/rep_st01.dat"));
    EXPECT_EQ(replayFolderCount(), 100);
    runTo(-2, 300);
    EXPECT_FALSE(alive());

    start();
    runTo(kOverNoRoom);
    ASSERT_EQ(scene->state, kOverNoRoom);
    EXPECT_NE(folder.read(folder.path("Log.txt")).find("getReplayDataCount=100 MAX=100"), std::string::npos);
    EXPECT_NE(folder.read(folder.path("Log.txt")).find("STEP_MAIN+5"), std::string::npos);
    pass(0x20);
    EXPECT_EQ(scene->state, kOverNoRoom);
    pass(0x10);
    EXPECT_EQ(scene->state, kOverFade);
}

TEST_F(GameOverTest, AClearedPlayTakesTheSecondHalfOfTheLinesAndSlidesItsScore) {
    playFinished = 1;
    start();
    EXPECT_GE(overLinePick, 5);
    EXPECT_EQ(overSlide, 32);
    runTo(kOverShow);
    for (int k = 0; k < 40; ++k) pass();
    EXPECT_EQ(overSlide, 0);
}

// The texts the scene draws this frame.
std::vector<std::string> drawnTexts(ObjTask* task) {
    OBJdrawRequestsClear();
    OBJdrawFlush();
    gameOverDraw(task, task->work);
    std::vector<std::string> texts;
    for (int k = 0; k < OBJdrawStoreCount(); ++k) {
        const DrawObj* entry = OBJdrawStoreEntry(k);
        if (entry->type == kDrawBitmapText && entry->text != nullptr) texts.emplace_back(entry->text);
    }
    OBJdrawRequestsClear();
    OBJdrawFlush();
    return texts;
}

TEST_F(GameOverTest, ThePromptPrintsTheButtonNumbers) {
    gameSettings.BUTTON_01 = 16;
    gameSettings.BUTTON_02 = 3;
    start();
    runTo(kOverPrompt);
    ASSERT_EQ(scene->state, kOverPrompt);
    const std::vector<std::string> texts = drawnTexts(scene);
    EXPECT_EQ(texts, (std::vector<std::string>{"SAVE REPLAY?", "YES=16 BUTTON", " NO= 3 BUTTON"}));
    scene->state = kOverNoRoom;
    EXPECT_EQ(drawnTexts(scene),
              (std::vector<std::string>{"REPLAYS CANNOT BE SAVED", "PLEASE DELETE THE FILE", "OK=16 BUTTON"}));
}

TEST(GameOverVoices, PartingVoicesByTypeAndPick) {
    EXPECT_EQ(overPartingVoice(0, 0), 284);
    EXPECT_EQ(overPartingVoice(0, 5), 279);
    EXPECT_EQ(overPartingVoice(2, 7), 592);
    EXPECT_EQ(overPartingVoice(3, 9), 747);
}

TEST(GameOverFolders, NoReplayFolderCountsNone) {
    WorkingFolder folder;
    setAppRootFolder(folder.path("nowhere"));
    EXPECT_EQ(replayFolderCount(), 0);
    setAppRootFolder("");
}

}  // namespace
