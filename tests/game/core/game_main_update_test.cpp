// The game main update: the pause menu, slow motion, the act passes, the
// play freezes, the replay viewer's speed, the per-pass steps and the exit.
#include <array>

#include "game/core/collision.h"
#include "game/core/controller_manager.h"
#include "game/core/wheel_log.h"
#include "platform/clock/fake_clock.h"
#include "tests/game/core/game_main_fixture.h"

namespace {

constexpr uint32_t kUp = 0x1, kDown = 0x2, kLeft = 0x4, kRight = 0x8, kButton1 = 0x10, kStart = 0x8000;

struct Tally {
    std::array<int, kObjTaskGroups> acts{};
    std::array<int, kObjTaskGroups> draws{};
    int hits = 0;
};
Tally tally;

void tallyAct(ObjTask* task) { ++tally.acts[size_t(task->group)]; }
void tallyDraw(ObjTask* task, ObjWork*) { ++tally.draws[size_t(task->group)]; }
void tallyHit(ObjTask*, ObjWork*) { ++tally.hits; }

void freeUpdateWork(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

constexpr HitBox kBox{0.0f, 0.0f, 4.0f, 4.0f};

ObjTask* spawn(int group, uint32_t tag = objTag("TEST")) {
    ObjTask* task = OBJtaskCreateTail(tallyAct, group, tag);
    task->work = OBJworkNew();
    task->release = freeUpdateWork;
    task->work->draw = tallyDraw;
    return task;
}

ObjTask* spawnHittable(int group) {
    ObjTask* task = spawn(group);
    task->work->hit = tallyHit;
    task->work->hitBoxes = &kBox;
    task->work->hitBoxCount = 1;
    return task;
}

int totalActs() {
    int sum = 0;
    for (int n : tally.acts) sum += n;
    return sum;
}

class GameMainUpdateTest : public GameMainFixture {
protected:
    void SetUp() override {
        GameMainFixture::SetUp();
        tally = {};
    }
};

struct PauseCase {
    const char* name;
    bool arcade;
    uint8_t allowed;
    uint8_t attract;
    int32_t play;  // menuResultCode
    int32_t state;
    int32_t cursor;
    uint32_t pressed;
    uint32_t repeat;
    int32_t wantState;
    int32_t wantCursor;
    int32_t wantChoice;
    int32_t wantCountdown;
    uint8_t wantPaused;
    uint8_t wantStartRequest;
    uint8_t wantAttract;
    std::vector<std::string> wantSounds;
};

const PauseCase kPauseCases[] = {
    {"START opens the menu", false, 1, 0, 0, 0, 3, kStart, 0, 1, 0, 0, 0, 1, 0, 0, {"ok"}},
    {"not while the sequence forbids it", false, 0, 0, 0, 0, 0, kStart, 0, 0, 0, 0, 0, 0, 0, 0, {}},
    {"START on the attract side asks for a play", true, 1, 1, 0, 0, 0, kStart, 0, 0, 0, 0, 0, 0, 1, 0, {}},
    {"never on the arcade platform", true, 1, 0, 0, 0, 0, kStart, 0, 0, 0, 0, 0, 0, 0, 0, {}},
    {"up wraps to the last of 4 rows", false, 1, 0, 0, 1, 0, 0, kUp, 1, 3, 0, 0, 1, 0, 0, {"cursor"}},
    {"up wraps to the last of 3 rows", false, 1, 0, 8, 1, 0, 0, kUp, 1, 2, 0, 0, 1, 0, 0, {"cursor"}},
    {"down wraps to the first row", false, 1, 0, 0, 1, 3, 0, kDown, 1, 0, 0, 0, 1, 0, 0, {"cursor"}},
    {"a held direction not repeating this update", false, 1, 0, 0, 1, 1, kDown, 0, 1, 1, 0, 0, 1, 0, 0, {}},
    {"RESTART STAGE", false, 1, 0, 0, 1, 1, kButton1, 0, 0, 1, 1, 0, 0, 0, 0, {"ok"}},
    {"RESTART GAME", false, 1, 0, 0, 1, 2, kButton1, 0, 0, 2, 2, 0, 0, 0, 0, {"ok"}},
    {"RETURN TO MENU of 4 rows", false, 1, 0, 0, 1, 3, kButton1, 0, 0, 3, 3, 0, 0, 0, 0, {"ok"}},
    {"training's row 2 returns to the menu", false, 1, 0, 8, 1, 2, kButton1, 0, 0, 2, 3, 0, 0, 0, 0, {"ok"}},
    {"score attack's row 1 restarts the stage", false, 1, 0, 2, 1, 1, kButton1, 0, 0, 1, 1, 0, 0, 0, 0, {"ok"}},
    {"RESUME and START together count down once", false, 1, 0, 0, 1, 0, kButton1 | kStart, 0, 2, 0, 0, 180, 1, 0,
     0, {"ok"}},
    {"START resumes from any row", false, 1, 0, 0, 1, 2, kStart, 0, 2, 2, 0, 180, 1, 0, 0, {"ok"}},
};

TEST_F(GameMainUpdateTest, PauseMenuStateTable) {
    for (const PauseCase& c : kPauseCases) {
        SCOPED_TRACE(c.name);
        resetGameMainWords();
        arcadeMode = c.arcade;
        pauseAllowed = c.allowed;
        attractMode = c.attract;
        menuResultCode = c.play;
        pauseState = c.state;
        gamePaused = c.state != kPauseClosed ? 1 : 0;
        pauseCursor = c.cursor;
        actPassRequest = 1;
        sounds.take();
        soundLayerState().soundGuard.fill(0);
        EXPECT_TRUE(update(c.pressed, c.repeat));
        EXPECT_EQ(pauseState, c.wantState);
        EXPECT_EQ(pauseCursor, c.wantCursor);
        EXPECT_EQ(pauseChoice, c.wantChoice);
        EXPECT_EQ(pauseCountdown, c.wantCountdown);
        EXPECT_EQ(gamePaused, c.wantPaused);
        EXPECT_EQ(startRequest, c.wantStartRequest);
        EXPECT_EQ(attractMode, c.wantAttract);
        EXPECT_EQ(sounds.take(), c.wantSounds);
    }
}

TEST_F(GameMainUpdateTest, OpeningPausesTheSoundAndChoosingResumesIt) {
    pauseAllowed = 1;
    actPassRequest = 2;
    update(kStart);
    EXPECT_GT(sounds.pauses, 0);
    EXPECT_EQ(sounds.resumes, 0);
    EXPECT_EQ(menuCursor.leftX, 112.0f);

    update();  // the selected row's bar slides in, the others stay out
    EXPECT_EQ(menuCursor.targetLeftX, 112.0f - float(6 * 8 / 2 + 40)) << "the brackets aim at RESUME";
    EXPECT_EQ(menuCursor.targetRightX, 112.0f + float(6 * 8 / 2 + 40));
    // 64 units off, the first step covers 16 of them.
    EXPECT_NEAR(menuCursor.leftX, 112.0f - 16.0f, 1e-3f);
    EXPECT_NEAR(menuCursor.rightX, 112.0f + 16.0f, 1e-3f);
    EXPECT_EQ(pauseRowTimer[0], 9);
    EXPECT_EQ(pauseRowTimer[1], 10);
    update(0, kDown);
    EXPECT_EQ(pauseRowTimer[0], 10);
    EXPECT_EQ(pauseRowTimer[1], 9);
    EXPECT_EQ(menuCursor.targetLeftY, 130.0f);
    EXPECT_GT(menuCursor.leftY, 118.0f) << "on its way down to the second row";

    update(kButton1);
    EXPECT_EQ(pauseChoice, 1);
    EXPECT_GT(sounds.resumes, 0);
    EXPECT_EQ(actPassCount, 1) << "a choice returns to one act pass an update";
}

TEST_F(GameMainUpdateTest, CountdownBeepsThenPlayResumesTheUpdateAfterZero) {
    spawn(13);
    pauseState = kPauseCountingDown;
    pauseCountdown = kPauseCountdownFrames;
    gamePaused = 1;
    slowMotionFrames = 500;
    slowMotionPeriod = 1;
    std::vector<std::pair<int, std::string>> beeps;
    for (int k = 1; k <= 180; ++k) {
        update();
        for (const std::string& name : sounds.take()) beeps.emplace_back(k, name);
        ASSERT_EQ(gamePaused, 1) << k;
    }
    const std::vector<std::pair<int, std::string>> want = {{60, "cursor"}, {120, "cursor"}, {180, "ok"}};
    EXPECT_EQ(beeps, want);
    EXPECT_EQ(pauseCountdown, 0);
    EXPECT_EQ(tally.acts[13], 0);
    EXPECT_EQ(tally.draws[13], 180) << "objects still draw while paused";
    EXPECT_EQ(slowMotionFrames, 500) << "slow motion waits while paused";

    update();
    EXPECT_EQ(pauseState, kPauseClosed);
    EXPECT_EQ(gamePaused, 0);
    EXPECT_EQ(tally.acts[13], 1);
    EXPECT_EQ(slowMotionFrames, 499);
    EXPECT_EQ(saveBlock().playSeconds, 3u) << "the play time ran through the pause";
    EXPECT_EQ(saveBlock().playFrames, 1u);
}

TEST_F(GameMainUpdateTest, PauseMenuReadsThePreviousUpdatesPoll) {
    controller::Manager* manager = controller::Manager::create();
    manager->addBinding(0, {4, controller::kBindSwitch, 0, 6});
    manager->switchState[6] = 1;
    manager->update();
    pauseAllowed = 1;
    padPressed = 0;
    gameMainUpdate(true);
    EXPECT_EQ(pauseState, kPauseClosed) << "START was not in the words yet";
    EXPECT_EQ(padPressed, kStart);
    gameMainUpdate(true);
    EXPECT_EQ(pauseState, kPauseMenuShown);
    controller::Manager::destroy();
}

struct SlowCase {
    int32_t period;
    std::vector<int> acted;  // per update, 12 updates, counter from 0
    int32_t periodAfter;
};

TEST_F(GameMainUpdateTest, SlowMotionActsOnOneUpdateInNOrSkipsOneInN) {
    const SlowCase cases[] = {
        {3, {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 1, 1}, 3},
        {-4, {0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 1}, -4},
        {0, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 1},
    };
    for (const SlowCase& c : cases) {
        SCOPED_TRACE(c.period);
        resetGameMainWords();
        tally = {};
        spawn(7);
        slowMotionFrames = 10;
        slowMotionPeriod = c.period;
        std::vector<int> acted;
        for (int k = 0; k < 12; ++k) {
            const int before = tally.acts[7];
            update();
            acted.push_back(tally.acts[7] - before);
        }
        EXPECT_EQ(acted, c.acted);
        EXPECT_EQ(tally.draws[7], 12) << "skipped updates still draw";
        EXPECT_EQ(slowMotionFrames, 0);
        EXPECT_EQ(slowMotionPeriodInUse, c.periodAfter);
        OBJtaskReleaseAll(nullptr);
    }
}

TEST_F(GameMainUpdateTest, TwoPassesActAndCollideTwiceButDrawOnce) {
    spawnHittable(kGroupFighterShots);
    spawnHittable(kGroupEnemies);
    actPassCount = actPassRequest = 2;
    update();
    EXPECT_EQ(tally.acts[kGroupFighterShots], 2);
    EXPECT_EQ(tally.acts[kGroupEnemies], 2);
    EXPECT_EQ(tally.draws[kGroupFighterShots], 1);
    EXPECT_EQ(tally.draws[kGroupEnemies], 1);
    EXPECT_EQ(tally.hits, 4) << "both callbacks in each pass's collision";
}

TEST_F(GameMainUpdateTest, NoPassesKeepThePictureWithoutActingOrColliding) {
    spawnHittable(kGroupFighterShots);
    spawnHittable(kGroupEnemies);
    actPassCount = actPassRequest = 0;
    update();
    EXPECT_EQ(totalActs(), 0);
    EXPECT_EQ(tally.draws[kGroupFighterShots], 1);
    EXPECT_EQ(tally.draws[kGroupEnemies], 1);
    EXPECT_EQ(tally.hits, 0);
}

TEST_F(GameMainUpdateTest, FreezesStopTheStageAndEnemyGroupsOnly) {
    for (uint8_t* flag : {&continueScreenActive, &freezeByGameOver}) {
        tally = {};
        *flag = 1;
        for (int group = 0; group < kObjTaskGroups; ++group) spawn(group);
        update();
        for (int group = 0; group < kObjTaskGroups; ++group) {
            const bool frozen = (group >= 1 && group <= 5) || group == 7 || group == 17;
            EXPECT_EQ(tally.acts[size_t(group)], frozen ? 0 : 1) << group;
            EXPECT_EQ(tally.draws[size_t(group)], 1) << group;
        }
        *flag = 0;
        OBJtaskReleaseAll(nullptr);
    }
}

struct SpeedCase {
    int32_t count;
    uint32_t pressed;
    int32_t want;
};

TEST_F(GameMainUpdateTest, ReplayViewerHalvesAndDoublesTheActPasses) {
    const SpeedCase cases[] = {
        {4, kLeft, 2}, {2, kLeft, 1}, {1, kLeft, 0}, {0, kLeft, 0}, {0, kRight, 1},
        {1, kRight, 2}, {2, kRight, 4}, {4, kRight, 4}, {2, kLeft | kRight, 4},
    };
    for (const SpeedCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " " << c.pressed);
        menuResultCode = 6;
        stageFrame = 11;
        actPassCount = actPassRequest = c.count;
        update(c.pressed);
        EXPECT_EQ(actPassCount, c.want);
    }
}

TEST_F(GameMainUpdateTest, ReplayViewerSpeedWaitsForTheStageAndTheMenus) {
    menuResultCode = 6;
    stageFrame = 10;
    update(kRight);
    EXPECT_EQ(actPassCount, 1) << "the stage has barely started";
    stageFrame = 11;
    ObjTask* menu = spawn(13, objTag("MENU"));
    update(kRight);
    EXPECT_EQ(actPassCount, 1) << "a menu is open";
    OBJtaskRelease(menu);
    menuResultCode = 3;
    update(kRight);
    EXPECT_EQ(actPassCount, 1) << "not in the viewer";
    menuResultCode = 6;
    update(kRight);
    EXPECT_EQ(actPassCount, 2);
}

TEST_F(GameMainUpdateTest, PerPassStepsRunOnceAPassWhileTheFighterExists) {
    const auto setTimers = [] {
        eshotConvertCountdown = enemyExplosionTimer = scorePopupTimer = layerTintTimer = 5;
    };
    setTimers();
    actPassCount = actPassRequest = 2;
    update();
    EXPECT_EQ(eshotConvertCountdown, 5) << "no fighter, no steps";

    spawn(kGroupFighter);
    eshotCancelRequest(2, -1, nullptr, 0, 1);
    eshotCancelRequest(2, 3, nullptr, 0, 1);
    eshotCancelQueue.slots[1].done = 1;
    eshotCancelQueue.cancelledCount = 7;
    update();
    EXPECT_EQ(eshotConvertCountdown, 3);
    EXPECT_EQ(enemyExplosionTimer, 3);
    EXPECT_EQ(scorePopupTimer, 3);
    EXPECT_EQ(layerTintTimer, 3);
    for (const EshotCancelSlot& slot : eshotCancelQueue.slots) EXPECT_EQ(slot.ownerSerial, 0xFFFFFFFFu);
    EXPECT_EQ(eshotCancelQueue.countdown, 0);
    EXPECT_EQ(eshotCancelQueue.cancelledCount, 0);

    update();
    update();
    EXPECT_EQ(layerTintTimer, 0) << "never below 0";
}

TEST_F(GameMainUpdateTest, DoneCancelSlotsAreFreedBeforeTheCountdownEnds) {
    spawn(kGroupFighter);
    eshotCancelRequest(100, -1, nullptr, 0, 1);
    eshotCancelRequest(100, 4, nullptr, 1, 1);
    eshotCancelQueue.slots[0].done = 1;
    update();
    EXPECT_EQ(eshotCancelQueue.slots[0].ownerSerial, 0xFFFFFFFFu);
    EXPECT_EQ(eshotCancelQueue.slots[0].level, -1);
    EXPECT_EQ(eshotCancelQueue.slots[1].level, 4);
    EXPECT_EQ(eshotCancelQueue.countdown, 99);
}

TEST_F(GameMainUpdateTest, ExitEndsTheLoopAfterThePlayTimeAndResetsThePause) {
    pauseAllowed = 1;
    pauseState = kPauseMenuShown;
    pauseCursor = 2;
    gamePaused = 1;
    gameFrameCounter = 77;
    gameExitRequested = 1;
    EXPECT_FALSE(update());
    EXPECT_EQ(saveBlock().playFrames, 1u);
    EXPECT_EQ(pauseAllowed, 0);
    EXPECT_EQ(pauseState, kPauseClosed);
    EXPECT_EQ(pauseCursor, 0);
    EXPECT_EQ(gamePaused, 0);
    EXPECT_EQ(gameFrameCounter, 0u);

    gameExitRequested = 0;
    EXPECT_FALSE(update(0, 0, false)) << "the root task's own request";
    EXPECT_TRUE(update());
}

TEST_F(GameMainUpdateTest, EveryUpdateClearsTheSpriteFontsGlyphCount) {
    spriteTextGlyphCount = 40;
    EXPECT_TRUE(update());
    EXPECT_EQ(spriteTextGlyphCount, 0);
}

TEST_F(GameMainUpdateTest, TheDebugTraceGoesToTheStandardOutput) {
    testing::internal::CaptureStdout();
    dbgPrintf("rank in : update ranking. (%d)\n", 3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "rank in : update ranking. (3)\n");
}

TEST_F(GameMainUpdateTest, FramesPerSecondOverEachSixtyUpdates) {
    platform::FakeClock clock;
    platform::setClock(&clock);
    for (int k = 0; k < 60; ++k) {
        update();
        clock.advance(20);
    }
    EXPECT_EQ(fpsValue, 0.0f) << "nothing measured yet";
    update();
    EXPECT_FLOAT_EQ(fpsValue, 50.0f);
    EXPECT_EQ(fpsFrameCount, 1);
    platform::setClock(nullptr);
}

}  // namespace
