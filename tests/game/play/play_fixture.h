#pragma once
// Whole plays on the generated content: the sequence over the stand-in
// cabinet, every frame through the game main update as the root task steps
// it, with the motion slots stepped after it as the engine's motion tasks
// would and no rendering (the draw store is emptied each frame). The game
// folder is the build's, so the stages, their motion files and the scenes'
// are the generator's; the clock stands still, so a play's replay seed is
// the same every run. The pilot (tools/pilot) is at the controls in play:
// its word becomes the cabinet's switches before the frame, as a player's
// hands would.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_object.h"
#include "engine/motion/motion.h"
#include "game/core/game_main_resources.h"
#include "game/core/game_state_hash.h"
#include "game/core/pause_menu.h"
#include "game/core/psb_cache.h"
#include "game/core/replay_files.h"
#include "game/frontend/menus/replay_list.h"
#include "game/objects/fighter_counters.h"
#include "game/records/paths.h"
#include "game/records/settings_file.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_tables.h"
#include "platform/arcade/switch_map.h"
#include "platform/clock/fake_clock.h"
#include "tests/game/core/sequence_fixture.h"
#include "tools/pilot/pilot.h"

class PlayFixture : public SequenceTest {
protected:
    // The still clock's reading: the seed of every recorded stage.
    static constexpr uint32_t kPlayClockMilliseconds = 20261211;
    static constexpr int32_t kPlaying = 302;
    static constexpr int32_t kViewerList = 2140;

    void SetUp() override {
        SequenceTest::SetUp();
        platform::setClock(&clock);
        clock.setMilliseconds(kPlayClockMilliseconds);
        arcadeMode = false;
        stageTablesUse(nullptr);
        setResourceFolders({HALVIR_GAME_FOLDER});
        M_SPEC = "win";
        // The settings as the game's initialisation reads them (the words
        // the file doesn't keep included: the fighter's starting life).
        configEnsureFile();
        configLoad();
        replayTempFolder = folder.path("root/replay/temp");
        std::filesystem::create_directories(replayTempFolder);
        gamePaused = 0;
        actPassCount = actPassRequest = 1;
        slowMotionFrames = slowMotionPeriod = slowMotionPeriodInUse = 0;
        pauseState = kPauseClosed;
        // What the game main's initialisation loads before any scene.
        for (const char* name : kBaseMotionFiles) {
            SDL2_wheel_PsbLoad(("resource/motion/" + std::string(name) + ".psb").c_str());
        }
        boot();
    }
    void TearDown() override {
        GameTask::getInstance()->releaseLeftoverMotionSlots();
        GameTask::getInstance()->resetMotionSlots();
        menuFrameSlot = menuFrameBgSlot = -1;
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        M_SPEC.clear();
        replayIoMode = 0;
        replayInputFree();
        replayTempFolder.clear();
        replayDatedFolder.clear();
        replayChosenFolder.clear();
        setResourceFolders({});
        platform::setClock(nullptr);
        SequenceTest::TearDown();
    }

    // The cabinet switches that make a pad word (directions and buttons 1 to 4).
    static uint16_t switchesOf(uint32_t word) {
        static constexpr std::array<int, 8> kSwitchOfBit = {arcade::kSwitchUp,          arcade::kSwitchDown,
                                                            arcade::kSwitchLeft,        arcade::kSwitchRight,
                                                            arcade::kSwitchButton1,     arcade::kSwitchButton1 + 1,
                                                            arcade::kSwitchButton1 + 2, arcade::kSwitchButton1 + 3};
        uint16_t switches = 0;
        for (size_t bit = 0; bit < kSwitchOfBit.size(); ++bit) {
            if (word & (1u << bit)) switches |= uint16_t(1u << kSwitchOfBit[bit]);
        }
        return switches;
    }

    // The root task's frame step with the controls held as the word says:
    // the platform, the game main update, the draw store emptied, then the
    // motions one frame on.
    void playFrame(uint32_t word) {
        cab->heldSwitches = switchesOf(word);
        coinFlag = 0;
        SDL2_wheel_APMUpdate(kFrameMicroseconds, attractMode);
        ASSERT_TRUE(gameMainUpdate(true));
        flushDraws();
        GameTask* root = GameTask::getInstance();
        for (int32_t slot = 0; slot < MotionSlotTable::kSlots; ++slot) {
            if (MMotion* motion = root->slotMotion(slot)) motion->update();
        }
    }

    static bool fieldRunning() {
        bool running = false;
        OBJtaskWalk(1, [&running](ObjTask* task) {
            running = running || (task->tag == objTag("FILD") && task->state == kObjStateRun);
        });
        return running;
    }
    // A play frame: one of a running stage field of stages 1 to 5.
    static bool inPlay() { return stageNumber >= 1 && stageNumber <= 5 && fieldRunning(); }

    platform::FakeClock clock;
};
