#pragma once
// A fresh pool with one fighter in play: stage 1, ORIGINAL, a story play,
// control and weapons on, the pads driven by the test.

#include <gtest/gtest.h>

#include "game/core/game_random.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/sound_requests.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"

class FighterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        gamePhase = 3;
        stageNumber = 1;
        menuResultCode = 0;
        bossPresentFlag = 0;
        stageClearFlag = 0;
        stageResultActive = 0;
        replayIoMode = 0;
        replayInputFree();
        setGameMode(2);
        gameSystem = 0;
        selectedLeaderType = 0;
        settingsSnapshot.systemWord = 3;
        voiceMessageSetting = 1;
        voiceMessageReset();
        voiceMessageState().forcedLine = -1;
        padHeld = padPressed = 0;
        gameRandSeed(1234);
        soundLayerState().soundGuard.fill(0);
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        replayIoMode = 0;
        replayInputFree();
        padHeld = padPressed = 0;
        gamePhase = 0;
        stageNumber = 0;
        setGameMode(0);
    }

    // The fighter after its set-up, handed to the player.
    ObjTask* makeFighter() {
        task = OBJtaskCreate(TSKfighterAct, kFighterGroup, objTag("FIGH"));
        task->act(task);
        fighterSetControl(1);
        fighterSetWeaponsOn(1);
        fighterSetAbsent(0);
        // The weapon-change pause of the stage start runs out.
        frames(10, 0);
        return task;
    }
    ObjWork* work() const { return task->work; }
    FighterFields& f() const { return fighter(task->work); }
    // One act call with these pad words; newly pressed where held wasn't.
    void frame(uint32_t held) {
        padPressed = held & ~lastHeld;
        padHeld = held;
        lastHeld = held;
        task->act(task);
    }
    void frames(int n, uint32_t held) {
        for (int i = 0; i < n; ++i) frame(held);
    }

    ObjTask* task = nullptr;
    uint32_t lastHeld = 0;
};
