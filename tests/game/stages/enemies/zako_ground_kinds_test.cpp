// The ground enemies past the small turrets and tanks, on a synthetic stage
// with fixture marker frames: pop-up guns 26 and 27, emplacements 60 and 61,
// the hangar 64 and its carriers 66 and 67, the heavy turret 65 and the
// hidden targets 78 and 79; and the enemies' sound gates.
#include <algorithm>
#include <numeric>
#include <vector>

#include "game/core/draw_store.h"
#include "game/objects/wreckage.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "tests/game/stages/enemies/zako_ground_fixture.h"

namespace {

class ZakoGroundKindsTest : public ZakoGroundTest {
protected:
    // Shot `index` of a burst as the schedule calls it (shots left already lowered).
    static std::vector<ZakoShot> fireShot(ObjTask* task, int32_t index) {
        clearShots();
        EnemyFields& e = enemy(task->work);
        e.shotIndex = index;
        e.shotsLeft = e.shotsPerVolley - 1 - index;
        task->work->attack(task, task->work);
        return shots();
    }
    static int32_t countOf(const std::vector<ZakoShot>& made, int32_t type) {
        return int32_t(std::count_if(made.begin(), made.end(), [&](const ZakoShot& s) { return s.type == type; }));
    }
    // The mean heading of the shots of a type: a fan's centre (no wrap).
    static int32_t centreOf(const std::vector<ZakoShot>& made, int32_t type) {
        int32_t sum = 0, n = 0;
        for (const ZakoShot& s : made) {
            if (s.type != type) continue;
            sum += s.heading;
            ++n;
        }
        return n > 0 ? sum / n : -1;
    }
    static void run(ObjTask* task, int32_t frames) {
        for (int32_t i = 0; i < frames; ++i) task->act(task);
    }
};

TEST_F(ZakoGroundKindsTest, RowsGiveLifeScoreScheduleAndDeathWords) {
    struct Case {
        int32_t kind, hp, score, sizeClass;
        int32_t burst, interval, first;
        bool drawn;
        int32_t pause, cut, boxes, leavesWreck, explosion, fireAlways, diesWithBoss;
    };
    const std::vector<Case> cases = {
        {26, 384, 360, 0, 1, 0, 100, true, 100, 100, 1, 0, 0, 0, 1},
        {27, 256, 140, 0, 1, 0, 100, true, 100, 100, 1, 0, 0, 0, 1},
        {60, 4608, 3460, 1, 10, 20, 64, false, 72, 70, 2, 0, 73, 0, 1},
        {61, 1536, 3620, 1, 5, 4, 48, false, 48, 70, 1, 0, 0, 0, 1},
        {64, 8192, 510, 2, 4, 7, 96, false, 96, 70, 0, 1, 0, 0, 1},
        {65, 3584, 11350, 2, 4, 8, 120, false, 120, 70, 1, 0, 0, 1, 1},
        {66, 2560, 1610, 1, 5, 7, 128, false, 112, 70, 1, 1, 0, 0, 1},
        {67, 2560, 1610, 1, 5, 7, 128, false, 112, 70, 1, 1, 0, 0, 1},
        {78, 2560, 0, 0, 0, 0, 0, false, 0, 100, 1, 1, 0, 0, 0},
        {79, 2560, 0, 0, 0, 0, 0, false, 0, 100, 1, 1, 0, 0, 0},
    };
    stageNumber = 2;
    for (const Case& c : cases) {
        gameRandSeed(7);
        const int32_t first = c.drawn ? randRange(c.first) : c.first;
        gameRandSeed(7);
        ObjTask* task = enemySpawnKind(c.kind, -1, 112.0f, 100.0f);
        ASSERT_NE(task, nullptr) << c.kind;
        const ObjWork* w = task->work;
        const EnemyFields& e = enemy(task->work);
        EXPECT_EQ(e.hp, enemyScaleHp(c.hp)) << c.kind;
        EXPECT_EQ(e.score, uint64_t(c.score)) << c.kind;
        EXPECT_EQ(e.sizeClass, c.sizeClass) << c.kind;
        EXPECT_EQ(e.shotsPerVolley, c.burst) << c.kind;
        EXPECT_EQ(e.shotsLeft, c.burst) << c.kind;
        EXPECT_EQ(e.shotInterval, c.interval) << c.kind;
        EXPECT_EQ(e.shotCountdown, first) << c.kind;
        EXPECT_EQ(e.volleyPause, c.pause) << c.kind;
        EXPECT_EQ(w->pauseRankCut, c.cut) << c.kind;
        EXPECT_EQ(e.volleysLeft, 9999) << c.kind;
        EXPECT_EQ(e.offscreenTimer, 3600) << c.kind;
        EXPECT_EQ(zakoGroundKind(c.kind)->boxCount, c.boxes) << c.kind;
        EXPECT_EQ(w->leavesWreck, c.leavesWreck) << c.kind;
        EXPECT_EQ(e.explosionKind, c.explosion) << c.kind;
        EXPECT_EQ(e.fireAlways, c.fireAlways) << c.kind;
        EXPECT_EQ(w->diesWithBoss, c.diesWithBoss) << c.kind;
        // A fixed first countdown draws nothing.
        const int32_t next = gameRand();
        gameRandSeed(7);
        if (c.drawn) randRange(c.first);
        EXPECT_EQ(next, gameRand()) << c.kind;
    }
    stageNumber = 1;
    for (int32_t kind : {66, 67}) EXPECT_EQ(enemy(enemySpawnKind(kind, -1, 0.0f, 0.0f)->work).hp, enemyScaleHp(2048));
}

TEST_F(ZakoGroundKindsTest, TheKindTableHoldsEveryGroundAct) {
    const std::vector<std::pair<int32_t, ObjTaskFn>> rows = {
        {26, TSKzako26Act}, {27, TSKzako27Act}, {60, TSKzako60Act}, {61, TSKzako61Act}, {64, TSKzako64Act},
        {65, TSKzako65Act}, {66, TSKzako66Act}, {67, TSKzako66Act}, {78, TSKzako78Act}, {79, TSKzako79Act}};
    for (const auto& [kind, act] : rows) EXPECT_EQ(enemyKindAct(kind), act) << kind;
}

TEST_F(ZakoGroundKindsTest, SoundGatesRestartOnlyOnceRunOut) {
    const std::vector<std::pair<int32_t, int32_t>> rows = {{17, 4}, {6, 1}, {11, 4}, {5, 1}, {18, 4}, {19, 4}};
    ASSERT_EQ(rows.size(), size_t(kEnemySoundGates));
    for (int32_t g = 0; g < kEnemySoundGates; ++g) {
        EXPECT_EQ(enemySoundGateId(EnemySoundGate(g)), rows[size_t(g)].first);
        EXPECT_EQ(enemySoundGateFrames(EnemySoundGate(g)), rows[size_t(g)].second);
    }
    int32_t& beam = enemySoundCooldowns[int32_t(EnemySoundGate::groundBeam)];
    enemySoundGatePlay(EnemySoundGate::groundBeam);
    EXPECT_EQ(beam, 4);
    enemySoundGatesCountDown();
    enemySoundGatePlay(EnemySoundGate::groundBeam);
    EXPECT_EQ(beam, 3);  // still running: not restarted
    for (int i = 0; i < 5; ++i) enemySoundGatesCountDown();
    EXPECT_EQ(beam, 0);
    enemySoundGatePlay(EnemySoundGate::groundBeam);
    EXPECT_EQ(beam, 4);
    enemyWordsClear();
    EXPECT_EQ(beam, 0);
}

TEST_F(ZakoGroundKindsTest, PopUpGunsOpenWithTheirSoundAndTakeHitsOnlyOpen) {
    makeFighterAt(112.0f, 250.0f);
    ObjTask* task = spawnRun(27, 112.0f, 100.0f);
    EXPECT_EQ(enemySoundCooldowns[int32_t(EnemySoundGate::groundBeam)], 4);
    EXPECT_EQ(task->work->hitBoxCount, 0);
    // A kind 26 in the same frame shares the gate: no restart.
    enemySoundGatesCountDown();
    spawnRun(26, 60.0f, 100.0f);
    EXPECT_EQ(enemySoundCooldowns[int32_t(EnemySoundGate::groundBeam)], 3);
    for (int32_t age = 2; age <= 16; ++age) {
        task->act(task);
        ASSERT_EQ(task->work->age, age);
        EXPECT_EQ(task->work->hitBoxCount, age >= 16 ? 1 : 0) << age;
    }
    EXPECT_FLOAT_EQ(zakoGroundKind(27)->boxes[0].halfWidth, 10.0f);
    EXPECT_FLOAT_EQ(zakoGroundKind(26)->boxes[0].halfWidth, 8.0f);
}

TEST_F(ZakoGroundKindsTest, PopUpGunsFireStraightAtTheFighterByRank) {
    struct Case {
        int32_t mode;
        std::vector<float> speeds;
    };
    const std::vector<Case> cases = {{0, {1.6f}}, {1, {2.0f}}, {2, {2.4f}}, {3, {2.4f, 2.5f}}};
    makeFighterAt(212.0f, 100.0f);  // straight right of the gun
    for (const Case& c : cases) {
        for (int32_t kind : {26, 27}) {
            gameMode = c.mode;
            ObjTask* task = spawnRun(kind, 112.0f, 100.0f);
            const std::vector<ZakoShot> made = fireShot(task, 0);
            ASSERT_EQ(made.size(), c.speeds.size()) << kind << " mode " << c.mode;
            for (size_t i = 0; i < made.size(); ++i) {
                EXPECT_EQ(made[i].type, 158);
                EXPECT_EQ(made[i].heading, 256);
                EXPECT_FLOAT_EQ(made[i].speed, c.speeds[i]);
                EXPECT_FLOAT_EQ(made[i].x, 112.0f);
            }
        }
    }
}

TEST_F(ZakoGroundKindsTest, PopUpGunsLeaveTheirWreckPictureByStageAndLayer) {
    struct Case {
        int32_t stage, layer, effectKind;
        float depth;
    };
    const std::vector<Case> cases = {
        {1, 2, 110, 101.0f}, {3, 2, 111, 101.0f}, {5, 3, 111, 201.0f}, {4, 3, 110, 201.0f}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        stageNumber = c.stage;
        ObjTask* task = spawnRun(27, 112.0f, 100.0f);
        enemy(task->work).followedLayer = c.layer;
        hit(task, 6, 5000);
        EXPECT_EQ(task->work->lifeState, 3);
        ASSERT_EQ(eshotFixtureEffects(c.effectKind), 1) << c.stage;
        OBJtaskWalk(kEffectGroup, [&](ObjTask* effectTask) {
            if (effectTask->work->kind == c.effectKind) {
                EXPECT_FLOAT_EQ(effectTask->work->depth, c.depth);
            }
        });
    }
}

TEST_F(ZakoGroundKindsTest, Kind60ArmsThreeMarkerSlotsAndTwoBoxesAndStaysAgeless) {
    makeFighterAt(112.0f, 250.0f);
    ObjTask* task = spawnRun(60, 112.0f, 100.0f);
    const EnemyFields& e = enemy(task->work);
    const float expected[3][2] = {{10.0f, -12.0f}, {-10.0f, -8.0f}, {0.0f, 14.0f}};
    for (int32_t slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(e.aimSlots[slot].armed, 1) << slot;
        EXPECT_FLOAT_EQ(e.aimSlots[slot].offsetX, expected[slot][0]) << slot;
        EXPECT_FLOAT_EQ(e.aimSlots[slot].offsetY, expected[slot][1]) << slot;
        EXPECT_EQ(e.aimSlots[slot].turnLimit, 8);
        EXPECT_EQ(e.aimSlots[slot].param, 8);
    }
    EXPECT_EQ(task->work->hitBoxCount, 2);
    EXPECT_FLOAT_EQ(task->work->hitBoxes[1].x, -20.0f);
    run(task, 5);
    EXPECT_EQ(task->work->age, 0);
}

TEST_F(ZakoGroundKindsTest, Kind60AlternatesGunsWithTheAimOfTheBurstsFirstShot) {
    struct Case {
        int32_t mode;
        int32_t evenCount, oddCount;
    };
    const std::vector<Case> cases = {{0, 5, 4}, {1, 5, 4}, {2, 5, 6}, {3, 9, 10}};
    makeFighterAt(112.0f, 250.0f);
    for (const Case& c : cases) {
        gameMode = c.mode;
        ObjTask* task = spawnRun(60, 112.0f, 100.0f);
        EnemyFields& e = enemy(task->work);
        e.aimSlots[0].heading = 500;
        e.aimSlots[1].heading = 540;
        const std::vector<ZakoShot> even = fireShot(task, 0);
        e.aimSlots[0].heading = e.aimSlots[1].heading = 300;  // turned since: the burst keeps its aim
        const std::vector<ZakoShot> odd = fireShot(task, 1);
        EXPECT_EQ(countOf(even, 39), c.evenCount) << c.mode;
        EXPECT_EQ(countOf(odd, 39), c.oddCount) << c.mode;
        EXPECT_EQ(centreOf(even, 39), 500) << c.mode;
        EXPECT_NEAR(centreOf(odd, 39), 540, 1) << c.mode;  // an even fan's half step rounds down
        EXPECT_FLOAT_EQ(even[0].speed, 1.3f);
        EXPECT_FLOAT_EQ(odd[0].speed, 1.7f);
        EXPECT_EQ(fireShot(task, 2).size(), size_t(c.evenCount)) << c.mode;
    }
}

TEST_F(ZakoGroundKindsTest, Kind60AddsACrossForAPoweredUpFighterAndDropsTwoWrecks) {
    makeFighterAt(112.0f, 250.0f, true);
    for (int32_t mode : {1, 2, 3}) {
        gameMode = mode;
        ObjTask* task = spawnRun(60, 112.0f, 100.0f);
        EXPECT_EQ(countOf(fireShot(task, 0), 69), mode >= 2 ? 4 : 0) << mode;
        EXPECT_EQ(countOf(fireShot(task, 1), 69), mode >= 2 ? 4 : 0) << mode;
    }
    clearShots();
    ObjTask* task = spawnRun(60, 112.0f, 100.0f);
    enemy(task->work).followedLayer = 2;
    hit(task, 6, 99999);
    ASSERT_EQ(task->work->lifeState, 3);
    std::vector<ObjPoint> pieces;
    OBJtaskWalk(kWreckGroup, [&](ObjTask* wreckTask) { pieces.push_back({wreckTask->work->x, wreckTask->work->y}); });
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_FLOAT_EQ(pieces[0].x, 97.0f);
    EXPECT_FLOAT_EQ(pieces[0].y, 115.0f);
    EXPECT_FLOAT_EQ(pieces[1].x, 127.0f);
    EXPECT_FLOAT_EQ(pieces[1].y, 85.0f);
}

TEST_F(ZakoGroundKindsTest, Kind61FiresByRankAndShotIndexUnderTheSharedRules) {
    struct Case {
        int32_t mode, shot;
        bool powered;
        int32_t type48, type37, type9, type20, type69;
    };
    const std::vector<Case> cases = {
        {0, 0, false, 1, 0, 0, 0, 0}, {1, 0, false, 1, 2, 0, 0, 0},  {2, 0, false, 1, 2, 12, 0, 0},
        {2, 1, false, 1, 2, 0, 0, 0}, {3, 0, false, 1, 2, 12, 11, 0}, {3, 2, false, 1, 2, 0, 0, 0},
        {2, 1, true, 1, 2, 0, 0, 4},  {2, 0, true, 1, 2, 12, 0, 0},  {1, 1, true, 1, 2, 0, 0, 0},
    };
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.mode;
        makeFighterAt(112.0f, 250.0f, c.powered);
        ObjTask* task = spawnRun(61, 112.0f, 100.0f);
        enemy(task->work).aimSlots[0].heading = 512;
        const std::vector<ZakoShot> made = fireShot(task, c.shot);
        EXPECT_EQ(countOf(made, 48), c.type48) << c.mode << " " << c.shot;
        EXPECT_EQ(countOf(made, 37), c.type37) << c.mode << " " << c.shot;
        EXPECT_EQ(countOf(made, 9), c.type9) << c.mode << " " << c.shot;
        EXPECT_EQ(countOf(made, 20), c.type20) << c.mode << " " << c.shot;
        EXPECT_EQ(countOf(made, 69), c.type69) << c.mode << " " << c.shot;
        if (c.shot == 0) {
            EXPECT_EQ(centreOf(made, 48), 512);
        }
        EXPECT_FLOAT_EQ(made[0].speed, c.mode == 0 ? 2.3f : 3.8f);
    }
    OBJtaskReleaseAll(nullptr);
    makeFighterAt(112.0f, 250.0f);
    ObjTask* low = spawnRun(61, 112.0f, 200.0f);
    EXPECT_TRUE(fireShot(low, 0).empty());  // never from the bottom of the field
    hit(low, 6, 99999);
    EXPECT_EQ(eshotFixtureEffects(108), 1);
}

TEST_F(ZakoGroundKindsTest, TheHangarKeepsItsCarriersAndOpensOntoLayer2AtAge100) {
    ObjTask* hangar = spawnRun(64, 112.0f, 100.0f);
    EXPECT_FLOAT_EQ(hangar->work->depth, 10.0f);
    EXPECT_EQ(hangar->work->hitBoxCount, 0);
    const EnemyFields& e = enemy(hangar->work);
    ObjWork* children[2] = {objRefWork(e.partLink[0]), objRefWork(e.partLink[1])};
    ASSERT_NE(children[0], nullptr);
    ASSERT_NE(children[1], nullptr);
    const float places[2][2] = {{92.0f, 85.0f}, {132.0f, 115.0f}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(children[i]->kind, 66);
        EXPECT_FLOAT_EQ(children[i]->x, places[i][0]);
        EXPECT_FLOAT_EQ(children[i]->y, places[i][1]);
        EXPECT_FLOAT_EQ(children[i]->speed, 0.0f);
        EXPECT_EQ(children[i]->heading, 0);
    }
    // The first carrier is gone; its record now serves another object.
    OBJtaskRelease(objRefTask(e.partLink[0]));
    ObjWork* reuse = OBJworkNew();
    run(hangar, 98);
    EXPECT_EQ(hangar->work->age, 99);
    EXPECT_FLOAT_EQ(hangar->work->depth, 10.0f);
    EXPECT_EQ(enemy(children[1]).followedLayer, 0);
    run(hangar, 1);
    EXPECT_FLOAT_EQ(hangar->work->depth, 12.0f);
    EXPECT_EQ(enemy(children[1]).followedLayer, 2);
    EXPECT_EQ(enemy(reuse).followedLayer, 0);
    OBJworkFree(reuse);
}

TEST_F(ZakoGroundKindsTest, AHangarWithoutRoomForCarriersKeepsEmptyReferences) {
    ObjTask* hangar = enemySpawnKind(64, -1, 112.0f, 100.0f);
    enemy(hangar->work).offscreenTimer = 0;
    std::vector<ObjWork*> taken;
    while (ObjWork* w = OBJworkNew()) taken.push_back(w);
    hangar->act(hangar);
    EXPECT_EQ(hangar->state, kObjStateRun);
    EXPECT_EQ(objRefWork(enemy(hangar->work).partLink[0]), nullptr);
    EXPECT_EQ(objRefWork(enemy(hangar->work).partLink[1]), nullptr);
    for (ObjWork* w : taken) OBJworkFree(w);
    run(hangar, 99);
    EXPECT_FLOAT_EQ(hangar->work->depth, 12.0f);
}

TEST_F(ZakoGroundKindsTest, CarriersArmTheirOwnMarkersAndFireFansByShotIndex) {
    makeFighterAt(112.0f, 250.0f);
    const float markers[2][2][2] = {{{-12.0f, -6.0f}, {12.0f, -6.0f}}, {{-9.0f, -3.0f}, {9.0f, -3.0f}}};
    for (int32_t kind : {66, 67}) {
        ObjTask* task = spawnRun(kind, 112.0f, 100.0f);
        EXPECT_EQ(enemySoundCooldowns[int32_t(EnemySoundGate::groundMove)], 1);
        for (int32_t slot = 0; slot < 2; ++slot) {
            const EnemyAimSlot& aim = enemy(task->work).aimSlots[slot];
            EXPECT_FLOAT_EQ(aim.offsetX, markers[kind - 66][slot][0]) << kind;
            EXPECT_FLOAT_EQ(aim.offsetY, markers[kind - 66][slot][1]) << kind;
            EXPECT_EQ(aim.param, 0);
        }
        EXPECT_EQ(task->work->age, 0);
    }
    struct Case {
        int32_t mode, shot;
        int32_t count;
        float speed0, speed1;
    };
    const std::vector<Case> cases = {{0, 0, 3, 1.0f, 1.0f}, {0, 2, 3, 1.2f, 1.2f}, {1, 1, 3, 1.7f, 1.7f},
                                     {2, 4, 3, 3.0f, 3.0f}, {3, 0, 5, 2.2f, 2.5f}, {3, 3, 5, 2.8f, 3.1f}};
    for (const Case& c : cases) {
        gameMode = c.mode;
        ObjTask* task = spawnRun(66, 112.0f, 100.0f);
        const std::vector<ZakoShot> made = fireShot(task, c.shot);
        ASSERT_EQ(made.size(), size_t(2 * c.count)) << c.mode << " " << c.shot;
        EXPECT_EQ(made[0].type, 15);
        EXPECT_FLOAT_EQ(made[0].speed, c.speed0) << c.mode << " " << c.shot;
        EXPECT_FLOAT_EQ(made[size_t(c.count)].speed, c.speed1) << c.mode << " " << c.shot;
    }
}

TEST_F(ZakoGroundKindsTest, CarriersKeepTheAimTakenAtTheBurstsFirstShot) {
    ObjWork* fighterWork = makeFighterAt(40.0f, 250.0f);
    ObjTask* task = spawnRun(66, 112.0f, 100.0f);
    const std::vector<ZakoShot> first = fireShot(task, 0);
    fighterWork->x = 200.0f;
    const std::vector<ZakoShot> later = fireShot(task, 1);
    ASSERT_EQ(first.size(), later.size());
    for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i].heading, later[i].heading) << i;
    const std::vector<ZakoShot> next = fireShot(task, 0);  // a new burst aims anew
    EXPECT_NE(next[0].heading, first[0].heading);
}

TEST_F(ZakoGroundKindsTest, TheHeavyTurretHoldsItsTurretThroughTheBurst) {
    makeFighterAt(112.0f, 250.0f);
    ObjTask* task = spawnRun(65, 112.0f, 100.0f);
    EnemyAimSlot& slot = enemy(task->work).aimSlots[0];
    EXPECT_FLOAT_EQ(slot.offsetY, -11.0f);
    EXPECT_EQ(slot.param, 20);
    slot.heading = 500;
    fireShot(task, 0);
    EXPECT_EQ(slot.armed, 0);
    task->act(task);
    EXPECT_EQ(slot.heading, 500);  // it no longer turns
    fireShot(task, 1);
    fireShot(task, 2);
    EXPECT_EQ(slot.armed, 0);
    fireShot(task, 3);
    EXPECT_EQ(slot.armed, 1);
}

TEST_F(ZakoGroundKindsTest, TheHeavyTurretFiresPairedFansByRank) {
    struct Case {
        int32_t mode;
        bool powered;
        std::vector<int32_t> perShot;  // bullets of shots 0..3
        float speed;
    };
    const std::vector<Case> cases = {{0, false, {4, 4, 0, 0}, 1.2f}, {1, false, {4, 4, 4, 0}, 1.6f},
                                     {2, false, {4, 4, 4, 4}, 2.0f}, {3, false, {6, 6, 6, 6}, 2.4f},
                                     {1, true, {4, 4, 4, 0}, 1.6f},  {2, true, {24, 24, 24, 24}, 2.0f}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.mode;
        makeFighterAt(112.0f, 300.0f, c.powered);
        ObjTask* task = spawnRun(65, 112.0f, 200.0f);  // no height rule
        enemy(task->work).aimSlots[0].heading = 512;
        for (int32_t shot = 0; shot < 4; ++shot) {
            const std::vector<ZakoShot> made = fireShot(task, shot);
            ASSERT_EQ(int32_t(made.size()), c.perShot[size_t(shot)]) << c.mode << " shot " << shot;
            if (made.empty()) continue;
            EXPECT_EQ(made[0].type, 143);
            EXPECT_FLOAT_EQ(made[0].speed, c.speed);
            EXPECT_EQ(countOf(made, 67), c.powered && c.mode >= 2 ? 20 : 0);
        }
    }
}

TEST_F(ZakoGroundKindsTest, TheHeavyTurretFiresInBossFightsButNotTooClose) {
    ObjWork* fighterWork = makeFighterAt(112.0f, 250.0f);
    ObjTask* task = spawnRun(65, 112.0f, 100.0f);
    bossPresentFlag = 1;
    enemy(task->work).shotCountdown = 1;
    enemyRunAttack(task, task->work);
    EXPECT_EQ(shots().size(), 4u);
    fighterWork->y = 170.0f;
    EXPECT_TRUE(fireShot(task, 1).empty());
    hit(task, 6, 99999);
    EXPECT_EQ(eshotFixtureEffects(105), 1);
}

TEST_F(ZakoGroundKindsTest, Kind79ShowsAndTakesHitsOnlyForAPoweredUpFighter) {
    for (int32_t id : {1756, 1757, 1758, 5531, 5532, 5533, 5534}) frames[size_t(id)].w = frames[size_t(id)].h = 16;
    OBJsetFrameTable(frames);
    ObjWork* fighterWork = makeFighterAt(112.0f, 250.0f);
    bossPresentFlag = 1;  // the hidden targets ignore a present boss
    ObjTask* task = spawnRun(79, 112.0f, 100.0f);
    enemy(task->work).followedLayer = 2;
    ASSERT_EQ(task->state, kObjStateRun);
    EXPECT_EQ(task->work->hitBoxCount, 0);
    int before = OBJdrawStoreCount();
    task->work->draw(task, task->work);
    EXPECT_EQ(OBJdrawStoreCount(), before);
    fighter(fighterWork).powerUp = 1;
    task->act(task);
    EXPECT_EQ(task->work->hitBoxCount, 1);
    before = OBJdrawStoreCount();
    stageNumber = 2;
    task->work->age = 9;
    task->work->draw(task, task->work);
    ASSERT_EQ(OBJdrawStoreCount(), before + 2);
    const DrawObj& glow = *OBJdrawStoreEntry(before);
    EXPECT_EQ(glow.frameId, 1756);
    EXPECT_EQ(glow.blend, 1);
    EXPECT_FLOAT_EQ(glow.alpha, 0.2f);
    EXPECT_EQ(int(glow.b), 64);
    const DrawObj& secret = *OBJdrawStoreEntry(before + 1);
    EXPECT_EQ(secret.frameId, 5531 + 2);
    EXPECT_FLOAT_EQ(secret.alpha, 0.8f);
    EXPECT_EQ(int(secret.b), 255);
}

TEST_F(ZakoGroundKindsTest, HiddenTargetsBreakWithoutScoreAndGiveTheirItem) {
    struct Case {
        int32_t kind, item;
    };
    menuResultCode = 2;  // the special mode
    for (const Case& c : {Case{79, 11}, Case{78, 13}}) {
        OBJtaskReleaseAll(nullptr);
        enemyWordsClear();
        ObjWork* fighterWork = makeFighterAt(112.0f, 250.0f, true);
        ObjTask* task = spawnRun(c.kind, 112.0f, 100.0f);
        ASSERT_EQ(task->state, kObjStateRun) << c.kind;
        const int32_t hp = enemy(task->work).hp;
        hit(task, 6, 100);
        EXPECT_EQ(enemy(task->work).hp, hp - 100);
        EXPECT_EQ(enemy(task->work).flashTimer, 0);
        EXPECT_TRUE(madeItems().empty());
        hit(task, 6, hp - 100);  // exactly 0: still standing
        EXPECT_EQ(task->work->lifeState, 1) << c.kind;
        hit(task, 6, 1);
        EXPECT_EQ(task->work->lifeState, 3) << c.kind;
        EXPECT_EQ(task->state, kObjStateEnd);
        const std::vector<MadeItem> items = madeItems();
        ASSERT_EQ(items.size(), 1u) << c.kind;
        EXPECT_EQ(items[0].kind, c.item);
        EXPECT_EQ(eshotFixtureEffects(68), 1);
        EXPECT_EQ(enemySoundCooldowns[int32_t(EnemySoundGate::hiddenTarget)], 4);
        EXPECT_EQ(fighter(fighterWork).score, 0u);
        EXPECT_EQ(enemyRawScoreTotal, 0u);
    }
}

TEST_F(ZakoGroundKindsTest, Kind78LivesOnlyInTheSpecialModeBossOrNot) {
    bossPresentFlag = 1;
    for (int32_t mode : {0, 2}) {
        menuResultCode = mode;
        ObjTask* task = spawnRun(78, 112.0f, 100.0f);
        EXPECT_EQ(task->state, mode == 2 ? kObjStateRun : kObjStateEnd) << mode;
    }
}

}  // namespace
