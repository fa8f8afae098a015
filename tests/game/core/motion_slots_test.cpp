// The root task's motion slots through the porting layer's wrappers, over
// motion files made by our motion builder: the slot table, loop counting,
// speed and pause, locators, and slots made and released without leaking.
#include "game/core/motion_slots.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_object.h"
#include "engine/motion/motion.h"
#include "engine/render/camera_2d.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/psb_cache.h"
#include "game/core/stage_load.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/working_folder.h"

namespace {

namespace mb = psbwriter::motion;

constexpr int32_t kLayer = 400;
constexpr int32_t kLength = 10;

mb::Layer heldLayer(const std::string& label, int type, mb::Content content) {
    return mb::Layer{.label = label, .type = type, .frames = {mb::holdFrame(0, content), mb::holdFrame(kLength, content)}};
}

// Object "boss": "appear" plays once over frames 0..10 and carries a turret
// locator at (30, -12) turned by 45 degrees; "idle" is a second label;
// "armed" plays "gun" as a part at (10, 0), whose own locator "gun00" sits
// at (5, 2) within it.
mb::Document bossDocument() {
    mb::Document d = motionfixture::document("boss", "src", {"body"}, "boss", {"appear", "idle", "armed", "gun"});
    auto& motions = d.objects["boss"].motions;
    std::get<mb::Timeline>(motions["appear"]).layers.push_back(
        heldLayer("turret00", mb::kGroup, {.coord = mb::Vec3{30.0f, -12.0f, 0.0f}, .angle = 45.0f}));
    std::get<mb::Timeline>(motions["armed"]).layers.push_back(heldLayer(
        "arm", mb::kNestedMotion,
        {.src = "boss", .icon = "gun", .coord = mb::Vec3{10.0f, 0.0f, 0.0f}, .motion = mb::NestedSettings{}}));
    std::get<mb::Timeline>(motions["gun"]).layers.push_back(
        heldLayer("gun00", mb::kGroup, {.coord = mb::Vec3{5.0f, 2.0f, 0.0f}}));
    return d;
}

class MotionSlotsTest : public testing::Test {
protected:
    void SetUp() override {
        M_SPEC = "win";
        psbCache()["boss"] = motionfixture::load(bossDocument()).release();
        task = GameTask::getInstance();
        ASSERT_NE(task, nullptr);
        locator = new M2DCameraLocator;
        task->layers[kLayer] = locator;
    }
    void TearDown() override {
        PsbCache documents = psbCache();
        delete task;  // takes down the slots still in use, each motion before its layer
        delete locator;
        for (auto& [key, document] : documents) delete document;
        psbCache().clear();
        M_SPEC.clear();
    }
    // A slot playing "appear" with the loop limit.
    int32_t playing(int32_t loopLimit) {
        const int32_t slot = SDL2_wheel_MotionCreate(kLayer, "boss");
        SDL2_wheel_MotionPlay(slot, loopLimit, "boss", "appear");
        return slot;
    }
    // One frame as the game runs it: the motion steps, then the loop bookkeeping.
    void frame(int32_t slot) {
        task->slotMotion(slot)->progress(1.0f);
        SDL2_wheel_MotionUpdateLoop(slot);
    }

    WorkingFolder folder;
    GameTask* task = nullptr;
    M2DCameraLocator* locator = nullptr;
};

TEST_F(MotionSlotsTest, ThirtyTwoSlotsThenNoneAndAReleasedSlotIsTakenAgain) {
    for (int32_t i = 0; i < MotionSlotTable::kSlots; ++i) EXPECT_EQ(SDL2_wheel_MotionCreate(kLayer, "boss"), i);
    EXPECT_EQ(SDL2_wheel_MotionCreate(kLayer, "boss"), -1);
    task->releaseMotionSlot(5);
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(5), 0);
    EXPECT_EQ(SDL2_wheel_MotionCreate(kLayer, "boss"), 5);
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(5), kLayer);
}

TEST_F(MotionSlotsTest, AKeyNotInTheCacheOrALayerOutOfRangeTakesNoSlot) {
    EXPECT_EQ(SDL2_wheel_MotionCreate(kLayer, "absent"), -1);
    EXPECT_EQ(folder.logLines(), std::vector<std::string>{"getPSBObject 指定されたファイルが無い absent"});
    EXPECT_EQ(SDL2_wheel_MotionCreate(-1, "boss"), -1);
    EXPECT_EQ(SDL2_wheel_MotionCreate(GameTask::kLayers, "boss"), -1);
    EXPECT_EQ(SDL2_wheel_MotionCreate(kLayer, "boss"), 0);
}

TEST_F(MotionSlotsTest, ALoopLimitOfThreePlaysThreeTimesAndStandsOnTheLastFrame) {
    const int32_t slot = playing(3);
    int32_t frames = 0;
    while (SDL2_wheel_MotionGetLoopCount(slot) < 3 && frames < 100) {
        frame(slot);
        ++frames;
    }
    EXPECT_EQ(SDL2_wheel_MotionGetLoopCount(slot), 3);
    // Each pass plays the ten frames; a rewind holds frame 0 for one frame.
    EXPECT_EQ(frames, 3 * kLength + 2);
    for (int i = 0; i < 5; ++i) frame(slot);
    EXPECT_EQ(SDL2_wheel_MotionGetLoopCount(slot), 3);
    EXPECT_EQ(SDL2_wheel_MotionGetFrame(slot), kLength - 1);
    EXPECT_EQ(task->slotMotion(slot)->speed(), 0.0f);
}

TEST_F(MotionSlotsTest, WithoutALimitTheMotionRewindsAndCountsOnAndZeroMeansWithoutALimit) {
    for (int32_t limit : {-1, 0}) {
        const int32_t slot = playing(limit);
        for (int i = 0; i < 5 * (kLength + 1); ++i) frame(slot);
        EXPECT_EQ(SDL2_wheel_MotionGetLoopCount(slot), 5) << limit;
        EXPECT_EQ(task->slotMotion(slot)->speed(), 1.0f) << limit;
        task->releaseMotionSlot(slot);
    }
}

TEST_F(MotionSlotsTest, ASpeedFactorOfThreeCountsTheLoopTwoFramesBeforeTheEnd) {
    const int32_t slot = playing(1);
    SDL2_wheel_MotionSetSpeedAll(3);
    task->setMotionFrame(slot, kLength - 3);
    SDL2_wheel_MotionUpdateLoop(slot);
    EXPECT_EQ(SDL2_wheel_MotionGetLoopCount(slot), 0);
    task->setMotionFrame(slot, kLength - 2);
    SDL2_wheel_MotionUpdateLoop(slot);
    EXPECT_EQ(SDL2_wheel_MotionGetLoopCount(slot), 1);
    EXPECT_EQ(SDL2_wheel_MotionGetFrame(slot), kLength - 1);
}

TEST_F(MotionSlotsTest, APausedSlotKeepsStillUnderTheSpeedFactorAndResumesAtOne) {
    const int32_t paused = playing(0);
    const int32_t running = playing(0);
    SDL2_wheel_MotionPause(paused);
    SDL2_wheel_MotionSetSpeedAll(2);
    EXPECT_EQ(task->slotMotion(paused)->speed(), 0.0f);
    EXPECT_EQ(task->slotMotion(running)->speed(), 2.0f);
    SDL2_wheel_MotionResume(paused);
    EXPECT_EQ(task->slotMotion(paused)->speed(), 1.0f);
    SDL2_wheel_MotionSetSpeedAll(4);
    EXPECT_EQ(task->slotMotion(paused)->speed(), 4.0f);
}

TEST_F(MotionSlotsTest, ALocatorIsReadFromTheLiveMotion) {
    const int32_t slot = playing(0);
    task->setMotionPosition(slot, 100.0f, 50.0f);
    SDL2_wheel_MotionRefresh(slot);
    float out[3] = {};
    ASSERT_TRUE(SDL2_wheel_MotionGetLocator(slot, out, "turret00"));
    EXPECT_FLOAT_EQ(out[0], 130.0f);
    EXPECT_FLOAT_EQ(out[1], 38.0f);
    EXPECT_FLOAT_EQ(out[2], 45.0f);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "appear");
    EXPECT_EQ(SDL2_wheel_MotionGetLength(slot), kLength);
}

// Boss turrets sit in parts drawn as nested motions.
TEST_F(MotionSlotsTest, ALocatorInsideANestedMotionIsFound) {
    const int32_t slot = SDL2_wheel_MotionCreate(kLayer, "boss");
    SDL2_wheel_MotionPlay(slot, 0, "boss", "armed");
    task->setMotionPosition(slot, 100.0f, 50.0f);
    SDL2_wheel_MotionRefresh(slot);
    float out[3] = {};
    ASSERT_TRUE(SDL2_wheel_MotionGetLocator(slot, out, "gun00"));
    EXPECT_FLOAT_EQ(out[0], 115.0f);
    EXPECT_FLOAT_EQ(out[1], 52.0f);
    EXPECT_FLOAT_EQ(out[2], 0.0f);
    EXPECT_FALSE(SDL2_wheel_MotionGetLocator(slot, out, "turret00"));
}

TEST_F(MotionSlotsTest, AMissingLocatorOrABadSlotGivesFalseAndZeros) {
    const int32_t slot = playing(0);
    SDL2_wheel_MotionPlay(slot, 0, "boss", "idle");  // the label without the locator
    float out[3] = {7.0f, 7.0f, 7.0f};
    EXPECT_FALSE(SDL2_wheel_MotionGetLocator(slot, out, "turret00"));
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 0.0f);
    EXPECT_EQ(out[2], 0.0f);
    for (int32_t bad : {-1, 31, 32}) {
        out[0] = 7.0f;
        EXPECT_FALSE(SDL2_wheel_MotionGetLocator(bad, out, "turret00")) << bad;
        EXPECT_EQ(out[0], 0.0f) << bad;
        EXPECT_EQ(SDL2_wheel_MotionGetLength(bad), 0) << bad;
        EXPECT_EQ(SDL2_wheel_MotionGetFrame(bad), 0) << bad;
        EXPECT_EQ(SDL2_wheel_MotionGetLoopCount(bad), 0) << bad;
        EXPECT_EQ(SDL2_wheel_MotionGetLayer(bad), 0) << bad;
        EXPECT_EQ(SDL2_wheel_MotionGetName(bad), "") << bad;
        SDL2_wheel_MotionPlay(bad, 1, "boss", "appear");
        SDL2_wheel_MotionUpdateLoop(bad);
    }
}

TEST_F(MotionSlotsTest, HidingTwiceMarksTheRootChangedOnce) {
    const int32_t slot = playing(0);
    MMotion& motion = *task->slotMotion(slot);
    task->hideMotion(slot);
    EXPECT_TRUE(motion.isHidden());
    EXPECT_TRUE(motion.nodes()[0].local.changed);
    motion.nodes()[0].local.changed = false;
    task->hideMotion(slot);
    EXPECT_FALSE(motion.nodes()[0].local.changed);
    task->setMotionOpacity(slot, motion.nodes()[0].local.opacity);
    EXPECT_FALSE(motion.nodes()[0].local.changed);
    task->showMotion(slot);
    EXPECT_FALSE(motion.isHidden());
    EXPECT_TRUE(motion.nodes()[0].local.shown);
}

// Under AddressSanitizer a leak, or a motion outliving its layer, fails the run.
TEST_F(MotionSlotsTest, SlotsMadeAndReleasedInALoopLeaveNothingBehind) {
    for (int i = 0; i < 300; ++i) {
        const int32_t a = playing(0);
        const int32_t b = playing(2);
        ASSERT_EQ(a, 0);
        ASSERT_EQ(b, 1);
        frame(a);
        frame(b);
        task->releaseMotionSlot(a);
        task->releaseMotionSlot(b);
    }
    playing(0);  // left to the root task's destructor
}

// A stage's release drops its motion files while objects that outlive it
// may still play them: the document lasts until the last such slot goes.
// Under AddressSanitizer a read of the freed document fails the run.
TEST_F(MotionSlotsTest, AStageReleaseLeavesTheDocumentsOfPlayingSlotsToThem) {
    OBJtaskPoolInit();
    psbCache()["st01boss"] = motionfixture::load(bossDocument()).release();
    const int32_t a = SDL2_wheel_MotionCreate(kLayer, "st01boss");
    const int32_t b = SDL2_wheel_MotionCreate(kLayer, "st01boss");
    SDL2_wheel_MotionPlay(a, 0, "boss", "appear");
    SDL2_wheel_MotionPlay(b, 0, "boss", "appear");
    stageRelease(1, false);
    EXPECT_EQ(psbCache().count("st01boss"), 0u);
    for (int i = 0; i < 3; ++i) {
        frame(a);
        frame(b);
    }
    SDL2_wheel_MotionPlay(a, 0, "boss", "idle");
    task->releaseMotionSlot(a);
    EXPECT_EQ(task->motionSlots.droppedDocuments.size(), 1u);
    frame(b);
    task->releaseMotionSlot(b);
    EXPECT_TRUE(task->motionSlots.droppedDocuments.empty());
}

TEST_F(MotionSlotsTest, ADocumentNoSlotPlaysIsDeletedAtOnce) {
    psbCache()["st01boss"] = motionfixture::load(bossDocument()).release();
    task->releaseMotionSlot(SDL2_wheel_MotionCreate(kLayer, "st01boss"));
    releasePSBObject("st01boss");
    EXPECT_TRUE(task->motionSlots.droppedDocuments.empty());
}

// The root task's end takes a dropped document down with the last slot.
TEST_F(MotionSlotsTest, ADroppedDocumentGoesWithTheRootTask) {
    SDL2_wheel_MotionPlay(SDL2_wheel_MotionCreate(kLayer, "boss"), 0, "boss", "appear");
    releasePSBObject("boss");
    EXPECT_EQ(task->motionSlots.droppedDocuments.size(), 1u);
}

}  // namespace
