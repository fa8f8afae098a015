#pragma once
// A fresh game main for one test: an empty pool and draw store, the frame
// update's words at their start values, no controls, a stand-in cabinet and
// a root task whose sounds are recorded by name ("ok", "cursor", "coin").

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/core/app_switches.h"
#include "game/core/bitmap_text.h"
#include "game/core/coin_hook.h"
#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/pause_menu.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_config.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/scene_words.h"
#include "game/objects/popups.h"
#include "game/objects/eshot.h"
#include "game/records/save_block.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/stage_field.h"
#include "platform/arcade/cabinet.h"

// Keeps the names of the sounds started, and whether anything was paused or resumed.
class SoundNames final : public SoundDevice {
public:
    std::vector<std::string> played;
    int pauses = 0;
    int resumes = 0;

    int32_t play(const std::string&, const std::string& name, float, const std::string&) override {
        played.push_back(name);
        return int32_t(played.size());
    }
    int32_t findSound(const std::string&, const std::string&) override { return -1; }
    void setSoundVolume(int32_t, float) override {}
    float getGroupVolume(const std::string&) override { return 1.0f; }
    void stopGroup(const std::string&) override {}
    void pauseGroup(const std::string&) override { ++pauses; }
    void resumeGroup(const std::string&) override { ++resumes; }
    void fadeGroupVolume(const std::string&, float, float, uint32_t) override {}
    void fadeSoundVolume(int32_t, float, float, uint32_t) override {}

    // Takes what was played since the last call.
    std::vector<std::string> take() { return std::exchange(played, {}); }
};

inline void resetGameMainWords() {
    pauseState = kPauseClosed;
    pauseCursor = 0;
    pauseCountdown = 0;
    pauseRowTimer.fill(kPauseRowTimerMax);
    pauseChoice = 0;
    pauseAllowed = 0;
    gamePaused = 0;
    actPassCount = 1;
    actPassRequest = 1;
    slowMotionFrames = 0;
    slowMotionPeriod = 0;
    slowMotionPeriodInUse = 0;
    gameFrameCounter = 0;
    continueScreenActive = 0;
    freezeByGameOver = 0;
    startRequest = 0;
    attractMode = 0;
    arcadeMode = false;
    toolMode = false;
    menuResultCode = 0;
    stageFrame = -1;
    gameExitRequested = 0;
    fpsFrameCount = 0;
    fpsValue = 0.0f;
    menuFrameHidden = 1;
    menuFrameState = kMenuFrameDone;
    menuFrameGlowOn = 0;
    rankingViewShown = 0;
    eshotConvertCountdown = 0;
    scorePopupTimer = 0;
    enemyExplosionTimer = 0;
    layerTintTimer = 0;
    eshotCancelClear();
    gameSettings = {};
    gameSettings.SOUND_OUT = 1;
    saveBlock() = {};
    coinFlag = 0;
}

class GameMainFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        OBJdrawRequestsClear();
        OBJdrawFlush();
        inputWordsReset();
        inputRemapHook = nullptr;
        resetGameMainWords();
        SDL2_wheel_TextInit();
        // The sound requests read this key; a present key keeps them off "Log.txt".
        SDL2_wheel_ConfigSetInt("SOUND_OUT", 1);
        soundLayerState().soundGuard.fill(0);
        auto made = std::make_unique<arcade::Cabinet>();
        made->liveControls = false;
        cabinet = made.get();
        arcade::installCabinet(std::move(made));
        task = GameTask::getInstance();
        ASSERT_NE(task, nullptr);
        task->soundDevice = &sounds;
        task->soundReady = true;
    }
    void TearDown() override {
        task->soundDevice = nullptr;
        task->soundReady = false;
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        OBJdrawRequestsClear();
        OBJdrawFlush();
        resetGameMainWords();
        inputWordsReset();
        arcade::installCabinet(nullptr);
    }

    // One update with these input words from the previous poll.
    bool update(uint32_t pressed = 0, uint32_t repeat = 0, bool keepRunning = true) {
        padPressed = pressed;
        padRepeat = repeat;
        return gameMainUpdate(keepRunning);
    }

    GameTask* task = nullptr;
    arcade::Cabinet* cabinet = nullptr;
    SoundNames sounds;
};
