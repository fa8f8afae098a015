#pragma once
// The game-control sequence driven frame by frame, as the game main update
// would: the stand-in cabinet's step (with its script), the input poll and
// one act pass over the 32 task groups (the play groups frozen while the
// continue screen is up), then the draw callbacks, the menu frame's step,
// the layer sort and the flush. The scenes are the front end's, built or
// stand-ins.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/draw_store.h"
#include "game/core/game_task.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/replay_folder_count.h"
#include "game/frontend/scenes.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/records/card_profile.h"
#include "game/records/paths.h"
#include "game/records/play_selection.h"
#include "game/records/ranking_file.h"
#include "game/records/settings_file.h"
#include "game/stages/stage_tables.h"
#include "platform/arcade/cabinet_script.h"
#include "tests/game/core/glue_fixture.h"
#include "tests/game/working_folder.h"

// Boot resources every one of which has loaded.
struct SequenceLoadedResources final : BootLoads::Client {
    bool soundDocumentLoaded() override { return true; }
    bool soundArchivesLoaded() override { return true; }
    void followUp(int) override {}
};

// The fixture's stages: the end row alone and resting layers. Each is
// cleared on its field's kStageFieldFrames-th running frame, as the death
// of its boss would (frame() calls seqStageClear).
inline constexpr int32_t kStageFieldFrames = 180;
inline constexpr SpawnRow kSequenceStageRows[] = {{0, -1, kSpawnEndFrame, 0, 0, {}}};
inline constexpr ScrollScript kSequenceStageLayer[] = {{0, 0, 0, 0, 0, 0}};
inline constexpr StageTables kSequenceStage = {
    kSequenceStageRows, 0, nullptr, 0, {kSequenceStageLayer, kSequenceStageLayer, kSequenceStageLayer, kSequenceStageLayer}};
inline constexpr StageTables kSequenceStages[kStageTableCount] = {kSequenceStage, kSequenceStage, kSequenceStage,
                                                                  kSequenceStage, kSequenceStage, kSequenceStage};

class SequenceTest : public GlueFixture {
protected:
    static constexpr uint32_t kGctr = objTag("GCTR");

    void SetUp() override {
        GlueFixture::SetUp();
        stageTablesUse(kSequenceStages);
        std::filesystem::create_directories(folder.path("root"));
        setAppRootFolder(folder.path("root"));
        gameSettings = GameSettings{};
        for (const SettingKey& key : kSettingKeyTable) gameSettings.*key.setting = key.defaultValue;
        gameSettings.trainingWordA = gameSettings.trainingWordB = 3;
        rankingTables().all = rankingLoadOrInit(makeAppRootPath(kRankingAllFile));
        rankingTables().today = rankingLoadOrInit(makeAppRootPath(kRankingTodayFile));
        OBJtaskPoolInit();
        OBJdrawRequestsClear();
        OBJdrawFlush();
        seqTask = nullptr;
        seqUploadRetries = 0;
        gamePhase = menuResultCode = stageNumber = pauseChoice = 0;
        playIsRecorded = continueScreenActive = pauseAllowed = gameExitRequested = attractMode = startRequest = 0;
        playFinished = 0;
        testMenuResultCode = 0;
        rankingNewMarks = {};
        CloseMenuFrame();
        resourcesLoaded();
        replayIoMode = 0;
        arcadeMode = true;
        setGameMode(2);
        setLeaderType(0);
    }
    void TearDown() override {
        GameTask::getInstance()->boot.reset();
        OBJtaskPoolInit();
        seqTask = nullptr;
        arcadeMode = true;
        rankingTables() = RankingTables{};
        setAppRootFolder("");
        stageTablesUse(nullptr);
        GlueFixture::TearDown();
    }

    // The root task's fonts and sounds loaded, so the boot scene goes on.
    static void resourcesLoaded() {
        GameTask* task = GameTask::getInstance();
        for (int k = 0; k < BootLoads::kFonts; ++k) task->boot.fontStatus(k).store(kReadDone);
        SequenceLoadedResources loaded;
        task->boot.poll(loaded);
    }

    // The platform up and the sequence created as the game's init does.
    void boot() {
        start();
        createSequence();
    }
    // A fresh pool holding a new sequence task, the platform as it is.
    void createSequence() {
        OBJtaskPoolInit();
        seqTask = nullptr;
        sequence = OBJtaskCreate(TSKgameCtrlAct, 0, kGctr);
        ASSERT_NE(sequence, nullptr);
        sequence->flags |= kObjTaskPersistent;
        visited = {sequence->state};
    }

    // Script lines whose first step counts from the cabinet's next step
    // ("+1 tap start" acts on the next frame).
    void script(const std::string& lines) {
        ASSERT_EQ(lines[0], '+');
        const size_t space = lines.find(' ');
        const int first = cab->stepCount() + std::stoi(lines.substr(1, space - 1));
        const auto load = arcade::parseCabinetScript(std::to_string(first) + lines.substr(space), "test");
        ASSERT_TRUE(load.problems.empty()) << load.problems.front();
        cab->setScript(load.actions);
    }

    static bool frozenWhileContinuing(int group) {
        return (group >= 1 && group <= 5) || group == 7 || group == 17;
    }

    void frame() {
        GlueFixture::frame(attractMode);
        OBJdrawRequestsClear();
        for (int group = 0; group < kObjTaskGroups; ++group) {
            if (continueScreenActive && frozenWhileContinuing(group)) continue;
            OBJtaskWalk(group, [](ObjTask* task) {
                const int32_t ageBefore = fixtureFieldAge(task);
                if (task->act) task->act(task);
                if (ageBefore != kStageFieldFrames && fixtureFieldAge(task) == kStageFieldFrames) seqStageClear();
                if ((task->flags & kObjTaskLive) && task->work && task->work->draw && task->work->visible) {
                    task->work->draw(task, task->work);
                }
            });
        }
        menuFrameUpdate();
        flushDraws();
        if (seqTask && seqTask->state != visited.back()) visited.push_back(seqTask->state);
    }
    static bool fieldRunning() {
        const ObjTaskGroup& fields = OBJtaskGroup(1);
        for (const ObjTask* task = fields.head.next; task != &fields.tail; task = task->next) {
            if (task->tag == objTag("FILD") && task->state == kObjStateRun) return true;
        }
        return false;
    }
    // The running frames of the task when it is a running field of the
    // fixture's stages; -1 otherwise.
    static int32_t fixtureFieldAge(const ObjTask* task) {
        if (task->tag != objTag("FILD") || task->state != kObjStateRun || !task->work) return -1;
        return stageSpawnTable(stageNumber) == kSequenceStageRows ? task->work->age : -1;
    }
    // The draw store emptied as the root task's draw does every frame; a test
    // that steps only the game main update calls it after each update, or the
    // scenes that draw every frame fill the store.
    static void flushDraws() {
        OBJdrawSortLayers();
        OBJdrawFlush();
    }

    // Frames until the sequence is in the state; false when it never gets there.
    bool runTo(int32_t state, int maxFrames = 2000) {
        for (int i = 0; i < maxFrames; ++i) {
            if (seqTask && seqTask->state == state) return true;
            frame();
        }
        return seqTask && seqTask->state == state;
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    // Ends the running scene of that tag the way a player would: START.
    void pressStart() {
        script("+1 tap start");
        frame();
    }
    // At the title, a player without a card logs in and starts: the start
    // request on the arcade platform or button 1 elsewhere, then button 1 on
    // the login's "don't use the card" (the first screen's cursor starts
    // there) and on "game start".
    void loginAtTitle() {
        ASSERT_TRUE(runTitleTo(0, 200)) << "the title never waited";
        // START on the attract side raises the start request in the game
        // main update, which this fixture does not run.
        if (arcadeMode) {
            startRequest = 1;
        } else {
            script("+1 tap button1");
        }
        ASSERT_TRUE(runTitleTo(2, 10)) << "no login screen";
        script("+1 tap button1");
        ASSERT_TRUE(runTitleTo(15, 10)) << "no start screen";
        frame();  // the button comes up again
        script("+1 tap button1");
        for (int i = 0; i < 5 && gamePhase != 2; ++i) frame();
        ASSERT_EQ(gamePhase, 2) << "the title did not start the play";
    }
    // Frames until the title waits (loginState 0, state 100, its loop
    // playing) or the login shows the state.
    bool runTitleTo(int32_t loginState, int maxFrames) {
        for (int i = 0; i < maxFrames; ++i) {
            frame();
            if (titleAt(loginState)) return true;
        }
        return false;
    }
    static bool titleAt(int32_t loginState) {
        bool found = false;
        OBJtaskWalk(13, [&found, loginState](ObjTask* task) {
            if (task->act != TSKtitle) return;
            if (loginState == 0) {
                found = task->state == kObjStateRun && task->actWords[kTitleLoopStarted] != 0;
            } else {
                found = task->state == kTitleLogin && cardProfile.loginState == loginState;
            }
        });
        return found;
    }

    // A countdown selection decided as a player would: button 1 once its
    // input lock is over; the sequence then leaves the wait state.
    void decideSelection(int32_t waitState) {
        ASSERT_EQ(sequence->state, waitState);
        frames(31);
        script("+1 tap button1");
        for (int i = 0; i < 1500 && sequence->state == waitState; ++i) frame();
        ASSERT_NE(sequence->state, waitState) << "the selection never ended";
    }
    // The stage result as a player leaves it: button 1 once the tally has
    // begun fills the lines; the scene then ends by itself.
    void leaveStageResult() {
        constexpr uint32_t kStgc = objTag("STGC");
        ASSERT_EQ(OBJtaskCountByTag(13, kStgc), 1);
        frames(kStageResultTallyFrame);
        script("+1 tap button1");
        for (int i = 0; i < 1200 && OBJtaskCountByTag(13, kStgc) > 0; ++i) frame();
        ASSERT_EQ(OBJtaskCountByTag(13, kStgc), 0) << "the stage result never ended";
    }
    static constexpr int kStageResultTallyFrame = 150;
    static bool overPromptShown() {
        bool shown = false;
        OBJtaskWalk(13, [&shown](ObjTask* task) { shown = shown || (task->act == TSKgameOver && task->state == kOverPrompt); });
        return shown;
    }
    // The game over, left to run out (no replay prompt on the arcade platform).
    void waitOutGameOver() {
        constexpr uint32_t kOver = objTag("OVER");
        ASSERT_EQ(OBJtaskCountByTag(13, kOver), 1);
        for (int i = 0; i < 1000 && OBJtaskCountByTag(13, kOver) > 0; ++i) frame();
        ASSERT_EQ(OBJtaskCountByTag(13, kOver), 0) << "the game over never ended";
    }

    // A scene left by hand with the code the test wants.
    void leaveScene(uint32_t tag, int32_t code) {
        menuResultCode = code;
        OBJtaskReleaseByTag(tag);
        frame();
    }
    bool visitedInOrder(const std::vector<int32_t>& states) const {
        size_t at = 0;
        for (int32_t state : visited) {
            if (at < states.size() && state == states[at]) ++at;
        }
        return at == states.size();
    }

    WorkingFolder folder;
    ObjTask* sequence = nullptr;
    std::vector<int32_t> visited;
};
