// The stage title: the field opens "stage_title" on layer 500, plays the
// stage's motion once and gives the slot back once it has looped.
#include <gtest/gtest.h>

#include "engine/motion/motion.h"
#include "engine/render/camera_2d.h"
#include "game/core/motion_wrappers.h"
#include "game/core/psb_cache.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_tables.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/menu_frame_slots_fixture.h"

namespace {

constexpr int32_t kTitleLayer = 500;
constexpr SpawnRow kTitleRows[] = {{0, -1, kSpawnEndFrame, 0, 0, {}}};
constexpr ScrollScript kTitleLayerRest[] = {{0, 0, 0, 0, 0, 0}};
constexpr StageTables kTitleStage = {kTitleRows, 0, nullptr, 0,
                                     {kTitleLayerRest, kTitleLayerRest, kTitleLayerRest, kTitleLayerRest}};
constexpr StageTables kTitleStages[kStageTableCount] = {kTitleStage, kTitleStage, kTitleStage,
                                                        kTitleStage, kTitleStage, kTitleStage};

class StageTitleTest : public MenuFrameSlotsFixture {
protected:
    void SetUp() override {
        MenuFrameSlotsFixture::SetUp();
        task->layers[kTitleLayer] = &titleLayer;
        psbCache()["stage_title"] =
            motionfixture::load(motionfixture::document("stage_title", "src", {"title"}, "stage_title",
                                                        {"stage1", "stage2", "stage3", "stage4", "stage5"}))
                .release();
        stageTablesUse(kTitleStages);
        stageFieldReset();
        stageNumber = 3;
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        task->layers[kTitleLayer] = nullptr;
        stageTablesUse(nullptr);
        stageNumber = 0;
        MenuFrameSlotsFixture::TearDown();
    }
    M2DCameraLocator titleLayer;
};

TEST_F(StageTitleTest, TheTitlePlaysOnceAndItsSlotIsFreed) {
    ObjTask* field = OBJtaskCreate(TSKst03FieldAct, 1, objTag("FILD"));
    field->act(field);
    const int32_t slot = field->work->motionSlot0;
    ASSERT_TRUE(task->motionSlots.valid(slot));
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(slot), kTitleLayer);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "stage3");
    int frames = 0;
    for (; frames < 200 && field->work->motionSlot0 != -1; ++frames) {
        task->slotMotion(slot)->progress(1.0f);
        field->act(field);
    }
    EXPECT_EQ(field->work->motionSlot0, -1);
    EXPECT_GT(frames, 5) << "not before the motion has played";
    EXPECT_FALSE(task->motionSlots.valid(slot));
}

}  // namespace
