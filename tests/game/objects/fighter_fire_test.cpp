#include <gtest/gtest.h>

#include "game/objects/effects.h"
#include "game/objects/fighter_fire.h"
#include "game/objects/fshot.h"
#include "tests/game/objects/effects_fixture.h"

namespace {

class FighterFireTest : public EffectsFixture {};

struct CapCase {
    int32_t type;
    int32_t live;
    int shots;
};

class FighterFireCapTest : public FighterFireTest, public ::testing::WithParamInterface<CapCase> {};

TEST_P(FighterFireCapTest, AVolleyNeedsTwoShotsUnderTheCap) {
    const CapCase& c = GetParam();
    ObjTask* f = makeFighter(c.type);
    fshotCounters.own = c.live;
    TSKfighterFire(f);
    EXPECT_EQ(countOf(kFshotGroup), c.shots);
    EXPECT_EQ(countOf(kEffectGroup), c.shots) << "one muzzle flash a shot";
}

INSTANTIATE_TEST_SUITE_P(Caps, FighterFireCapTest,
                         ::testing::Values(CapCase{0, 11, 0}, CapCase{0, 10, 2}, CapCase{1, 10, 2},
                                           CapCase{2, 9, 0}, CapCase{2, 8, 2}, CapCase{3, 7, 0},
                                           CapCase{3, 6, 2}));

TEST_F(FighterFireTest, FiresOnOddFireFramesOnly) {
    ObjTask* f = makeFighter(0);
    fighter(f->work).fireFrame = 2;
    TSKfighterFire(f);
    EXPECT_EQ(countOf(kFshotGroup), 0);
    fighter(f->work).fireFrame = 3;
    TSKfighterFire(f);
    EXPECT_EQ(countOf(kFshotGroup), 2);
    EXPECT_EQ(fighter(f->work).shotSerial, 1) << "the serial counts the firing frames";
}

TEST_F(FighterFireTest, NothingWhileLockedWithoutAFullGaugeOrWithoutLife) {
    ObjTask* f = makeFighter(0);
    fighter(f->work).fireLock = 1;
    TSKfighterFire(f);
    fighter(f->work).fireLock = 0;
    f->work->life = 0;
    TSKfighterFire(f);
    f->work->life = 3;
    for (int32_t& gauge : fighter(f->work).teamGauges) gauge = 99999;
    TSKfighterFire(f);
    EXPECT_EQ(countOf(kFshotGroup), 0);
}

TEST_F(FighterFireTest, TheVolleyTakesItsRowsAndTheFightersValues) {
    ObjTask* f = makeFighter(0);
    fighter(f->work).weaponMode = 1;
    fighter(f->work).shotSerial = 41;
    TSKfighterFire(f);
    const auto shots = tasksOf(kFshotGroup);
    ASSERT_EQ(shots.size(), 2u);
    // Type A's laser shots cross: the left one starts right of the fighter.
    EXPECT_FLOAT_EQ(shots[0]->work->x, 120.0f);
    EXPECT_FLOAT_EQ(shots[1]->work->x, 104.0f);
    EXPECT_EQ(shots[0]->work->kind, 1);
    EXPECT_EQ(shots[0]->work->life, 40);
    EXPECT_EQ(shot(shots[1]->work).side, 1);
    EXPECT_EQ(shot(shots[0]->work).volleySerial, 42);
    const auto flashes = tasksOf(kEffectGroup);
    ASSERT_EQ(flashes.size(), 2u);
    EXPECT_FLOAT_EQ(flashes[0]->work->x, -8.0f) << "the flash sits on the fighter, relative to it";
    EXPECT_FLOAT_EQ(flashes[1]->work->x, 8.0f);
}

TEST_F(FighterFireTest, TheFireLockEndsEveryShotInTheSameFrame) {
    ObjTask* f = makeFighter(1);
    TSKfighterFire(f);
    fighter(f->work).fireFrame = 3;
    TSKfighterFire(f);
    actPass(kFshotGroup);
    ASSERT_EQ(countOf(kFshotGroup), 4);
    fighter(f->work).fireLock = 1;
    actPass(kFshotGroup);
    for (ObjTask* task : tasksOf(kFshotGroup)) EXPECT_EQ(task->state, kObjStateEnd);
    actPass(kFshotGroup);
    EXPECT_EQ(countOf(kFshotGroup), 0);
    EXPECT_EQ(fshotCounters.all, 0);
    EXPECT_EQ(fshotCounters.own, 0);
}

TEST_F(FighterFireTest, TypeCLaserShotsEndAfterTheirFourthFrame) {
    ObjTask* f = makeFighter(2);
    fighter(f->work).weaponMode = 1;
    TSKfighterFire(f);
    fighter(f->work).weaponMode = 0;
    fighter(f->work).fireFrame = 3;
    TSKfighterFire(f);
    const auto shots = tasksOf(kFshotGroup);
    ASSERT_EQ(shots.size(), 4u);
    fighter(f->work).weaponMode = 1;
    for (int pass = 0; pass < 5; ++pass) actPass(kFshotGroup);
    EXPECT_EQ(shots[0]->state, kObjStateRun);
    actPass(kFshotGroup);
    EXPECT_EQ(shots[0]->state, kObjStateEnd) << "fired in laser mode";
    EXPECT_EQ(shots[1]->state, kObjStateEnd);
    EXPECT_EQ(shots[2]->state, kObjStateEnd) << "the mode is the fighter's at the first update";
}

TEST_F(FighterFireTest, AShotHitsOnceWithItsHitEffectAndSpark) {
    ObjTask* f = makeFighter(0);
    TSKfighterFire(f);
    actPass(kFshotGroup);
    OBJtaskWalk(kEffectGroup, [](ObjTask* task) { OBJtaskRelease(task); });
    ObjTask* task = tasksOf(kFshotGroup).front();
    ObjWork* work = task->work;
    ASSERT_EQ(work->hit, TSKfshotHit);
    TSKfshotHit(task, work);
    EXPECT_EQ(work->hit, nullptr);
    EXPECT_EQ(task->state, kObjStateEnd);
    const auto effects = tasksOf(kEffectGroup);
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_EQ(effects[1]->work->kind, 57);
    EXPECT_FLOAT_EQ(effects[0]->work->y, work->y - 12.0f) << "kind 0's hit effect shows 12 pixels ahead";
    TSKfshotHit(task, work);
    EXPECT_EQ(countOf(kEffectGroup), 2) << "the second contact does nothing";
}

TEST_F(FighterFireTest, TheCountersBalanceAfterAReleaseBeforeTheFirstUpdate) {
    ObjTask* f = makeFighter(0);
    TSKfighterFire(f);
    ASSERT_EQ(countOf(kFshotGroup), 2);
    OBJtaskWalk(kFshotGroup, [](ObjTask* task) { OBJtaskRelease(task); });
    EXPECT_EQ(fshotCounters.all, 0);
    EXPECT_EQ(fshotCounters.own, 0);
    EXPECT_EQ(fshotCounters.gun, 0);
    TSKfighterFire(f);
    actPass(kFshotGroup);
    EXPECT_EQ(fshotCounters.all, 2);
    EXPECT_EQ(fshotCounters.own, 2);
    OBJtaskReleaseAll(nullptr);
    EXPECT_EQ(fshotCounters.all, 0);
    EXPECT_EQ(fshotCounters.own, 0);
}

TEST_F(FighterFireTest, ShotsLeavingTheScreenEnd) {
    ObjTask* f = makeFighter(0);
    f->work->y = -20.0f;
    TSKfighterFire(f);
    actPass(kFshotGroup);
    for (ObjTask* task : tasksOf(kFshotGroup)) EXPECT_EQ(task->state, kObjStateEnd);
}

}  // namespace
