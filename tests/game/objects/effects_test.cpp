#include <gtest/gtest.h>

#include "game/objects/effects.h"
#include "game/objects/effects_tables.h"
#include "game/objects/obj_hit_end.h"
#include "game/objects/popups.h"
#include "game/objects/wreckage.h"
#include "tests/game/objects/effects_fixture.h"

namespace {

class EffectTest : public EffectsFixture {
protected:
    ObjWork* only() {
        const auto tasks = tasksOf(kEffectGroup);
        return tasks.empty() ? nullptr : tasks.front()->work;
    }
};

struct LifetimeCase {
    const char* family;
    int32_t kind;
    int passes;  // act passes after the creation until the effect has ended
};

// The creation runs the first update, so a one-shot of eight cells at one
// frame a cell reaches its last cell six passes later, a muzzle flash of two
// cells at two frames a cell one pass later; the count-down of
// three cells from cell 2 at three frames a cell steps below cell 0 after
// eight; the growing ring passes scale 5.0 at its eleventh update; the thin
// streak rises 20 passes, holds 10 and fades 20.
class EffectLifetimeTest : public EffectTest, public ::testing::WithParamInterface<LifetimeCase> {};

TEST_P(EffectLifetimeTest, EndsAfterItsFamilysLife) {
    const LifetimeCase& c = GetParam();
    TSKeffectCreate(c.kind, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    ASSERT_EQ(countOf(kEffectGroup), 1);
    EXPECT_EQ(passesUntilEnded(kEffectGroup, 200), c.passes) << c.family;
    actPass(kEffectGroup);
    EXPECT_EQ(countOf(kEffectGroup), 0) << "an ended effect is released by its next act";
}

INSTANTIATE_TEST_SUITE_P(Families, EffectLifetimeTest,
                         ::testing::Values(LifetimeCase{"one-shot", 0, 6}, LifetimeCase{"one-shot, two cells a step", 6, 1},
                                           LifetimeCase{"muzzle flash", 82, 1},
                                           LifetimeCase{"count-down", 56, 8},
                                           LifetimeCase{"scale", 59, 10}, LifetimeCase{"streak", 78, 49}));

TEST_F(EffectTest, DebrisTumblesFallsAndFadesAfterFrame19) {
    TSKeffectCreate(57, 512, 1.0f, 0, 0, ObjRef{}, 112.0f, 100.0f);
    ObjWork* work = only();
    ASSERT_NE(work, nullptr);
    for (int pass = 0; pass < 18; ++pass) actPass(kEffectGroup);
    EXPECT_FLOAT_EQ(work->alpha, 1.0f);
    EXPECT_FLOAT_EQ(work->speed, 0.0f) << "speed falls by 0.1 a pass, not below 0";
    EXPECT_GT(work->y, 100.0f) << "it falls";
    const int passes = passesUntilEnded(kEffectGroup, 40);
    EXPECT_GE(passes, 9);
    EXPECT_LE(passes, 11);
}

TEST_F(EffectTest, DramaticKindsAreRefusedWhileDramaticModeIsOff) {
    dramaticMode = 0;
    for (int32_t kind = 137; kind <= 140; ++kind) TSKeffectCreate(kind, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    EXPECT_EQ(countOf(kEffectGroup), 0);
    TSKeffectCreate(136, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    EXPECT_EQ(countOf(kEffectGroup), 1) << "only 137-140 depend on the setting";
    dramaticMode = 1;
    for (int32_t kind = 137; kind <= 140; ++kind) TSKeffectCreate(kind, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    EXPECT_EQ(countOf(kEffectGroup), 5);
}

TEST_F(EffectTest, KindsOutsideTheTableMakeNothing) {
    for (int32_t kind : {-1, 143, 1000}) TSKeffectCreate(kind, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    EXPECT_EQ(countOf(kEffectGroup), 0);
}

TEST_F(EffectTest, ALaserGlowEndsWithItsParent) {
    ObjTask* parent = makeFighter(0);
    TSKeffectCreate(117, 0, 0.0f, 0, 0, objRef(parent), 0.0f, -10.0f);
    ASSERT_EQ(countOf(kEffectGroup), 1);
    actPass(kEffectGroup);
    EXPECT_EQ(tasksOf(kEffectGroup).front()->state, kObjStateRun);
    OBJtaskRelease(parent);
    actPass(kEffectGroup);
    EXPECT_EQ(tasksOf(kEffectGroup).front()->state, kObjStateEnd);
}

TEST_F(EffectTest, OtherEffectsKeepTheParentPositionTheyLastSaw) {
    ObjTask* parent = makeFighter(0);
    TSKeffectCreate(123, 0, 0.0f, 0, 0, objRef(parent), 5.0f, -10.0f);
    ObjWork* work = only();
    parent->work->x = 100.0f;
    parent->work->y = 150.0f;
    actPass(kEffectGroup);
    OBJtaskRelease(parent);
    actPass(kEffectGroup);
    EXPECT_EQ(tasksOf(kEffectGroup).front()->state, kObjStateRun);
    EXPECT_FLOAT_EQ(effect(work).parentSeen.x, 100.0f);
    EXPECT_FLOAT_EQ(effect(work).parentSeen.y, 150.0f);
    EXPECT_FLOAT_EQ(work->x, 5.0f) << "its own position stays relative";
}

TEST_F(EffectTest, AParentThatIsGoneAtCreationIsNone) {
    ObjTask* parent = makeFighter(0);
    const ObjRef gone = objRef(parent);
    OBJtaskRelease(parent);
    TSKeffectCreate(117, 0, 0.0f, 0, 0, gone, 112.0f, 144.0f);
    actPass(kEffectGroup);
    EXPECT_EQ(tasksOf(kEffectGroup).front()->state, kObjStateRun);
    EXPECT_EQ(effect(only()).hadParent, 0);
}

TEST_F(EffectTest, AnEffectWhollyOffScreenEnds) {
    TSKeffectCreate(123, 512, 0.0f, 0, 0, ObjRef{}, 112.0f, 288.0f + 63.0f);
    EXPECT_EQ(tasksOf(kEffectGroup).front()->state, kObjStateRun) << "its box still reaches the screen";
    TSKeffectCreate(123, 512, 0.0f, 0, 0, ObjRef{}, 112.0f, 288.0f + 65.0f);
    EXPECT_EQ(tasksOf(kEffectGroup).back()->state, kObjStateEnd);
}

TEST_F(EffectTest, ASecondParameterSetsTheDepthOfTheRowsThatAllowIt) {
    TSKeffectCreate(63, 0, 0.0f, 0, 300, ObjRef{}, 112.0f, 144.0f);
    TSKeffectCreate(0, 0, 0.0f, 0, 300, ObjRef{}, 112.0f, 144.0f);
    const auto tasks = tasksOf(kEffectGroup);
    EXPECT_FLOAT_EQ(tasks[0]->work->depth, 300.0f);
    EXPECT_FLOAT_EQ(tasks[1]->work->depth, 604.0f);
}

TEST_F(EffectTest, GroundEffectsFollowTheGroundLayer) {
    fieldLayerShift[1] = {2.0f, 3.0f};
    TSKeffectCreate(105, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    ObjWork* work = only();
    EXPECT_FLOAT_EQ(work->x, 110.0f);
    EXPECT_FLOAT_EQ(work->y, 147.0f);
}

TEST_F(EffectTest, TheSecretItemFliesToTheGaugesAndBurstsAtEachThatIsNotFull) {
    ObjTask* f = makeFighter(0);
    fighter(f->work).teamGauges[2] = 5000;
    TSKeffectCreate(127, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 200.0f);
    ObjTask* secret = tasksOf(kEffectGroup).front();
    for (int pass = 0; pass < 300 && secret->state == kObjStateRun; ++pass) secret->act(secret);
    ASSERT_EQ(secret->state, kObjStateEnd);
    int bursts = 0;
    for (ObjTask* task : tasksOf(kEffectGroup)) {
        if (task->work != nullptr && task->work->kind == kEffectGaugeBurstKind) {
            ++bursts;
            EXPECT_FLOAT_EQ(task->work->x, kEffectGaugeX[2]);
        }
    }
    EXPECT_EQ(bursts, 1);
}

TEST_F(EffectTest, ObjHitEndEndsTheObjectOnItsFirstHit) {
    TSKeffectCreate(123, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    ObjTask* task = tasksOf(kEffectGroup).front();
    ASSERT_EQ(task->work->hit, objHitEnd);
    task->work->hit(task, task->work);
    EXPECT_EQ(task->work->hit, nullptr);
    EXPECT_EQ(task->state, kObjStateEnd);
}

TEST_F(EffectTest, TheDrawAddsTheQuakeAndTheParentAndGroundKindsTakeTheTint) {
    useEightByEightFrames();
    ObjTask* parent = makeFighter(0);
    TSKeffectCreate(123, 0, 0.0f, 0, 0, objRef(parent), 10.0f, 20.0f);
    TSKeffectCreate(105, 0, 0.0f, 0, 0, ObjRef{}, 100.0f, 100.0f);
    const auto tasks = tasksOf(kEffectGroup);
    const std::vector<DrawObj> still = drawnBy(tasks[0]);
    ASSERT_EQ(still.size(), 1u);
    quakeOffsetX = 3;
    quakeOffsetY = -2;
    const std::vector<DrawObj> shaken = drawnBy(tasks[0]);
    ASSERT_EQ(shaken.size(), 1u);
    EXPECT_EQ(shaken[0].dstX - still[0].dstX, 3);
    EXPECT_EQ(shaken[0].dstY - still[0].dstY, -2);
    EXPECT_EQ(shaken[0].blend, 1) << "an additive kind";
    quakeOffsetX = quakeOffsetY = 0;
    fieldLayerSharedTint = {100, 110, 120};
    const std::vector<DrawObj> ground = drawnBy(tasks[1]);
    ASSERT_EQ(ground.size(), 1u);
    EXPECT_EQ(ground[0].r, 100);
    EXPECT_EQ(ground[0].g, 110);
    EXPECT_EQ(ground[0].b, 120);
    EXPECT_EQ(tasks[1]->work->r, 255) << "the work keeps its own colour";
    EXPECT_EQ(drawnBy(tasks[0])[0].r, 255) << "other kinds keep theirs";
}

TEST_F(EffectTest, AFullWorkPoolMakesNothingAndLeavesNoTask) {
    std::vector<ObjWork*> taken;
    while (ObjWork* work = OBJworkNew()) taken.push_back(work);
    const ObjTask* freeHead = OBJtaskFreeHead();
    TSKeffectCreate(0, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
    TSKspltCreate(0, 0, 0, 0, 112.0f, 144.0f);
    TSKspltScoreCreate(0, 112.0f, 144.0f, 0, 100);
    TSKzangCreate(0, 0, 2, 112.0f, 144.0f);
    EXPECT_EQ(countOf(kEffectGroup) + countOf(kPopupGroup) + countOf(kWreckGroup), 0);
    EXPECT_EQ(OBJtaskFreeHead(), freeHead) << "the task taken goes back first on the free list";
    EXPECT_EQ(scorePopupTimer, 0) << "a number not made does not space the next";
    for (ObjWork* work : taken) OBJworkFree(work);
}

}  // namespace
