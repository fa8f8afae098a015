// The field tasks: the spawn rule, the training jump, the timed events, the
// stage title and the stage image readers.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/stage_load.h"
#include "game/records/paths.h"
#include "tests/game/stages/stage_fixture.h"
#include "tests/game/working_folder.h"

namespace {

using StageFieldTest = StageFixture;

struct SpawnCase {
    const char* name;
    int32_t start;                  // the stage frame of the step
    std::vector<int32_t> kinds;     // spawned, in order
    uint32_t cursor;                // after the step
};

TEST_F(StageFieldTest, SpawnRuleTakesRowsUpTo15FramesLateAndDropsOlderOnes) {
    const SpawnCase cases[] = {
        {"before the first row", -1, {}, 0},
        {"on time", 0, {2}, 1},
        {"15 late spawns, same-frame rows in order", 15, {2, 5, 2}, 3},
        {"16 late is dropped", 16, {5, 2}, 3},
        {"the row with extras", 25, {5, 2, 140}, 4},
        {"null, out-of-range and workless kinds consumed", 40, {2}, 8},
        {"never past the end row", 100000, {}, 8},
    };
    for (const SpawnCase& c : cases) {
        SCOPED_TRACE(c.name);
        OBJtaskReleaseAll(nullptr);
        spawnSeen().clear();
        spawnCursor = 0;
        stageFrame = c.start;
        stageSpawnStep(true, true);
        std::vector<int32_t> made;
        OBJtaskWalk(kEnemyGroup, [&made](ObjTask* t) {
            if (t->work != nullptr) made.insert(made.begin(), t->work->kind);  // newest first in the group
        });
        EXPECT_EQ(made, c.kinds);
        EXPECT_EQ(spawnCursor, c.cursor);
        EXPECT_EQ(stageFrame, c.start + 1);
    }
}
TEST_F(StageFieldTest, TheActRunsBeforeKindPlaceAndExtrasAreWritten) {
    spawnCursor = 3;
    stageFrame = 20;
    stageSpawnStep(true, true);
    ASSERT_EQ(spawnSeen().size(), 1u);
    EXPECT_EQ(spawnSeen()[0].kind, 0);
    EXPECT_EQ(spawnSeen()[0].param, 0);
    EXPECT_EQ(spawnSeen()[0].x, 0.0f);
    ObjTask* task = OBJtaskGroup(kEnemyGroup).head.next;
    ASSERT_NE(task->work, nullptr);
    EXPECT_EQ(task->tag, kEnemyTag);
    EXPECT_EQ(task->work->kind, 140);
    EXPECT_FLOAT_EQ(task->work->x, 12.34f);
    EXPECT_FLOAT_EQ(task->work->y, -5.67f);
    EXPECT_EQ(enemy(task->work).spawnExtras[0], 6);
    EXPECT_EQ(enemy(task->work).spawnExtras[3], 9);
    EXPECT_EQ(spawnCursor, 4u);
}

TEST_F(StageFieldTest, SuppressedRowsAreConsumedAndTheProloguesRuleIgnoresTheFlag) {
    spawnSuppressed = 1;
    stageFrame = 0;
    stageSpawnStep(true, true);
    EXPECT_EQ(enemies(), 0);
    EXPECT_EQ(spawnCursor, 1u);
    spawnSuppressed = 0;
    stageFrame = 0;
    stageSpawnStep(true, true);
    EXPECT_EQ(enemies(), 0) << "a consumed row never comes back";

    // The prologue spawns while suppressed and copies no extras.
    spawnSuppressed = 1;
    spawnCursor = 3;
    stageFrame = 20;
    stageSpawnStep(false, false);
    ASSERT_EQ(enemies(), 1);
    EXPECT_EQ(enemy(OBJtaskGroup(kEnemyGroup).head.next->work).spawnExtras[0], 0);
}

TEST_F(StageFieldTest, ACursorPastItsTableStaysOnTheEndRow) {
    spawnCursor = 500;
    stageFrame = 50;
    stageSpawnStep(true, true);
    EXPECT_EQ(spawnCursor, 8u);
    EXPECT_EQ(enemies(), 0);
}

// The field as the stage load makes it: init in the load's pass, then one
// running frame a pass.
TEST_F(StageFieldTest, TheFieldCountsTheStageFrameAndStartsItsLayers) {
    makeField(1);
    EXPECT_EQ(stageFrame, -1);
    for (int index = 0; index < 4; ++index) {
        ObjWork* work = layerWork(index);
        ASSERT_NE(work, nullptr) << index;
        EXPECT_EQ(work->kind, index);
        constexpr int32_t kDepths[4] = {10, 100, 200, 300};
        EXPECT_EQ(int32_t(bgLayer(work).baseDepth), kDepths[index]);
    }
    pass();
    EXPECT_EQ(stageFrame, 0);
    EXPECT_EQ(field->work->age, 1);
    passes(10);
    EXPECT_EQ(stageFrame, 10);
    EXPECT_EQ(layerFrame[0], 10);
}

TEST_F(StageFieldTest, ATrainingJumpSpawnsOnlyTheLast16FramesAndCatchesTheLayersUp) {
    constexpr int32_t kJump = 33;
    makeField(1);
    passes(kJump + 2);  // stage frame kJump + 1
    ASSERT_EQ(stageFrame, kJump + 1);
    // Layer 4 ends at frame 5 (op 5 on index 3): compared by its kill flag.
    ASSERT_EQ(layerWork(3), nullptr);
    ObjPoint stepped[3], shifts[3];
    uint8_t tint[3];
    for (int i = 0; i < 3; ++i) {
        ObjWork* w = layerWork(i);
        stepped[i] = w ? bgLayer(w).offset : ObjPoint{-1, -1};
        shifts[i] = fieldLayerShift[size_t(i)];
        tint[i] = w ? w->r : 0;
    }
    const FieldLayerTint shared = fieldLayerSharedTint;

    OBJtaskReleaseAll(nullptr);
    spawnSeen().clear();
    stageFieldReset();
    makeField(1);
    stageFrame = kJump;  // the sequence's start point, a pass after the load
    pass();
    EXPECT_EQ(stageFrame, kJump + 1);
    ASSERT_EQ(spawnSeen().size(), 1u);
    EXPECT_EQ(spawnSeen()[0].frame, kJump) << "only rows due in 18..33 spawn: the one of frame 20";
    EXPECT_EQ(spawnCursor, 7u);
    EXPECT_EQ(fieldLayerKill[3], 1);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ObjWork* w = layerWork(i);
        const ObjPoint off = w ? bgLayer(w).offset : ObjPoint{-1, -1};
        EXPECT_EQ(off.x, stepped[i].x);
        EXPECT_EQ(off.y, stepped[i].y);
        EXPECT_EQ(fieldLayerShift[size_t(i)].x, shifts[i].x);
        EXPECT_EQ(fieldLayerShift[size_t(i)].y, shifts[i].y);
        EXPECT_EQ(w ? w->r : 0, tint[i]);
    }
    EXPECT_EQ(fieldLayerSharedTint.r, shared.r);
}

struct EventCase {
    int32_t stage;
    int32_t prologue;  // stage 0: TUTORIAL_DISP
    int32_t controlAge, weaponsAge;  // -1: never
};

class StageFieldEventTest : public StageFixture, public ::testing::WithParamInterface<EventCase> {};

TEST_P(StageFieldEventTest, TheFighterIsHandedOverAtTheStagesAges) {
    const EventCase c = GetParam();
    settingsSnapshot.TUTORIAL_DISP = c.prologue;
    ObjTask* fighterTask = OBJtaskCreate(TSKfighterAct, kFighterGroup, objTag("FIGH"));
    fighterTask->act(fighterTask);
    fighterSetControl(0);
    fighterSetWeaponsOn(0);
    makeField(c.stage);
    for (int32_t age = 0; age <= 70; ++age) {
        pass();  // runs the events of this age
        EXPECT_EQ(fighterGetControl(), c.controlAge >= 0 && age >= c.controlAge ? 1 : 0) << age;
        EXPECT_EQ(fighterGetWeaponsOn(), c.weaponsAge >= 0 && age >= c.weaponsAge ? 1 : 0) << age;
    }
}

INSTANTIATE_TEST_SUITE_P(Stages, StageFieldEventTest,
                         ::testing::Values(EventCase{1, 0, 10, 60}, EventCase{2, 0, 5, 10}, EventCase{3, 0, 5, 10},
                                           EventCase{4, 0, 5, 10}, EventCase{5, 0, 5, 10},
                                           EventCase{0, 1, 5, 10}, EventCase{0, 0, -1, -1}));

TEST_F(StageFieldTest, AStartPastTheOverlaysRowGetsItAtAgeOne) {
    makeField(2);
    stageFrame = 7170;
    pass();  // age 0
    EXPECT_TRUE(spawnSeen().empty());
    pass();  // age 1
    ASSERT_EQ(spawnSeen().size(), 1u);
    EXPECT_EQ(spawnSeen()[0].param, -1);
    ObjTask* overlay = OBJtaskGroup(kEnemyGroup).head.next;
    EXPECT_EQ(overlay->work->kind, 123);
    EXPECT_EQ(overlay->work->x, 112.0f);
    EXPECT_EQ(overlay->work->y, 144.0f);
    EXPECT_EQ(objRefTask(overlay->parent), field);

    // From frame 0 the overlay waits for its own row.
    OBJtaskReleaseAll(nullptr);
    spawnSeen().clear();
    stageFieldReset();
    makeField(2);
    passes(3);
    for (const SpawnSeen& seen : spawnSeen()) EXPECT_NE(seen.param, -1);
}

}  // namespace

namespace {

class StageReadersTest : public ::testing::Test {
protected:
    void SetUp() override {
        setResourceFolders({});
        std::filesystem::create_directories(folder.path("resource/graphic"));
        stageImageSlotsFree();
        stageImagesLoaded.fill(0);
    }
    void TearDown() override {
        stageImageSlotsFree();
        stageImagesLoaded.fill(0);
    }
    void writeImage(const char* name, size_t bytes) const {
        std::ofstream(folder.path(std::string("resource/graphic/") + name), std::ios::binary)
            << std::string(bytes, 'x');
    }
    WorkingFolder folder;
};

TEST_F(StageReadersTest, ReadersFillOneSlotAndTwoInStageFive) {
    writeImage("bgst1_0.png", 10);
    writeImage("bgst5_0.png", 20);
    writeImage("bgst5_1.png", 30);
    EXPECT_EQ(stageInitReadThreadTable[0](0), 0);
    EXPECT_EQ(stageImageSlots[0].image, nullptr) << "the prologue has no stage images";
    EXPECT_EQ(stageInitReadThreadTable[5](0), 0);
    EXPECT_EQ(stageImageSlots[0].size, 20);
    EXPECT_EQ(stageImageSlots[1].size, 30);
    ASSERT_NE(stageImageSlots[1].image, nullptr);
    EXPECT_EQ(stageImageSlots[1].image[29], 'x');
    stageImageSlotsFree();
    EXPECT_EQ(stageInitReadThreadTable[1](0), 0);
    EXPECT_EQ(stageImageSlots[0].size, 10);
    EXPECT_EQ(stageImageSlots[1].image, nullptr);
}

TEST_F(StageReadersTest, ResidentImagesAndMissingFilesLeaveTheSlotsEmpty) {
    writeImage("bgst2_0.png", 10);
    stageImagesLoaded[2] = 1;
    EXPECT_EQ(stageInitReadThreadTable[2](0), 0);
    EXPECT_EQ(stageImageSlots[0].image, nullptr);
    EXPECT_EQ(stageInitReadThreadTable[3](0), 0);
    EXPECT_EQ(stageImageSlots[0].image, nullptr);
    EXPECT_EQ(stageImageSlots[0].size, 0);
    const auto lines = folder.logLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "TSKst02InitReadThread : stage_load[STG_02]=1"), lines.end());
}

}  // namespace
