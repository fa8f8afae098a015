// The bomb visual (effect kind 81) over a "bomb_ex" made by our motion
// builder: it opens the file in its work's first motion slot on its depth
// layer, plays the motion its first parameter picks once, ends when that has
// looped, and the work's release gives the slot back.
#include <gtest/gtest.h>

#include <string>

#include "engine/motion/motion.h"
#include "engine/render/camera_2d.h"
#include "game/core/motion_wrappers.h"
#include "game/core/psb_cache.h"
#include "game/objects/effects.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/menu_frame_slots_fixture.h"

namespace {

constexpr int32_t kBombLayer = 461;

class EffectBombMotionTest : public MenuFrameSlotsFixture {
protected:
    void SetUp() override {
        MenuFrameSlotsFixture::SetUp();
        task->layers[kBombLayer] = &bombLayer;
        psbCache()["bomb_ex"] = motionfixture::load(motionfixture::document(
                                                        "bomb_ex", "src", {"blast"}, "bomb_exp_001",
                                                        {"bomb_a", "bomb_b", "bomb_c", "bomb_d"}))
                                    .release();
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        task->layers[kBombLayer] = nullptr;
        MenuFrameSlotsFixture::TearDown();
    }
    int usedSlots() const {
        int used = 0;
        for (uint8_t u : task->motionSlots.used) used += u;
        return used;
    }
    ObjTask* bomb() {
        ObjTaskGroup& list = OBJtaskGroup(kEffectGroup);
        return list.head.next == &list.tail ? nullptr : list.head.next;
    }

    M2DCameraLocator bombLayer;
};

TEST_F(EffectBombMotionTest, PlaysThePickedMotionOnItsLayerAndFreesTheSlot) {
    TSKeffectCreate(81, 0, 0.0f, 2, 0, ObjRef{}, 112.0f, 144.0f);
    ObjTask* effectTask = bomb();
    ASSERT_NE(effectTask, nullptr);
    const int32_t slot = effectTask->work->motionSlot0;
    ASSERT_TRUE(task->motionSlots.valid(slot));
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(slot), kBombLayer);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "bomb_c");
    EXPECT_EQ(effectTask->state, kObjStateRun);
    EXPECT_EQ(usedSlots(), 1);
    OBJtaskRelease(effectTask);
    EXPECT_EQ(usedSlots(), 0) << "freeing the work gives the slot back";
}

TEST_F(EffectBombMotionTest, EndsOnceItsMotionHasLooped) {
    TSKeffectCreate(81, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    ObjTask* effectTask = bomb();
    ASSERT_NE(effectTask, nullptr);
    for (int frame = 0; frame < 200 && effectTask->state == kObjStateRun; ++frame) {
        task->slotMotion(effectTask->work->motionSlot0)->progress(1.0f);
        effectTask->act(effectTask);
    }
    EXPECT_EQ(effectTask->state, kObjStateEnd);
}

TEST_F(EffectBombMotionTest, AnyOtherParameterOpensNothingAndEnds) {
    TSKeffectCreate(81, 0, 0.0f, 4, 0, ObjRef{}, 112.0f, 144.0f);
    ObjTask* effectTask = bomb();
    ASSERT_NE(effectTask, nullptr);
    EXPECT_EQ(effectTask->work->motionSlot0, -1);
    EXPECT_EQ(effectTask->state, kObjStateEnd);
    EXPECT_EQ(usedSlots(), 0);
}

}  // namespace
