#include <gtest/gtest.h>

#include "game/core/collision.h"
#include "game/objects/fshot.h"
#include "game/objects/gun_units.h"
#include "tests/game/objects/effects_fixture.h"

namespace {

class GunUnitTest : public EffectsFixture {
protected:
    // The fighter's two units, made as the fighter's set-up makes them.
    void makeUnits(ObjTask* f) {
        for (int index = 0; index < 2; ++index) {
            ObjTask* task = OBJtaskCreateTail(TSKgunAct, kGunGroup, kGunTag);
            task->parent = objRef(f);
            TSKgunAct(task);
            gunSetIndex(task->work, index);
            units[index] = task;
        }
    }
    void settle(int passes) {
        for (int pass = 0; pass < passes; ++pass) actPass(kGunGroup);
    }
    ObjTask* units[2] = {};
};

TEST_F(GunUnitTest, TypeCTakesItsFormation) {
    struct Case {
        int32_t mode, powered;
        float x, y;
        int32_t heading;
    };
    for (const Case& c : {Case{0, 0, -20, 25, 1024 - 80}, Case{1, 0, -50, -12, 70}, Case{0, 1, -30, 30, 1024 - 90},
                          Case{1, 1, -60, -32, 65}}) {
        ObjTask* f = makeFighter(2);
        fighter(f->work).weaponMode = c.mode;
        fighter(f->work).powerUp = c.powered;
        makeUnits(f);
        settle(12);
        EXPECT_FLOAT_EQ(units[0]->work->x, 112.0f + c.x);
        EXPECT_FLOAT_EQ(units[0]->work->y, 220.0f + c.y);
        EXPECT_FLOAT_EQ(units[1]->work->x, 112.0f - c.x) << "index 1 mirrors index 0";
        EXPECT_EQ(units[0]->work->heading, c.heading);
        OBJtaskReleaseAll(nullptr);
    }
}

TEST_F(GunUnitTest, ApproachesByTheStepOfItsDistance) {
    struct Case {
        float distance, after;
    };
    ObjTask* f = makeFighter(2);
    makeUnits(f);
    settle(12);
    const float targetX = units[0]->work->x;
    for (const Case& c : {Case{300, 172}, Case{200, 136}, Case{100, 68}, Case{50, 34}, Case{20, 12}, Case{10, 6},
                          Case{6, 4}, Case{3, 2}, Case{2, 0}, Case{1, 0}}) {
        units[0]->work->x = targetX + c.distance;
        TSKgunUpdate(units[0]);
        EXPECT_NEAR(units[0]->work->x - targetX, c.after, 1e-3f) << c.distance;
    }
}

TEST_F(GunUnitTest, TypeDOrbitsBy24AFrameUnderThePadButNotInLaserMode) {
    ObjTask* f = makeFighter(3);
    makeUnits(f);
    fighter(f->work).lastDirection = 5;  // left
    settle(2);
    EXPECT_EQ(gun(units[0]->work).turn, 1024 - 48);
    fighter(f->work).lastDirection = 9;  // right
    settle(3);
    EXPECT_EQ(gun(units[0]->work).turn, 24);
    fighter(f->work).weaponMode = 1;
    settle(3);
    EXPECT_EQ(gun(units[0]->work).turn, 24);
    fighter(f->work).lastDirection = 0;
    fighter(f->work).weaponMode = 0;
    settle(3);
    EXPECT_EQ(gun(units[0]->work).turn, 24) << "nothing held, no turn";
}

TEST_F(GunUnitTest, TypeACirclesHalfATurnApart) {
    ObjTask* f = makeFighter(0);
    makeUnits(f);
    settle(40);
    const ObjWork* a = units[0]->work;
    const ObjWork* b = units[1]->work;
    // The ring turns 20 units a frame, so the units trail their points a little.
    EXPECT_NEAR(a->x + b->x, 2.0f * 112.0f, 0.1f);
    EXPECT_NEAR(a->y + b->y, 2.0f * (220.0f - 15.0f), 0.1f);
    EXPECT_NE(a->depth, b->depth) << "one is behind the fighter";
}

TEST_F(GunUnitTest, FiresTheGunKindsOnOddFireFramesUnderTheCap) {
    ObjTask* f = makeFighter(0);
    makeUnits(f);
    settle(1);
    EXPECT_EQ(countOf(kFshotGroup), 2);
    for (ObjTask* task : tasksOf(kFshotGroup)) EXPECT_EQ(task->work->kind, 4);
    fighter(f->work).fireFrame = 2;
    settle(1);
    EXPECT_EQ(countOf(kFshotGroup), 2);
    fighter(f->work).fireFrame = 3;
    fshotCounters.gun = 11;
    settle(1);
    EXPECT_EQ(countOf(kFshotGroup), 2) << "12 is the cap";
    fighter(f->work).powerUp = 1;
    fighter(f->work).weaponMode = 1;
    gun(units[0]->work).modeTimer = 0;
    gun(units[1]->work).modeTimer = 0;
    gun(units[0]->work).lastMode = gun(units[1]->work).lastMode = 1;
    settle(1);
    EXPECT_EQ(countOf(kFshotGroup), 4) << "the powered laser tables allow 16";
}

TEST_F(GunUnitTest, AWeaponModeChangeHoldsFireFor30Frames) {
    ObjTask* f = makeFighter(0);
    makeUnits(f);
    fighter(f->work).weaponMode = 1;
    for (int pass = 0; pass < 30; ++pass) {
        fighter(f->work).fireFrame = 2 * pass + 1;
        settle(1);
    }
    EXPECT_EQ(countOf(kFshotGroup), 0);
    settle(1);
    EXPECT_EQ(countOf(kFshotGroup), 2);
}

TEST_F(GunUnitTest, AUnitEndsWithItsFighter) {
    ObjTask* f = makeFighter(1);
    makeUnits(f);
    settle(1);
    OBJtaskRelease(f);
    settle(1);
    EXPECT_EQ(units[0]->state, kObjStateEnd);
    settle(1);
    EXPECT_EQ(countOf(kGunGroup), 0);
}

TEST_F(GunUnitTest, ResetPutsTheUnitOnTheFighter) {
    ObjTask* f = makeFighter(1);
    makeUnits(f);
    settle(5);
    units[1]->work->depth = 601.0f;
    gunReset(units[1]->work);
    EXPECT_FLOAT_EQ(units[1]->work->x, 112.0f);
    EXPECT_FLOAT_EQ(units[1]->work->y, 220.0f);
    EXPECT_FLOAT_EQ(units[1]->work->depth, 612.0f);
    EXPECT_EQ(units[1]->work->animFrame, 0);
    gunReset(nullptr);
}

TEST_F(GunUnitTest, TheBodyIsTypeDsOnlyHitBox) {
    ObjTask* f = makeFighter(3);
    makeUnits(f);
    settle(1);
    EXPECT_EQ(units[0]->work->life, 32);
    ASSERT_EQ(units[0]->work->hitBoxCount, 1);
    EXPECT_FLOAT_EQ(units[0]->work->hitBoxes->halfWidth, 12.0f);
    fighter(f->work).absent = 1;
    settle(1);
    EXPECT_EQ(units[0]->work->life, 0);
    EXPECT_EQ(units[0]->work->hitBoxCount, 0);
    EXPECT_FLOAT_EQ(units[0]->work->x, 112.0f) << "an absent fighter's units sit on it";
}

}  // namespace
