// A replay reproduces its play: a story play of more than 10,000 play frames
// is recorded headless, driven by a script of the stand-in cabinet through
// the whole game main update, and its kept stage files are then played back
// through the replay viewer, from the first stage and from stage 3, each
// time after the play's choices, the active settings and the generator were
// scrambled; the state hash of every play frame must match. So every word a
// stage file restores is needed: the seed, the choices, the settings and the
// fighter's snapshot that a playback from stage 3 starts from.
// The play is whatever the sequence reaches with the families built so far;
// the test grows with them. The menu frame's motion files are in the cache,
// so its slots are open and every update sets the slots' speed throughout.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/motion/motion.h"
#include "game/core/game_state_hash.h"
#include "game/core/game_task.h"
#include "game/core/pause_menu.h"
#include "game/core/psb_cache.h"
#include "game/core/game_random.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/menus/replay_list.h"
#include "game/frontend/scene_words.h"
#include "game/records/play_selection.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_tables.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

// Stage frames: five stages of these make more than 10,000 play frames.
constexpr int32_t kFieldFrames = 2100;
constexpr int kStages = 5;
constexpr int kScriptSteps = 12000;
// The sequence waiting for the main menu, and the story's first selection.
constexpr int32_t kMainMenuWait = 2102;
constexpr int32_t kModeSelect = 250;

// Stages whose one row is never due, so the test alone ends them.
constexpr SpawnRow kDeterminismRows[] = {{-1, 0, kSpawnEndFrame - 1, 0, 0, {}}, {0, -1, kSpawnEndFrame, 0, 0, {}}};
constexpr ScrollScript kDeterminismLayer[] = {{2, 0, 150, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
constexpr StageTables kDeterminismStage = {
    kDeterminismRows, 1, nullptr, 0, {kDeterminismLayer, kDeterminismLayer, kDeterminismLayer, kDeterminismLayer}};
constexpr StageTables kDeterminismStages[kStageTableCount] = {kDeterminismStage, kDeterminismStage,
                                                              kDeterminismStage, kDeterminismStage,
                                                              kDeterminismStage, kDeterminismStage};

using StageHashes = std::array<std::vector<uint64_t>, kStages + 1>;

class ReplayDeterminismTest : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        arcadeMode = false;
        stageTablesUse(kDeterminismStages);
        replayTempFolder = folder.path("root/replay/temp");
        gamePaused = 0;
        actPassCount = actPassRequest = 1;
        slowMotionFrames = slowMotionPeriod = slowMotionPeriodInUse = 0;
        pauseState = kPauseClosed;
        M_SPEC = "win";
        // The main menu's frame, and the other screens' the selections open.
        for (const char* key : {"menuframe", "menuframe_bg"}) {
            const std::vector<std::string> labels = {"start_a", "loop", "end_a"};
            auto document = motionfixture::document(key, "src", {"frame"}, "mainmenu", labels);
            const auto other = motionfixture::document(key, "src", {"frame"}, "othermenu", {"start", "loop", "end"});
            for (const char* object : {"othermenu", "modeselect", "fighterselect"}) {
                document.objects[object] = other.objects.at("othermenu");
            }
            psbCache()[key] = motionfixture::load(document).release();
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
        stageTablesUse(nullptr);
        replayIoMode = 0;
        replayInputFree();
        replayTempFolder.clear();
        replayDatedFolder.clear();
        replayChosenFolder.clear();
        SequenceTest::TearDown();
    }

    // The root task's frame step: the platform, the game main update, the flush.
    void gameFrame() {
        coinFlag = 0;
        SDL2_wheel_APMUpdate(kFrameMicroseconds, attractMode);
        ASSERT_TRUE(gameMainUpdate(true));
        flushDraws();
        // The stages (the prologue too) end where the test says.
        if (fieldRunning() && stageFrame == kFieldFrames) seqStageClear();
    }

    static void playThroughMenuFrame() {
        MMotion* motion = GameTask::getInstance()->slotMotion(menuFrameSlot);
        motion->setTime(motion->lastTime());
    }

    // A play frame is one of a running stage field of stages 1 to 5.
    static bool inPlay() { return stageNumber >= 1 && stageNumber <= kStages && fieldRunning(); }
    void keepHash(StageHashes& hashes) {
        if (inPlay()) hashes[size_t(stageNumber)].push_back(gameStateHash());
    }

    // Directions held for a while and the four buttons tapped, in an order of
    // our own generator's choosing (not the game's, which the play owns).
    static std::string playScript() {
        static const char* const moves[] = {"up", "down", "left", "right", "button1", "button2", "button4"};
        std::string lines;
        uint32_t state = 20261210;
        for (int step = 1; step < kScriptSteps;) {
            state = state * 1664525u + 1013904223u;
            const int hold = 1 + int(state >> 24) % 40;
            lines += "+" + std::to_string(step) + " tap " + moves[(state >> 8) % 7] + " for " + std::to_string(hold) + "\n";
            step += 1 + int(state >> 16) % 25;
        }
        return lines;
    }
    // Lines counted from the cabinet's next step, each from the first.
    void scriptFromNow(const std::string& lines) {
        std::string absolute;
        const int base = cab->stepCount();
        size_t at = 0;
        while (at < lines.size()) {
            const size_t end = lines.find('\n', at);
            const std::string line = lines.substr(at + 1, end - at - 1);
            const size_t space = line.find(' ');
            absolute += std::to_string(base + std::stoi(line.substr(0, space))) + line.substr(space) + "\n";
            at = end + 1;
        }
        const auto load = arcade::parseCabinetScript(absolute, "play");
        ASSERT_TRUE(load.problems.empty()) << load.problems.front();
        cab->setScript(load.actions);
    }

    // What a stage file restores is set otherwise, as after another play
    // and a visit to the settings.
    static void scramblePlay() {
        setGameMode((gameMode + 1) % 4);
        setLeaderType((selectedLeaderType + 1) % 4);
        setAutoGameSystem(1 - autoGameSystem);
        setDramaticMode(1 - dramaticMode);
        for (GameSettings* settings : {&gameSettings, &settingsSnapshot}) {
            settings->GAME_RANK += 3;
            settings->BG_BRIGHTNESS += 1;
        }
        gameRandSeed(gameRandState() ^ 0x5A5A5A5Au);
    }

    // The kept stage files through the viewer from a stage on, with nobody at the controls.
    void playBack(int32_t firstStage, StageHashes& played) {
        scriptFromNow("+1 release up down left right button1 button2 button4\n");
        createSequence();
        frame();
        scramblePlay();
        replayChosenFolder = replayTempFolder;
        replayChosenFirstStage = firstStage;
        menuResultCode = 6;
        seqGoToSelected();
        for (int i = 0; i < 20000 && sequence->state != 2140; ++i) {
            gameFrame();
            if (HasFatalFailure()) return;
            keepHash(played);
        }
        ASSERT_EQ(sequence->state, 2140) << "the viewer never went back to its list";
    }

    static void expectSameFrames(const StageHashes& recorded, const StageHashes& played, int32_t firstStage) {
        for (int stage = firstStage; stage <= kStages; ++stage) {
            SCOPED_TRACE(stage);
            const std::vector<uint64_t>& want = recorded[size_t(stage)];
            const std::vector<uint64_t>& got = played[size_t(stage)];
            ASSERT_EQ(got.size(), want.size());
            for (size_t i = 0; i < want.size(); ++i) {
                ASSERT_EQ(got[i], want[i]) << "first difference at play frame " << i;
            }
        }
    }
};

TEST_F(ReplayDeterminismTest, APlaybackReproducesTheRecordedPlayFrameByFrame) {
    StageHashes recorded;
    bool scripted = false;
    // The boot scenes end by themselves; at the title a player without a
    // card starts (button 1, then "don't use the card" and "game start");
    // the main menu's first row (GAME START) is chosen once its input lock is
    // over; the input starts with stage 1, the first stage a replay keeps.
    int32_t answered = -1;
    bool chosen = false;
    int32_t afterMainMenu = -1;
    for (int i = 0; i < 40000 && stageNumber <= kStages; ++i) {
        gameFrame();
        if (HasFatalFailure()) return;
        for (int32_t screen : {0, 2, 15}) {
            if (answered < screen && titleAt(screen)) {
                scriptFromNow("+1 release button1\n+3 tap button1\n");
                answered = screen;
            }
        }
        if (!chosen && sequence->state == kMainMenuWait) {
            ASSERT_EQ(mainMenuCursor, 0);
            scriptFromNow("+1 release button1\n+12 tap button1\n");
            chosen = true;
        }
        if (chosen && afterMainMenu < 0 && sequence->state != kMainMenuWait) afterMainMenu = sequence->state;
        // The motions are not stepped here: the frame's end label is played
        // through as the engine would.
        if (menuFrameState == kMenuFrameWait) playThroughMenuFrame();
        if (!scripted && stageNumber == 1 && inPlay()) {
            ASSERT_FALSE(replayInputWords().empty()) << "the stage load did not start the replay recording";
            ASSERT_TRUE(GameTask::getInstance()->motionSlots.valid(menuFrameSlot));
            ASSERT_TRUE(GameTask::getInstance()->motionSlots.valid(menuFrameBgSlot));
            scriptFromNow(playScript());
            scripted = true;
        }
        keepHash(recorded);
    }
    ASSERT_EQ(afterMainMenu, kModeSelect) << "the main menu's first row did not start a story play";
    ASSERT_EQ(stageNumber, kStages + 1) << "the recorded play never got past its last stage; the sequence is at " << sequence->state;
    size_t playFrames = 0;
    for (int stage = 1; stage <= kStages; ++stage) playFrames += recorded[size_t(stage)].size();
    ASSERT_GE(playFrames, 10000u);

    for (int32_t firstStage : {1, 3}) {
        SCOPED_TRACE(testing::Message() << "played back from stage " << firstStage);
        StageHashes played;
        playBack(firstStage, played);
        if (HasFatalFailure()) return;
        expectSameFrames(recorded, played, firstStage);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
