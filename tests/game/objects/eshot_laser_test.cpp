// The enemy lasers over a "lazer" made by our motion builder: the beam's tip
// "top" moves 480 pixels up the motion over the 24 frames of "start". A laser
// charges, takes a strip, grows its 40 boxes to the tip, holds, and ends into
// items under its shooter's cancel (state 10) or at once (state 12).
#include <gtest/gtest.h>

#include <string>

#include "engine/render/camera_2d.h"
#include "game/core/collision.h"
#include "game/core/motion_wrappers.h"
#include "game/core/psb_cache.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/menu_frame_slots_fixture.h"
#include "tests/game/objects/eshot_fixture.h"

namespace {

namespace mb = psbwriter::motion;

mb::Timeline laserTimeline(float frames, float reachFrom, float reachTo) {
    mb::Content from{.src = "src", .icon = "beam", .coord = mb::Vec3{0.0f, reachFrom, 0.0f}};
    mb::Content to{.src = "src", .icon = "beam", .coord = mb::Vec3{0.0f, reachTo, 0.0f}};
    mb::Layer top{.label = "top", .frames = {mb::tweenFrame(0, from), mb::holdFrame(frames, to)}};
    return mb::Timeline{.lastTime = frames, .layers = {top}};
}

class LaserTest : public MenuFrameSlotsFixture {
protected:
    void SetUp() override {
        MenuFrameSlotsFixture::SetUp();
        OBJtaskPoolInit();
        eshotFixtureClear();
        task->layers[kEshotLaserLayer] = &laserLayer;
        mb::Document d = motionfixture::document("lazer", "src", {"beam"}, "laser", {});
        d.objects["laser"].motions["start"] = laserTimeline(24.0f, 0.0f, -480.0f);
        d.objects["laser"].motions["wait"] = laserTimeline(16.0f, -480.0f, -480.0f);
        d.objects["laser"].motions["end"] = laserTimeline(8.0f, -480.0f, 0.0f);
        psbCache()["lazer"] = motionfixture::load(d).release();
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        eshotFixtureClear();
        task->layers[kEshotLaserLayer] = nullptr;
        MenuFrameSlotsFixture::TearDown();
    }
    static ObjTask* laserTask(const ObjWork* work) {
        ObjTaskGroup& list = OBJtaskGroup(kEshotGroup);
        for (ObjTask* t = list.head.next; t != &list.tail; t = t->next) {
            if (t->work == work) return t;
        }
        return nullptr;
    }
    ObjTask* fireLaser(ObjRef owner = {}, float x = 112.0f, float y = 200.0f) {
        ObjWork* work = TSKeshotCreate(161, 0, 0.0f, 0, 0, owner, x, y);
        return work != nullptr ? laserTask(work) : nullptr;
    }
    static void run(ObjTask* laser, int frames) {
        for (int i = 0; i < frames && laser->state == kObjStateRun; ++i) laser->act(laser);
    }
    // Charged (75 frames), fired and grown to its hold.
    static void runToHold(ObjTask* laser) {
        for (int i = 0; i < 200 && laser->work->lifeState != 3; ++i) laser->act(laser);
    }

    M2DCameraLocator laserLayer;
};

TEST_F(LaserTest, AFarLaserIsMadeWithItsMotion) {
    ObjTask* laser = fireLaser({}, 500.0f, -300.0f);
    ASSERT_NE(laser, nullptr);
    EXPECT_TRUE(task->motionSlots.valid(laser->work->motionSlot0));
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(laser->work->motionSlot0), kEshotLaserLayer);
    EXPECT_FLOAT_EQ(laser->work->speed, 0.0f);
}

TEST_F(LaserTest, ChargesGrowsToTheTopAndHolds) {
    ObjTask* laser = fireLaser();
    ASSERT_NE(laser, nullptr);
    run(laser, 74);
    EXPECT_EQ(laser->work->lifeState, 0) << "still charging";
    EXPECT_EQ(laser->work->hitBoxCount, 0);
    EXPECT_GT(eshotFixtureEffects(117), 0);
    runToHold(laser);
    ASSERT_EQ(laser->work->lifeState, 3);
    EXPECT_EQ(laser->work->hitBoxCount, kEshotLaserBoxes);
    EXPECT_EQ(laser->work->hitBoxes, eshotLaserHitBoxes(0));
    EXPECT_EQ(eshotLaserNext, 1);
    const HitBox* strip = eshotLaserHitBoxes(0);
    EXPECT_NEAR(strip[39].y, -480.0f * 39.0f / 40.0f, 1.0f) << "the strip reaches the top";
    for (int i = 1; i < kEshotLaserBoxes; ++i) {
        EXPECT_NEAR(strip[i].y - strip[i - 1].y, strip[1].y, 0.01f) << "even steps, box " << i;
        EXPECT_NEAR(strip[i].x, 0.0f, 0.01f);
    }
    run(laser, 30);
    EXPECT_EQ(laser->work->lifeState, 3);
    EXPECT_EQ(laser->state, kObjStateRun);
}

TEST_F(LaserTest, TheSeventeenthLaserSharesStripZero) {
    ObjTask* lasers[17];
    for (ObjTask*& laser : lasers) laser = fireLaser();
    for (int frame = 0; frame < 80; ++frame) {
        for (ObjTask* laser : lasers) laser->act(laser);
    }
    for (int i = 0; i < 17; ++i) EXPECT_EQ(shot(lasers[i]->work).strip, i % 16) << i;
    EXPECT_EQ(eshotLaserNext, 17);
}

TEST_F(LaserTest, StateTenUnderItsShootersCancelLaysFortyItemsOnce) {
    ObjTask* shooter = OBJtaskCreate(nullptr, kGroupEnemies, objTag("ZAKO"));
    shooter->work = OBJworkNew();
    shooter->release = TSKgameCtrlKill;
    ObjTask* laser = fireLaser(objRef(shooter));
    runToHold(laser);
    eshotCancelRequest(4, 6, shooter->work, 0, 1);
    laser->work->lifeState = 10;
    laser->act(laser);
    EXPECT_EQ(laser->work->lifeState, 11);
    EXPECT_EQ(laser->work->hitBoxCount, 0);
    ASSERT_EQ(madeItems().size(), size_t(kEshotLaserBoxes));
    for (int i = 0; i < kEshotLaserBoxes; ++i) {
        EXPECT_EQ(madeItems()[size_t(i)].kind, 6);
        EXPECT_EQ(madeItems()[size_t(i)].delay, i / 2);
        EXPECT_EQ(madeItems()[size_t(i)].glow, 1);
    }
    laser->work->lifeState = 10;
    laser->act(laser);
    EXPECT_EQ(madeItems().size(), size_t(kEshotLaserBoxes)) << "once per laser";
    run(laser, 40);
    EXPECT_EQ(laser->state, kObjStateEnd) << "the end motion ran out";
}

TEST_F(LaserTest, StateTenWithoutACancelLaysNothingAndAnOwnerZeroCancelIsNotItsOwn) {
    ObjTask* laser = fireLaser();
    runToHold(laser);
    eshotCancelRequest(4, 6, nullptr, 0, 1);
    laser->work->lifeState = 10;
    laser->act(laser);
    EXPECT_TRUE(madeItems().empty());
    EXPECT_EQ(laser->work->lifeState, 11);
}

TEST_F(LaserTest, StateTwelveCutsAtOnceAndARestartCharges) {
    ObjTask* laser = fireLaser();
    runToHold(laser);
    ObjTask* restarted = fireLaser();
    runToHold(restarted);
    restarted->work->lifeState = 0;
    restarted->act(restarted);
    EXPECT_EQ(restarted->state, kObjStateRun);
    laser->work->lifeState = 12;
    laser->act(laser);
    EXPECT_EQ(laser->work->lifeState, 20);
    EXPECT_EQ(laser->work->hitBoxCount, 0);
    EXPECT_EQ(laser->work->serial, kEshotCancelFree) << "references to the cut laser no longer resolve";
    laser->act(laser);
    EXPECT_EQ(laser->state, kObjStateEnd);
}

TEST_F(LaserTest, IdleWhileThePlayIsFrozen) {
    ObjTask* laser = fireLaser();
    continueScreenActive = 1;
    run(laser, 100);
    EXPECT_EQ(laser->work->lifeState, 0);
    EXPECT_EQ(shot(laser->work).charge, 0);
    continueScreenActive = 0;
}

TEST_F(LaserTest, TheStageLoadClearsTheStrips) {
    ObjTask* laser = fireLaser();
    runToHold(laser);
    eshotLaserClear();
    EXPECT_EQ(eshotLaserNext, 0);
    for (int s = 0; s < kEshotLaserStrips; ++s) {
        for (int i = 0; i < kEshotLaserBoxes; ++i) {
            EXPECT_EQ(eshotLaserHitBoxes(s)[i].y, 0.0f);
            EXPECT_EQ(eshotLaserHitBoxes(s)[i].halfWidth, 4.0f);
        }
    }
    EXPECT_EQ(eshotLaserHitBoxes(16), nullptr);
    EXPECT_EQ(eshotLaserHitBoxes(-1), nullptr);
}

}  // namespace
