// Enemy shots: refusal, speeds, classes, shootable types, the power-up rules,
// the convert countdown, the bullet cancel and the blow knock-back, driven
// act by act over a fresh pool.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/core/collision.h"
#include "game/objects/eshot_tables.h"
#include "tests/game/objects/eshot_fixture.h"

namespace {

using EnemyShotCreateTest = EshotFixture;
using EnemyShotUpdateTest = EshotFixture;
using EnemyShotCancelTest = EshotFixture;

TEST_F(EnemyShotCreateTest, ThePlaceDecidesAtTheEdges) {
    struct Case {
        float x, y;
        bool made;
    };
    const Case cases[] = {{228.0f, 100.0f, true},  {112.0f, 272.0f, true}, {-4.0f, -4.0f, true},
                          {228.5f, 100.0f, false}, {-4.5f, 100.0f, false}, {112.0f, -4.5f, false},
                          {112.0f, 272.5f, false}};
    for (const Case& c : cases) {
        const ObjWork* work = TSKeshotCreate(22, 0, 100.0f, 0, 0, ObjRef{}, c.x, c.y);
        EXPECT_EQ(work != nullptr, c.made) << c.x << ", " << c.y;
    }
}

TEST_F(EnemyShotCreateTest, The1025thIsRefusedUntilOneIsReleased) {
    std::vector<ObjWork*> made;
    for (int i = 0; i < kEshotLiveLimit; ++i) made.push_back(TSKeshotCreate(i % 156, 0, 100.0f, 0, 0, {}, 112, 100));
    EXPECT_TRUE(std::all_of(made.begin(), made.end(), [](ObjWork* w) { return w != nullptr; }));
    EXPECT_EQ(eshotLiveCount, kEshotLiveLimit);
    EXPECT_EQ(TSKeshotCreate(22, 0, 100.0f, 0, 0, {}, 112, 100), nullptr);
    OBJtaskRelease(taskOf(made[5]));
    EXPECT_EQ(eshotLiveCount, kEshotLiveLimit - 1);
    EXPECT_NE(TSKeshotCreate(22, 0, 100.0f, 0, 0, {}, 112, 100), nullptr);
}

TEST_F(EnemyShotCreateTest, NothingWhileTheStopFlagIsSet) {
    enemyShotStop = 1;
    EXPECT_EQ(TSKeshotCreate(22, 0, 100.0f, 0, 0, {}, 112, 100), nullptr);
    EXPECT_EQ(shots(), 0);
    EXPECT_EQ(eshotLiveCount, 0);
}

TEST_F(EnemyShotCreateTest, SpeedsTakeTheBonusByType) {
    makeFighter(112.0f, 250.0f, true);
    eshotSpeedBonus = 0.5f;
    ObjTask* plain = fire(22, 300.0f);
    ObjTask* noBonus = fire(168, 300.0f);
    ObjTask* classThree = fire(99, 300.0f);
    ObjTask* unslowed = fire(180, 300.0f);
    EXPECT_FLOAT_EQ(plain->work->speed, 3.5f);
    EXPECT_FLOAT_EQ(noBonus->work->speed, 3.0f);
    EXPECT_FLOAT_EQ(classThree->work->speed, 3.0f) << "class 3 gets no bonus";
    for (ObjTask* task : {plain, unslowed}) step(task);
    EXPECT_FLOAT_EQ(plain->work->speed, 1.75f) << "halved while powered up";
    EXPECT_FLOAT_EQ(unslowed->work->speed, 3.0f) << "unslowed, no bonus";
}

TEST_F(EnemyShotCreateTest, ClassesOfEveryType) {
    EXPECT_EQ(eshotTypeClass(-1), 0);
    EXPECT_EQ(eshotTypeClass(188), 0);
    const int32_t classOne[] = {165, 166, 167, 169, 171, 172, 176, 177, 178, 179, 182, 183, 185, 187};
    for (int32_t type = 0; type < kEshotTypes; ++type) {
        int32_t expected = 0;
        if (type <= 131) expected = type / 33;
        else if (type <= 155) expected = (type - 132) / 6;
        else if (type <= 159) expected = 4;
        else if (std::find(std::begin(classOne), std::end(classOne), type) != std::end(classOne)) expected = 1;
        EXPECT_EQ(eshotTypeClass(type), expected) << type;
    }
}

TEST_F(EnemyShotCreateTest, TheTypeTableGivesLookAndLife) {
    struct Case {
        int32_t type, base, cells, frames, depth, life;
        float scale, size;
    };
    const Case cases[] = {{0, 1148, 8, 1, 706, 0, 1.0f, 16.0f},   {20, 812, 3, 2, 703, 0, 1.0f, 16.0f},
                          {67, 1275, 7, 1, 706, 0, 1.0f, 16.0f},  {131, 601, 12, 1, 701, 0, 1.0f, 16.0f},
                          {155, 126, 8, 1, 702, 0, 1.0f, 16.0f},  {156, 1255, 8, 1, 705, 28, 1.0f, 16.0f},
                          {163, 0, 8, 1, 701, 0, 1.0f, 16.0f},    {167, 1590, 10, 1, 701, 0, 0.2f, 32.0f},
                          {172, 5895, 6, 2, 706, 0, 0.4f, 16.0f}, {187, 198, 8, 1, 704, 0, 1.0f, 16.0f}};
    for (const Case& c : cases) {
        ObjTask* task = fire(c.type);
        ASSERT_NE(task, nullptr) << c.type;
        const ObjWork* w = task->work;
        EXPECT_EQ(w->spriteBase, c.base) << c.type;
        EXPECT_EQ(w->animCount, c.cells) << c.type;
        EXPECT_EQ(w->animStep, c.frames) << c.type;
        EXPECT_EQ(int32_t(w->depth), c.depth) << c.type;
        EXPECT_EQ(w->life, c.life) << c.type;
        EXPECT_FLOAT_EQ(w->scaleX, c.scale) << c.type;
        EXPECT_FLOAT_EQ(w->sizeX, c.size) << c.type;
        EXPECT_EQ(task->group, c.type >= 156 && c.type <= 159 ? kEshotSpecialGroup : kEshotGroup);
    }
}

TEST_F(EnemyShotUpdateTest, EveryTypeFiresAndMoves) {
    makeFighter(112.0f, 250.0f, true);
    gameMode = 3;
    for (int32_t type = 0; type < kEshotTypes; ++type) {
        if (type == 161 || type == 162) continue;  // the lasers: their own suite
        ObjTask* task = fire(type, 200.0f, 112.0f, 120.0f, 512);
        ASSERT_NE(task, nullptr) << type;
        const float y0 = task->work->y;
        for (int i = 0; i < 5 && task->state == kObjStateRun; ++i) step(task);
        EXPECT_TRUE(task->state != kObjStateRun || task->work->y != y0 || type == 163) << type;
    }
}

TEST_F(EnemyShotUpdateTest, AShootableShotDiesOnTheThirdHit) {
    makeFighter(112.0f, 250.0f);
    ObjTask* target = fire(156);
    ObjTask* hitter = OBJtaskCreate(nullptr, kGroupFighterShots, objTag("FSHT"));
    hitter->work = OBJworkNew();
    hitter->release = TSKgameCtrlKill;
    hitter->work->life = 10;
    for (int hit = 1; hit <= 3; ++hit) {
        target->work->lastCollider = objRef(hitter);
        target->work->hit(target, target->work);
        EXPECT_EQ(target->state == kObjStateEnd, hit == 3) << hit;
    }
    EXPECT_EQ(target->work->life, 0);
    ASSERT_EQ(madeItems().size(), 1u);
    EXPECT_EQ(madeItems()[0].kind, 7);
    EXPECT_EQ(effects(91), 1);
    EXPECT_EQ(target->work->hit, nullptr);
}

TEST_F(EnemyShotUpdateTest, APlainShotVanishesOnAnyHit) {
    ObjTask* target = fire(22);
    target->work->hit(target, target->work);
    EXPECT_EQ(target->state, kObjStateEnd);
    EXPECT_EQ(effects(87), 1);
    ObjTask* laserLike = fire(167);
    laserLike->work->hit(laserLike, laserLike->work);
    EXPECT_EQ(laserLike->state, kObjStateRun) << "type 167 ignores every hit";
}

TEST_F(EnemyShotUpdateTest, ClassesTwoAndThreeByModeAndPowerUp) {
    struct Case {
        int32_t type, mode;
        bool powerUp, lives;
        int32_t effect;
    };
    const Case cases[] = {{66, 2, false, false, 89}, {66, 3, false, true, 0},  {66, 2, true, true, 0},
                          {99, 3, false, false, 90}, {99, 2, true, true, 0},   {22, 2, false, true, 0}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.mode;
        makeFighter(112.0f, 250.0f, c.powerUp);
        ObjTask* task = fire(c.type);
        step(task);
        EXPECT_EQ(task->state == kObjStateRun, c.lives) << c.type << " mode " << c.mode;
        if (c.effect != 0) EXPECT_EQ(effects(c.effect), 1) << c.type;
        EXPECT_EQ(task->work->hitBoxCount, c.lives ? 1 : 0);
    }
}

TEST_F(EnemyShotUpdateTest, TheConvertCountdownTurnsClassThreeIntoItems) {
    makeFighter(112.0f, 250.0f, true);
    eshotConvertCountdown = 4;
    ObjTask* classThree = fire(99);
    ObjTask* classZero = fire(22);
    step(classThree);
    step(classZero);
    EXPECT_EQ(classThree->state, kObjStateEnd);
    EXPECT_EQ(classZero->state, kObjStateRun);
    ASSERT_EQ(madeItems().size(), 1u);
    EXPECT_EQ(madeItems()[0].kind, 7);
}

TEST_F(EnemyShotUpdateTest, OffTheScreenEndsWithoutAnEffect) {
    ObjTask* task = fire(22, 300.0f, 112.0f, -2.0f, 0);
    for (int i = 0; i < 10 && task->state == kObjStateRun; ++i) step(task);
    EXPECT_EQ(task->state, kObjStateEnd);
    EXPECT_EQ(effects(87), 0);
}

TEST_F(EnemyShotUpdateTest, TheBlowKnocksAShotBack) {
    ObjWork* f = makeFighter(112.0f, 150.0f);
    ObjTask* task = fire(22, 100.0f, 112.0f, 100.0f, 512);
    fighter(f).blowOff = 0;
    fighter(f).blowDisplay = 5;
    step(task);
    fighter(f).blowDisplay = 0;
    fighter(f).blowCooldown = 100;
    EXPECT_EQ(task->work->heading, 512) << "toward where the fighter was";
    EXPECT_FLOAT_EQ(task->work->speed, -5.0f);
    EXPECT_EQ(effects(123), 1);
    step(task);
    EXPECT_NEAR(task->work->speed, -4.85f, 1e-4f);
    for (int i = 0; i < 40; ++i) step(task);
    EXPECT_NEAR(task->work->speed, 0.8f, 1e-5f);
}

TEST_F(EnemyShotCancelTest, OwnerZeroCancelsEveryShotWithDelaysInEights) {
    makeFighter(112.0f, 250.0f);
    ObjTask* parent = makeParent();
    std::vector<ObjTask*> made;
    for (int i = 0; i < 20; ++i) made.push_back(fire(22, 0.0f, 112.0f, 100.0f, 0, i % 2 ? objRef(parent) : ObjRef{}));
    eshotCancelRequest(10, 7, nullptr, 0, 1);
    for (ObjTask* task : made) step(task);
    for (ObjTask* task : made) EXPECT_EQ(task->state, kObjStateEnd);
    ASSERT_EQ(madeItems().size(), 20u);
    for (size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(madeItems()[i].delay, int32_t(i / 8)) << i;
        EXPECT_EQ(madeItems()[i].glow, 1);
    }
    EXPECT_EQ(eshotCancelQueue.cancelledCount, 20);
    EXPECT_EQ(effects(87), 20);
}

TEST_F(EnemyShotCancelTest, NoDelayWhileTheBombRuns) {
    ObjWork* f = makeFighter(112.0f, 250.0f);
    fighter(f).bombActive = 1;
    std::vector<ObjTask*> made;
    for (int i = 0; i < 12; ++i) made.push_back(fire(22, 0.0f));
    eshotCancelRequest(10, 3, nullptr, 0, 0);
    for (ObjTask* task : made) step(task);
    ASSERT_EQ(madeItems().size(), 12u);
    for (const MadeItem& call : madeItems()) EXPECT_EQ(call.delay, 0);
}

TEST_F(EnemyShotCancelTest, AnOwnersCancelMatchesItsShotsAndMarksTheOthersDone) {
    ObjTask* owner = makeParent();
    ObjTask* other = makeParent();
    ObjTask* mine = fire(22, 0.0f, 112.0f, 100.0f, 0, objRef(owner));
    ObjTask* theirs = fire(22, 0.0f, 112.0f, 100.0f, 0, objRef(other));
    const uint32_t ownerSerial = owner->work->serial;
    OBJtaskRelease(owner);  // a released parent is never read: the kept serial still matches
    EshotCancelSlot slot{};
    eshotCancelFreeSlot(slot);
    eshotCancelQueue.countdown = 4;
    eshotCancelQueue.slots[0] = {ownerSerial, -1, 0, 1, 0};
    step(theirs);
    EXPECT_EQ(theirs->state, kObjStateRun);
    EXPECT_EQ(eshotCancelQueue.slots[0].done, 1);
    eshotCancelQueue.slots[0].done = 0;
    step(mine);
    EXPECT_EQ(mine->state, kObjStateEnd);
    EXPECT_EQ(eshotCancelQueue.slots[0].done, 0);
    EXPECT_TRUE(madeItems().empty()) << "level -1 leaves nothing";
}

TEST_F(EnemyShotCancelTest, The33rdRequestIsDroppedButItsCountdownCounts) {
    for (int i = 0; i < kEshotCancelSlots; ++i) eshotCancelRequest(5, -1, nullptr, 0, 1);
    eshotCancelRequest(90, 4, nullptr, 1, 1);
    EXPECT_EQ(eshotCancelQueue.countdown, 90);
    for (const EshotCancelSlot& slot : eshotCancelQueue.slots) EXPECT_EQ(slot.level, -1);
    eshotCancelClear();
    EXPECT_EQ(eshotCancelQueue.countdown, 0);
    for (const EshotCancelSlot& slot : eshotCancelQueue.slots) EXPECT_EQ(slot.ownerSerial, kEshotCancelFree);
}

TEST_F(EnemyShotCancelTest, BurstsHandTheParentOn) {
    makeFighter(112.0f, 250.0f);
    ObjTask* parent = makeParent();
    ObjTask* burster = fire(168, 10.0f, 112.0f, 100.0f, 512, objRef(parent));
    for (int i = 0; i < 5 && burster->state == kObjStateRun; ++i) step(burster);
    ASSERT_EQ(burster->state, kObjStateEnd);
    int children = 0;
    OBJtaskWalk(kEshotGroup, [&](ObjTask* task) {
        if (task == burster) return;
        ++children;
        EXPECT_EQ(shot(task->work).parentSerial, int32_t(parent->work->serial));
        EXPECT_EQ(task->work->kind, 133);
    });
    EXPECT_EQ(children, 7) << "seven fans of one in ORIGINAL";
}

}  // namespace
