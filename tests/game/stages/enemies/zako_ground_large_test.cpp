// The large ground enemies (kinds 70 to 77) spawned from fixture rows on a
// synthetic stage: the trains and their cars, their box and fire windows,
// the laser emplacements' held lasers, the heavy tank's phases, the gun
// platforms' tables and what a full pool leaves out.
#include <vector>

#include "game/core/sprite_frames.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/stage_field.h"
#include "tests/game/objects/eshot_fixture.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

class Zako7Test : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        eshotFixtureClear();
        gameMode = 2;
        stageFrame = 100;
        frames.assign(5740, SpriteFrame{});
        OBJsetFrameTable(frames);
    }
    void TearDown() override {
        OBJsetFrameTable({});
        EnemyFixture::TearDown();
        eshotFixtureClear();
        stageFrame = -1;
    }
    // The enemy of a fixture spawn row at (x, y) with its first extra, on
    // the screen already.
    static ObjTask* spawn(int32_t kind, float x, float y, int32_t extra = 0) {
        const SpawnRow row = {kind, -1, 0, int32_t(x * 100.0f), int32_t(y * 100.0f), {extra, 0, 0, 0}};
        stageSpawnRow(row, true);
        ObjTask* task = OBJtaskGroup(kEnemyGroup).head.next;
        enemy(task->work).offscreenTimer = 0;
        return task;
    }
    static std::vector<ObjTask*> cars() {
        std::vector<ObjTask*> out;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* task) {
            if (task->work != nullptr && enemy(task->work).chainIndex != 0) out.push_back(task);
        });
        return out;
    }
    static int liveShots() {
        int n = 0;
        for (int group : {kEshotGroup, kEshotSpecialGroup})
            OBJtaskWalk(group, [&](ObjTask* task) { n += task->work != nullptr; });
        return n;
    }
    static void clearShots() {
        for (int group : {kEshotGroup, kEshotSpecialGroup})
            OBJtaskWalk(group, [](ObjTask* shot) { OBJtaskRelease(shot); });
    }
    std::vector<SpriteFrame> frames;
};

// ---- trains ----

TEST_F(Zako7Test, AKind70HeadMakesItsCarsBelowAndAKind71HeadAbove) {
    struct Case {
        int32_t kind;
        float headY;
        std::vector<float> carYs;
    };
    const std::vector<Case> cases = {{70, -50.0f, {50.0f, 150.0f, 250.0f}}, {71, 300.0f, {200.0f, 100.0f, 0.0f}}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        ObjTask* head = spawn(c.kind, 80.0f, c.headY, 7);
        step(head);
        const std::vector<ObjTask*> made = cars();
        ASSERT_EQ(made.size(), 3u) << c.kind;
        for (ObjTask* car : made) {
            const EnemyFields& e = enemy(car->work);
            ASSERT_GE(e.chainIndex, 1);
            EXPECT_EQ(car->work->kind, 70);
            EXPECT_FLOAT_EQ(car->work->x, 80.0f);
            EXPECT_FLOAT_EQ(car->work->y, c.carYs[size_t(e.chainIndex - 1)]) << c.kind << " car " << e.chainIndex;
            EXPECT_EQ(objRefTask(car->parent), head);
            EXPECT_EQ(e.spawnExtras[0], 7);
            EXPECT_EQ(car->state, kObjStateRun);
        }
        EXPECT_EQ(enemy(head->work).shotsPerVolley, 8);
    }
}

TEST_F(Zako7Test, TheCarsTakeTheirAttackTimersByChainIndex) {
    ObjTask* head = spawn(70, 80.0f, 20.0f);
    step(head);
    for (ObjTask* car : cars()) step(car);
    struct Timer {
        int32_t burst, interval, left, pause, first;
    };
    const Timer timers[4] = {{8, 2, 8, 60, 0}, {12, 6, 12, 80, 10}, {1, 120, 1, 130, 0}, {5, 6, 5, 80, 10}};
    std::vector<ObjTask*> all = cars();
    all.push_back(head);
    for (ObjTask* task : all) {
        const EnemyFields& e = enemy(task->work);
        const Timer& t = timers[e.chainIndex];
        EXPECT_EQ(e.shotsPerVolley, t.burst) << e.chainIndex;
        EXPECT_EQ(e.shotInterval, t.interval) << e.chainIndex;
        EXPECT_EQ(e.volleyPause, t.pause) << e.chainIndex;
        EXPECT_EQ(task->work->pauseRankCut, 70) << e.chainIndex;
    }
}

TEST_F(Zako7Test, ACarIsHittableStrictlyInsideTheField) {
    struct Case {
        float y;
        bool hittable;
    };
    for (const Case& c : {Case{25.0f, false}, Case{26.0f, true}, Case{241.0f, true}, Case{242.0f, false}}) {
        OBJtaskReleaseAll(nullptr);
        ObjTask* head = spawn(70, 80.0f, c.y);
        step(head);
        EXPECT_EQ(head->work->hitBoxCount, c.hittable ? 1 : 0) << c.y;
        EXPECT_EQ(enemy(head->work).hittableNow, c.hittable ? 1 : 0) << c.y;
    }
}

TEST_F(Zako7Test, TheStageFrameWindowsOfExtra1AreInclusive) {
    struct Case {
        int32_t chain, frame;
        bool hittable;
    };
    const std::vector<Case> cases = {{0, 6467, true},  {0, 6468, false}, {0, 6595, false}, {0, 6596, true},
                                     {2, 6675, true},  {2, 6676, false}, {2, 7151, false}, {2, 7400, false},
                                     {2, 7401, true},  {3, 7500, false}, {3, 7501, true},  {1, 6670, false}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        stageFrame = c.frame;
        ObjTask* head = spawn(70, 80.0f, 100.0f, 1);
        enemy(head->work).chainIndex = c.chain;  // a car of that index, parentless
        step(head);
        EXPECT_EQ(head->work->hitBoxCount, c.hittable ? 1 : 0) << c.chain << " at " << c.frame;
    }
    // Without extra 1 no window applies.
    OBJtaskReleaseAll(nullptr);
    stageFrame = 6500;
    ObjTask* head = spawn(70, 80.0f, 100.0f, 0);
    step(head);
    EXPECT_EQ(head->work->hitBoxCount, 1);
}

TEST_F(Zako7Test, AHittableCarFiresOnlyOutsideItsFireWindows) {
    eshotFixtureFighter(80.0f, 250.0f, false);
    struct Case {
        int32_t frame;
        bool fires;
    };
    for (const Case& c : {Case{6560, true}, Case{6561, false}, Case{6615, false}, Case{6671, true}}) {
        clearShots();
        OBJtaskWalk(kEnemyGroup, [](ObjTask* task) { OBJtaskRelease(task); });
        stageFrame = c.frame;
        ObjTask* head = spawn(70, 80.0f, 100.0f, 1);
        enemy(head->work).chainIndex = 1;  // its box window 6616-6670 lies inside the fire window
        step(head);
        clearShots();
        enemy(head->work).shotIndex = 0;
        head->work->attack(head, head->work);
        EXPECT_EQ(liveShots() > 0, c.fires) << c.frame;
    }
}

TEST_F(Zako7Test, EachCarsTwoGunsFireTheirPatternByChainIndexLevelAndShot) {
    struct Case {
        int32_t chain, mode, index, volley;
        int shots;  // both guns
    };
    const std::vector<Case> cases = {
        {0, 2, 0, 0, 8},  {0, 2, 6, 0, 0},   {0, 3, 6, 0, 8},   {0, 2, 0, 1, 0},  {1, 0, 3, 1, 2},
        {1, 0, 4, 0, 0},  {1, 1, 7, 0, 2},   {1, 3, 9, 0, 6},   {1, 2, 10, 0, 10}, {2, 0, 0, 0, 60},
        {2, 1, 0, 0, 84}, {2, 2, 0, 2, 126}, {2, 2, 0, 1, 0},   {3, 0, 1, 0, 4},  {3, 3, 1, 0, 8},
    };
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.mode;
        eshotFixtureFighter(80.0f, 250.0f, false);
        ObjTask* car = spawn(70, 80.0f, 100.0f);
        enemy(car->work).chainIndex = c.chain;
        step(car);
        clearShots();
        enemy(car->work).shotIndex = c.index;
        enemy(car->work).volleyIndex = c.volley;
        car->work->attack(car, car->work);
        EXPECT_EQ(liveShots(), c.shots) << "chain " << c.chain << " mode " << c.mode << " shot " << c.index;
    }
}

TEST_F(Zako7Test, AnUnhittableCarHoldsItsFire) {
    eshotFixtureFighter(80.0f, 250.0f, false);
    ObjTask* head = spawn(70, 80.0f, 20.0f);
    step(head);
    clearShots();
    head->work->attack(head, head->work);
    EXPECT_EQ(liveShots(), 0);
}

TEST_F(Zako7Test, InStage5ACarKeepsItsBoxOnceGiven) {
    for (int32_t stage : {1, 5}) {
        OBJtaskReleaseAll(nullptr);
        stageNumber = stage;
        ObjTask* head = spawn(70, 80.0f, 100.0f);
        step(head);
        ASSERT_EQ(head->work->hitBoxCount, 1);
        head->work->y = 250.0f;
        step(head);
        EXPECT_EQ(enemy(head->work).hittableNow, 0);
        EXPECT_EQ(head->work->hitBoxCount, stage == 5 ? 1 : 0) << stage;
    }
}

TEST_F(Zako7Test, Stage5ExtrasHoldAGatedCarsBoxUntilItsHeadHasBeenHittable) {
    stageNumber = 5;
    ObjTask* head = spawn(70, 80.0f, -40.0f, 13);  // extra 13 gates the car of index 1
    step(head);
    ObjTask* second = nullptr;
    ObjTask* third = nullptr;
    for (ObjTask* car : cars()) {
        if (enemy(car->work).chainIndex == 1) second = car;
        if (enemy(car->work).chainIndex == 2) third = car;
    }
    ASSERT_NE(second, nullptr);
    ASSERT_NE(third, nullptr);
    step(second);
    step(third);
    EXPECT_EQ(second->work->hitBoxCount, 0);
    EXPECT_EQ(third->work->hitBoxCount, 1);
    head->work->y = 100.0f;
    step(head);
    step(second);
    EXPECT_EQ(second->work->hitBoxCount, 1);
}

TEST_F(Zako7Test, Stage5EndsTheTrainsAndEmplacementsPastFrame12000) {
    stageNumber = 5;
    for (int32_t kind : {70, 72}) {
        for (int32_t frame : {12000, 12001}) {
            OBJtaskReleaseAll(nullptr);
            stageFrame = frame;
            ObjTask* task = spawn(kind, 80.0f, 100.0f);
            step(task);
            EXPECT_EQ(task->state, frame > 12000 ? kObjStateEnd : kObjStateRun) << kind << " " << frame;
        }
    }
}

TEST_F(Zako7Test, ADeadCarStaysAsABurningWreck) {
    ObjTask* head = spawn(70, 80.0f, 100.0f);
    step(head);
    EXPECT_EQ(head->work->leavesWreck, 0);
    hit(head, 6, 100000);
    ASSERT_EQ(head->work->lifeState, 3);
    for (int i = 0; i < 120; ++i) step(head);
    EXPECT_EQ(head->state, kObjStateRun);
    EXPECT_EQ(head->work->hitBoxCount, 0);
    const int32_t cell = enemy(head->work).deathCell;
    step(head);
    step(head);
    EXPECT_EQ(enemy(head->work).deathCell, (cell + 1) % 8);
}

TEST_F(Zako7Test, TrainLifeIsLowerInStage5) {
    for (int32_t stage : {4, 5}) {
        stageNumber = stage;
        EXPECT_EQ(enemy(spawn(70, 80.0f, 100.0f)->work).hp, enemyScaleHp(stage == 5 ? 2048 : 5376)) << stage;
        EXPECT_EQ(enemy(spawn(72, 80.0f, 100.0f)->work).hp, enemyScaleHp(stage == 5 ? 2048 : 4608)) << stage;
    }
}

// ---- laser emplacements ----

class Zako7LaserTest : public Zako7Test {
protected:
    void SetUp() override {
        Zako7Test::SetUp();
        setPivot(5470, -10, 4);
        setPivot(5471, 10, 4);
        setPivot(5472, -12, 6);
        setPivot(5473, 12, 6);
        OBJsetFrameTable(frames);
    }
    void setPivot(int32_t id, int16_t x, int16_t y) {
        frames[size_t(id)].pivotX = x;
        frames[size_t(id)].pivotY = y;
    }
    static std::vector<ObjWork*> lasers() {
        std::vector<ObjWork*> out;
        OBJtaskWalk(kEshotGroup, [&](ObjTask* task) {
            if (task->work != nullptr && task->work->kind == 161) out.push_back(task->work);
        });
        return out;
    }
    static ObjWork* held(ObjTask* task, int k) { return objRefWork(enemy(task->work).partLink[k]); }
    // Runs the emplacement until its lasers open (at most a cycle).
    static void runToOpen(ObjTask* task) {
        for (int i = 0; i < 300 && held(task, 0) == nullptr; ++i) step(task);
    }
};

TEST_F(Zako7LaserTest, InStage5TheLasersOpen50FramesAfterFirstHittableAndCloseAt299) {
    stageNumber = 5;
    ObjTask* task = spawn(72, 112.0f, -40.0f);
    step(task);
    EXPECT_EQ(enemy(task->work).hittableNow, 0);
    EXPECT_EQ(enemy(task->work).laserCycle, 260);
    task->work->y = 100.0f;
    for (int i = 0; i < 50; ++i) {
        step(task);
        ASSERT_TRUE(lasers().empty()) << "hittable frame " << i;
    }
    step(task);  // 50 frames after the first hittable one
    ASSERT_EQ(lasers().size(), 2u);
    ObjWork* first = held(task, 0);
    ObjWork* second = held(task, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->heading, 512);
    for (int position = 11; position < 299; ++position) step(task);
    EXPECT_EQ(first->lifeState, 0);
    EXPECT_EQ(held(task, 0), first);
    step(task);  // position 299
    EXPECT_EQ(first->lifeState, 10);
    EXPECT_EQ(second->lifeState, 10);
    EXPECT_EQ(held(task, 0), nullptr);
    EXPECT_EQ(held(task, 1), nullptr);
}

TEST_F(Zako7LaserTest, TheMuzzlesOfKind73ComeTheOtherWayRound) {
    struct Case {
        int32_t kind;
        float first, second;
    };
    for (const Case& c : {Case{72, 102.0f, 122.0f}, Case{73, 124.0f, 100.0f}}) {
        OBJtaskReleaseAll(nullptr);
        ObjTask* task = spawn(c.kind, 112.0f, 100.0f);
        runToOpen(task);
        ASSERT_NE(held(task, 0), nullptr) << c.kind;
        EXPECT_FLOAT_EQ(held(task, 0)->x, c.first) << c.kind;
        EXPECT_FLOAT_EQ(held(task, 1)->x, c.second) << c.kind;
    }
}

TEST_F(Zako7LaserTest, ALaserStillHeldAtTheOpeningStartsOverOnTheSameShot) {
    ObjTask* task = spawn(72, 112.0f, 100.0f);
    runToOpen(task);
    ObjWork* first = held(task, 0);
    ASSERT_NE(first, nullptr);
    first->lifeState = 3;
    shot(first).charge = 300;
    enemy(task->work).laserCycle = 240 + 10;
    step(task);
    EXPECT_EQ(held(task, 0), first);
    EXPECT_EQ(first->lifeState, 0);
    EXPECT_EQ(shot(first).charge, 0);
    EXPECT_EQ(lasers().size(), 2u);
}

TEST_F(Zako7LaserTest, ItsDeathEndsBothLasersAtOnce) {
    ObjTask* task = spawn(72, 112.0f, 100.0f);
    runToOpen(task);
    ObjWork* first = held(task, 0);
    ObjWork* second = held(task, 1);
    ASSERT_NE(second, nullptr);
    hit(task, 6, 100000);
    ASSERT_EQ(task->work->lifeState, 3);
    EXPECT_EQ(first->lifeState, 10);
    EXPECT_EQ(second->lifeState, 10);
    EXPECT_EQ(held(task, 0), nullptr);
    for (int i = 0; i < 100; ++i) step(task);
    EXPECT_EQ(task->state, kObjStateRun);  // a wreck on the field
    EXPECT_EQ(task->work->hitBoxCount, 0);
    OBJtaskReleaseAll(nullptr);
}

TEST_F(Zako7LaserTest, ItsReleaseEndsItsLasersButNeverARecordReusedSince) {
    ObjTask* task = spawn(72, 112.0f, 100.0f);
    runToOpen(task);
    ObjWork* second = held(task, 1);
    ObjTask* firstTask = objRefTask(enemy(task->work).partLink[0]);
    ASSERT_NE(firstTask, nullptr);
    OBJtaskRelease(firstTask);
    ObjWork* reused = TSKeshotCreate(161, 0, 0.0f, 0, 0, ObjRef{}, 50.0f, 50.0f);
    ASSERT_NE(reused, nullptr);
    OBJtaskRelease(task);
    EXPECT_EQ(second->lifeState, 10);
    EXPECT_EQ(reused->lifeState, 0);
}

TEST_F(Zako7LaserTest, ALaserThePoolCannotGiveIsLeftOut) {
    ObjTask* task = spawn(72, 112.0f, 100.0f);
    std::vector<ObjTask*> filler;
    while (ObjTask* t = OBJtaskCreate(nullptr, 30, objTag("FILL"))) filler.push_back(t);
    for (int i = 0; i < 11; ++i) step(task);
    EXPECT_TRUE(lasers().empty());
    EXPECT_EQ(enemy(task->work).partLink[0].index, -1);
    EXPECT_EQ(enemy(task->work).partLink[1].index, -1);
    OBJtaskRelease(task);
}

// ---- the heavy tank ----

TEST_F(Zako7Test, TheHeavyTankWalksItsPhases) {
    ObjTask* task = spawn(75, 112.0f, 100.0f);
    const EnemyFields& e = enemy(task->work);
    EXPECT_EQ(e.hp, enemyScaleHp(40960));
    EXPECT_EQ(e.score, 1250000u);
    EXPECT_EQ(e.aimSlots[4].turnLimit, 16);
    EXPECT_EQ(e.aimSlots[4].param, 10);
    for (int i = 0; i < 30; ++i) step(task);
    EXPECT_EQ(e.phase, 0);
    step(task);
    EXPECT_EQ(e.phase, 1);
    EXPECT_EQ(e.entryWait, 60);
    EXPECT_EQ(task->work->hitBoxCount, 1);
    struct Loaded {
        int32_t phase, burst, interval, volleys, pause, mode;
    };
    for (const Loaded& l : {Loaded{1, 8, 5, 3, 48, 1}, Loaded{2, 80, 4, 1, 0, 3}, Loaded{3, 9999, 8, 1, 16, 6}}) {
        step(task);
        EXPECT_EQ(e.phase, l.phase);
        EXPECT_EQ(e.shotsPerVolley, l.burst) << l.phase;
        EXPECT_EQ(e.shotInterval, l.interval) << l.phase;
        EXPECT_EQ(e.volleysLeft, l.volleys) << l.phase;
        EXPECT_EQ(e.volleyPause, l.pause) << l.phase;
        EXPECT_EQ(e.attackPattern, l.mode) << l.phase;
        EXPECT_EQ(task->work->pauseRankCut, 0);
        enemy(task->work).attackPattern = 0;  // the volleys spent
        step(task);
    }
    EXPECT_EQ(e.phase, 1);  // phase 3's end goes back to phase 1
    for (int phase = 1; phase <= 2; ++phase) {
        step(task);  // loads the phase
        enemy(task->work).attackPattern = 0;
        step(task);
    }
    step(task);
    ASSERT_EQ(e.phase, 3);  // phase 3 also ends when the tank faces straight down
    ASSERT_EQ(e.attackPattern, 6);
    task->work->heading = 512;
    step(task);
    EXPECT_EQ(e.phase, 1);
}

TEST_F(Zako7Test, TheHeavyTanksVolleysRunOutIntoItsNextPhase) {
    eshotFixtureFighter(112.0f, 10.0f, false);
    ObjTask* task = spawn(75, 112.0f, 150.0f);
    int frames = 0;
    while (enemy(task->work).phase < 2 && frames < 2000) {
        step(task);
        ++frames;
    }
    EXPECT_EQ(enemy(task->work).phase, 2);
    EXPECT_GT(frames, 31 + 60 + 180);
    EXPECT_GT(liveShots(), 0);
}

TEST_F(Zako7Test, PastStageFrame4300TheHeavyTankIsInPhase5ForGood) {
    ObjTask* task = spawn(75, 112.0f, 100.0f);
    for (int i = 0; i < 40; ++i) step(task);
    ASSERT_EQ(enemy(task->work).phase, 1);
    stageFrame = 4300;
    step(task);
    EXPECT_EQ(enemy(task->work).phase, 1);
    stageFrame = 4301;
    step(task);
    EXPECT_EQ(enemy(task->work).phase, 5);
    EXPECT_EQ(task->work->hitBoxCount, 0);
    EXPECT_EQ(enemy(task->work).attackPattern, 0);
    EXPECT_EQ(enemy(task->work).shotsLeft, 0);
    stageFrame = 100;
    for (int i = 0; i < 100; ++i) step(task);
    EXPECT_EQ(enemy(task->work).phase, 5);
    EXPECT_EQ(task->work->hitBoxCount, 0);
}

TEST_F(Zako7Test, TheHeavyTanksRearTurretsKeepTheirAngleForTheBurst) {
    eshotFixtureFighter(112.0f, 10.0f, false);
    ObjTask* task = spawn(75, 112.0f, 150.0f);
    EnemyFields& e = enemy(task->work);
    e.attackPattern = 6;
    e.aimSlots[3].heading = 100;
    e.aimSlots[4].heading = 200;
    struct Case {
        int32_t mode, index;
        int expected;  // shots made
    };
    // ORIGINAL is level 2: a fan of 5, and from shot 12 every fourth shot 4 more at the fighter.
    const std::vector<Case> cases = {{2, 0, 5}, {2, 1, 5}, {2, 11, 5}, {2, 12, 9}, {0, 12, 3}, {3, 16, 19}};
    for (const Case& c : cases) {
        clearShots();
        gameMode = c.mode;
        e.shotIndex = c.index;
        task->work->attack(task, task->work);
        EXPECT_EQ(liveShots(), c.expected) << c.mode << " shot " << c.index;
    }
    EXPECT_EQ(e.aimWords[0], 100);
    EXPECT_EQ(e.aimWords[1], 200);
}

// ---- gun platforms ----

TEST_F(Zako7Test, ThePlatformsRowsGiveLifeScoreAndSchedule) {
    struct Case {
        int32_t kind, hp, score, burst, interval, first, pause, cut, fireAlways;
    };
    const std::vector<Case> cases = {{74, 3072, 31870, 4, 12, 180, 120, 70, 1},
                                     {76, 2048, 38540, 9999, 2, 0, 120, 70, 0},
                                     {77, 5120, 45000, 8, 3, 120, 120, 70, 0}};
    for (const Case& c : cases) {
        const EnemyFields& e = enemy(spawn(c.kind, 112.0f, 100.0f)->work);
        EXPECT_EQ(e.hp, enemyScaleHp(c.hp)) << c.kind;
        EXPECT_EQ(e.score, uint64_t(c.score)) << c.kind;
        EXPECT_EQ(e.shotsPerVolley, c.burst) << c.kind;
        EXPECT_EQ(e.shotsLeft, c.burst) << c.kind;
        EXPECT_EQ(e.shotInterval, c.interval) << c.kind;
        EXPECT_EQ(e.shotCountdown, c.first) << c.kind;
        EXPECT_EQ(e.volleyPause, c.pause) << c.kind;
        EXPECT_EQ(e.fireAlways, c.fireAlways) << c.kind;
        EXPECT_EQ(e.sizeClass, 2) << c.kind;
    }
}

TEST_F(Zako7Test, Kind76AimsOnceAndTheOthersTurn) {
    eshotFixtureFighter(112.0f, 10.0f, false);
    for (int32_t kind : {74, 76, 77}) {
        ObjTask* task = spawn(kind, 112.0f, 150.0f);
        step(task);
        EXPECT_EQ(enemy(task->work).aimSlots[0].armed, kind == 76 ? 0 : 1) << kind;
        EXPECT_EQ(enemy(task->work).aimSlots[0].turnLimit, 8) << kind;
        EXPECT_EQ(task->work->hitBoxCount, 1) << kind;
    }
}

TEST_F(Zako7Test, ThePlatformsFireTheirTablesByRankLevelAndShotIndex) {
    struct Case {
        int32_t kind, mode, index;
        bool powered;
        int shots;
    };
    const std::vector<Case> cases = {
        {74, 0, 0, false, 2},  {74, 1, 0, false, 4},  {74, 2, 0, false, 9},  {74, 3, 0, false, 12},
        {74, 0, 0, true, 12},  {74, 0, 1, true, 2},   {76, 0, 0, false, 6},  {76, 0, 1, false, 0},
        {76, 1, 15, false, 6}, {76, 2, 30, false, 19}, {76, 3, 0, false, 15}, {77, 0, 0, false, 4},
        {77, 0, 4, false, 0},  {77, 1, 4, false, 6},  {77, 2, 7, false, 5},  {77, 2, 1, true, 1},
    };
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.mode;
        eshotFixtureFighter(112.0f, 10.0f, c.powered);
        ObjTask* task = spawn(c.kind, 112.0f, 150.0f);
        step(task);
        clearShots();
        enemy(task->work).shotIndex = c.index;
        task->work->attack(task, task->work);
        EXPECT_EQ(liveShots(), c.shots) << c.kind << " mode " << c.mode << " shot " << c.index << " " << c.powered;
    }
}

TEST_F(Zako7Test, APlatformTooCloseOrTooLowHoldsItsFire) {
    for (float fighterY : {190.0f, 10.0f}) {
        OBJtaskReleaseAll(nullptr);
        eshotFixtureFighter(112.0f, fighterY, false);
        ObjTask* task = spawn(74, 112.0f, fighterY == 10.0f ? 210.0f : 150.0f);
        step(task);
        clearShots();
        task->work->attack(task, task->work);
        EXPECT_EQ(liveShots(), 0) << fighterY;
    }
}

TEST_F(Zako7Test, Platforms74And76LeaveTheirWreckPicture) {
    for (int32_t kind : {74, 76}) {
        OBJtaskReleaseAll(nullptr);
        ObjTask* task = spawn(kind, 112.0f, 150.0f);
        step(task);
        EXPECT_EQ(task->work->leavesWreck, 0);
        hit(task, 6, 100000);
        EXPECT_EQ(eshotFixtureEffects(kind == 74 ? 105 : 106), 1) << kind;
    }
}

// ---- a full pool ----

TEST_F(Zako7Test, ACarThePoolCannotGiveIsLeftOut) {
    ObjTask* head = spawn(70, 80.0f, 100.0f);
    std::vector<ObjTask*> filler;
    while (ObjTask* task = OBJtaskCreate(nullptr, 30, objTag("FILL"))) filler.push_back(task);
    OBJtaskRelease(filler.back());  // room for one car
    step(head);
    EXPECT_EQ(cars().size(), 1u);
    EXPECT_EQ(head->state, kObjStateRun);
}

TEST_F(Zako7Test, ACarWithoutAWorkRecordIsLeftOutAndEnds) {
    ObjTask* head = spawn(70, 80.0f, 100.0f);
    std::vector<ObjWork*> filler;
    while (ObjWork* work = OBJworkNew()) filler.push_back(work);
    step(head);
    EXPECT_TRUE(cars().empty());
    int ended = 0;
    OBJtaskWalk(kEnemyGroup, [&](ObjTask* task) { ended += task != head && task->work == nullptr; });
    EXPECT_EQ(ended, 3);
    OBJtaskWalk(kEnemyGroup, [&](ObjTask* task) {
        if (task != head) step(task);
    });
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 1);
    for (ObjWork* work : filler) OBJworkFree(work);
}

}  // namespace
