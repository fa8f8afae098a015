// The stage-3 boss visual (kind 125), the stage-4 arena (kind 126) and the
// true last boss's visual (kind 129) over motions made by our motion
// builder, and what each does without a slot.
#include <gtest/gtest.h>

#include <vector>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_visuals.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/sprite_frames.h"
#include "game/stages/field_layers.h"
#include "game/stages/stage_field.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

namespace mb = bossfixture::mb;

constexpr int kArenaWait = 10, kArenaStart = 30, kArenaLoop = 20, kArenaEnd = 12;
constexpr int kTrueWait = 6, kTrueStart = 500, kTrueLoop = 40;

class BossVisualKindsTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        OBJdrawRequestsClear();
        stageFrame = 0;
        fieldLayerSharedTint = {200, 150, 100};
    }
    void TearDown() override {
        OBJdrawRequestsClear();
        OBJsetFrameTable({});
        fieldLayerSharedTint = {255, 255, 255};
        stageFrame = 0;
        BossFixture::TearDown();
    }
    uint32_t colorOf(int32_t slot) const { return task->motionSlots.color[size_t(slot)]; }
    bool pausedOf(int32_t slot) const { return task->motionSlots.paused[size_t(slot)] != 0; }
    static int32_t phaseOf(ObjTask* visual) { return enemy(visual->work).phase; }
    bool soundAsked(int32_t id) const { return soundLayerState().soundGuard[size_t(id)] > 0; }

    // "st5boss2visual" whose "bosspoint" stands at (0, -64) from the visual
    // and moves to (10, -40) at frame 250 of "start".
    static void cacheTrueBossVisual(int startFrames) {
        mb::Document d = motionfixture::document("st5boss2visual", "src", {"dot"}, "st5boss2visual", {});
        const auto point = [](float x, float y) {
            return mb::Content{.src = "src", .icon = "dot", .coord = mb::Vec3{x, y, 0.0f}};
        };
        auto& motions = d.objects["st5boss2visual"].motions;
        motions["wait"] = bossfixture::labelTimeline(kTrueWait, {{"bosspoint", 0.0f, -64.0f}});
        motions["loop"] = bossfixture::labelTimeline(kTrueLoop, {{"bosspoint", 0.0f, -64.0f}});
        mb::Timeline start{.lastTime = float(startFrames)};
        start.layers.push_back(mb::Layer{.label = "bosspoint",
                                         .frames = {mb::holdFrame(0, point(0.0f, -64.0f)),
                                                    mb::holdFrame(250, point(10.0f, -40.0f)),
                                                    mb::holdFrame(float(startFrames), point(10.0f, -40.0f))}});
        motions["start"] = start;
        psbCache()["st5boss2visual"] = motionfixture::load(d).release();
    }
    // The fighter as the stage-5 boss's death leaves it.
    ObjWork* makeHeldFighter() {
        ObjWork* work = makeFighter();
        FighterFields& f = fighter(work);
        f.control = f.weaponsOn = f.running = 0;
        f.absent = f.entry = 1;
        f.home = {0.0f, 0.0f};
        return work;
    }
};

using BossVisualSt3Test = BossVisualKindsTest;
using BossVisualArenaTest = BossVisualKindsTest;
using BossVisualTrueBossTest = BossVisualKindsTest;
using BossVisualNoSlotTest = BossVisualKindsTest;

TEST_F(BossVisualSt3Test, TheSceneryTakesNoDamageAndOutlivesTheBossSweep) {
    for (int32_t kind : {123, 125, 126, 127, 129}) {
        ObjTask* visual = spawnBoss(kind);
        ASSERT_NE(visual, nullptr) << kind;
        ObjWork* work = visual->work;
        EXPECT_EQ(work->diesWithBoss, 0) << kind;
        EXPECT_EQ(work->attack, nullptr) << kind;
        ASSERT_NE(work->hit, nullptr) << kind;
        hit(visual, 6, 500);
        EXPECT_EQ(work->lifeState, 0) << kind;
        enemyExplosionTimer = 2;
        runFrame(visual);
        EXPECT_NE(work->lifeState, 3) << kind;
        EXPECT_EQ(visual->state, kObjStateRun) << kind;
        enemyExplosionTimer = 0;
        OBJtaskRelease(visual);
    }
    ObjTask* stageTwo = spawnBoss(124);
    ASSERT_NE(stageTwo, nullptr);
    EXPECT_EQ(stageTwo->work->diesWithBoss, 0);
}

TEST_F(BossVisualSt3Test, StartOnceThenLoopAtTheCentreHalfBright) {
    cacheBossMotion("st3bossvisual", {{"st3bossvisual", {{"start", 30}, {"loop", 20}}, {}}});
    ObjTask* visual = spawnBoss(125, 50.0f, 60.0f);
    ASSERT_NE(visual, nullptr);
    EXPECT_FLOAT_EQ(visual->work->depth, 10.0f);
    EXPECT_EQ(visual->work->hitBoxCount, 0);
    const int32_t slot = visual->work->motionSlot0;
    ASSERT_GE(slot, 0);
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(slot), 104);
    runFrame(visual);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "start");
    EXPECT_FLOAT_EQ(visual->work->x, 112.0f);
    EXPECT_FLOAT_EQ(visual->work->y, 144.0f);
    EXPECT_EQ(colorOf(slot), 0x644B32FFu);
    runFrames(visual, 28);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "start");
    runFrame(visual);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "loop") << "on the frame the count reaches start's length";
    visual->work->speedX = 5;
    runFrames(visual, 60);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "loop");
    EXPECT_FLOAT_EQ(visual->work->x, 112.0f) << "it never moves";
    EXPECT_EQ(visual->state, kObjStateRun);
}

TEST_F(BossVisualSt3Test, TheStageTwoVisualSharesTheColourWord) {
    cacheBossMotion("st2bossvisual", {{"anime_1", {{"start", 30}, {"loop", 20}}, {}}});
    ObjTask* visual = spawnBoss(124);
    ASSERT_NE(visual, nullptr);
    ASSERT_GE(visual->work->motionSlot0, 0);
    runFrame(visual);
    EXPECT_EQ(colorOf(visual->work->motionSlot0), 0x644B32FFu) << "red, green, blue from the high byte";
}

TEST_F(BossVisualArenaTest, DoorsVeilAndLightsFollowTheStageFrameAndTheArenaFlags) {
    cacheBossMotion("st4bossvisual", {{"st4bossvisual",
                                       {{"wait", kArenaWait}, {"start", kArenaStart}, {"loop", kArenaLoop},
                                        {"end", kArenaEnd}},
                                       {}}});
    ObjWork* fighterWork = makeHeldFighter();
    ObjTask* arena = spawnBoss(126, 112.0f, -100.0f);
    ASSERT_NE(arena, nullptr);
    arena->flags |= kEnemyFollowsLayer;
    enemy(arena->work).followedLayer = 2;
    const int32_t slot = arena->work->motionSlot0;
    ASSERT_GE(slot, 0);
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(slot), 200);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "wait");
    EXPECT_TRUE(pausedOf(slot));
    stageFrame = 14860;
    runFrame(arena);
    EXPECT_EQ(phaseOf(arena), 0) << "the doors wait for frame 14860 to pass";
    EXPECT_FLOAT_EQ(arena->work->depth, 104.0f) << "the depth of layer 2";
    ASSERT_EQ(arena->work->hitBoxCount, 2);
    EXPECT_FLOAT_EQ(arena->work->hitBoxes[0].x, 56.0f);
    EXPECT_FLOAT_EQ(arena->work->hitBoxes[0].y, 280.0f);
    EXPECT_EQ(colorOf(slot), 0x644B3200u) << "unseen until the veil has fallen";
    stageFrame = 14861;
    runFrame(arena);
    EXPECT_EQ(phaseOf(arena), 1);
    EXPECT_TRUE(soundAsked(7)) << "the door sound";
    EXPECT_EQ(fighter(fighterWork).absent, 0);
    const int opening = runUntil(arena, [&] { return phaseOf(arena) == 2; }, 400);
    EXPECT_GE(opening, 241);
    EXPECT_LE(opening, 243);
    EXPECT_EQ(enemy(arena->work).step, 121);
    runFrame(arena);
    ASSERT_EQ(arena->work->hitBoxCount, 2) << "the arena keeps its boxes once open";
    EXPECT_FLOAT_EQ(arena->work->hitBoxes[0].x, 177.0f);
    EXPECT_FLOAT_EQ(arena->work->hitBoxes[1].x, -177.0f);
    EXPECT_FLOAT_EQ(arena->work->hitBoxes[1].y, 280.0f);
    stageFrame = 15200;
    runFrame(arena);
    EXPECT_EQ(phaseOf(arena), 2);
    stageFrame = 15201;
    runFrame(arena);
    EXPECT_EQ(phaseOf(arena), 3);
    runFrame(arena);
    EXPECT_NEAR(arena->work->alpha, 0.99f, 1e-5f);
    EXPECT_NEAR(enemy(arena->work).beamLevel, 0.01f, 1e-5f);
    const int veiling = runUntil(arena, [&] { return phaseOf(arena) == 4; }, 300);
    EXPECT_GE(veiling, 98);
    EXPECT_LE(veiling, 101);
    EXPECT_FLOAT_EQ(enemy(arena->work).beamLevel, 1.0f);
    EXPECT_EQ(arena->work->alpha, 0.0f);
    EXPECT_FLOAT_EQ(arena->work->x, 112.0f);
    EXPECT_FLOAT_EQ(arena->work->y, 144.0f);
    EXPECT_EQ(arena->flags & kEnemyFollowsLayer, 0u);
    EXPECT_EQ(enemy(arena->work).followedLayer, 0);
    EXPECT_EQ(colorOf(slot), 0x644B32FFu);
    ASSERT_EQ(arena->work->hitBoxCount, 2);
    EXPECT_FLOAT_EQ(arena->work->hitBoxes[0].x, 177.0f);
    runFrames(arena, 30);
    EXPECT_EQ(phaseOf(arena), 4) << "until the boss has entered";
    st4BossEntered = 1;
    runFrame(arena);
    EXPECT_EQ(phaseOf(arena), 5);
    runUntil(arena, [&] { return phaseOf(arena) == 6; }, 300);
    EXPECT_EQ(enemy(arena->work).beamLevel, 0.0f);
    EXPECT_FALSE(pausedOf(slot)) << "the lights resume";
    const int waiting = runUntil(arena, [&] { return SDL2_wheel_MotionGetName(slot) == "start"; }, 400);
    EXPECT_GE(waiting, 120 + kArenaWait);
    EXPECT_LE(waiting, 120 + kArenaWait + 2);
    EXPECT_EQ(phaseOf(arena), 7);
    const int starting = runUntil(arena, [&] { return SDL2_wheel_MotionGetName(slot) == "loop"; }, 400);
    EXPECT_EQ(starting, kArenaStart);
    runFrames(arena, 3 * kArenaLoop);
    EXPECT_EQ(phaseOf(arena), 8);
    EXPECT_LT(enemy(arena->work).frameCount, kArenaLoop);
    st4BossDying = 1;
    runFrame(arena);
    EXPECT_EQ(phaseOf(arena), 9);
    runFrame(arena);
    EXPECT_EQ(phaseOf(arena), 10);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "end");
    runFrames(arena, 3 * kArenaEnd);
    EXPECT_EQ(enemy(arena->work).frameCount, kArenaEnd - 1) << "it stays on its last frame";
    EXPECT_EQ(SDL2_wheel_MotionGetFrame(slot), kArenaEnd - 1);
    EXPECT_EQ(arena->state, kObjStateRun);
}

TEST_F(BossVisualArenaTest, DrawsLeavesFrameVeilAndFromStateFourTheLights) {
    std::vector<SpriteFrame> frames(6000);
    for (int32_t id : {2687, 5940, 5941, 5942}) frames[size_t(id)].w = frames[size_t(id)].h = 32;
    OBJsetFrameTable(frames);
    cacheBossMotion("st4bossvisual", {{"st4bossvisual", {{"wait", kArenaWait}}, {}}});
    ObjTask* arena = spawnBoss(126, 112.0f, 40.0f);
    ASSERT_NE(arena, nullptr);
    EnemyFields& e = enemy(arena->work);
    arena->work->depth = 104.0f;
    e.step = 50;
    e.beamLevel = 0.25f;
    arena->work->alpha = 0.5f;
    const auto drawn = [&] {
        const int before = OBJdrawStoreCount();
        arena->work->draw(arena, arena->work);
        std::vector<DrawObj> out;
        for (int i = before; i < OBJdrawStoreCount(); ++i) out.push_back(*OBJdrawStoreEntry(i));
        return out;
    };
    std::vector<DrawObj> out = drawn();
    ASSERT_EQ(out.size(), 4u) << "no lights before state 4";
    EXPECT_EQ(out[0].frameId, 5941);
    EXPECT_EQ(out[0].dstX, 112 - 50 - 16);
    EXPECT_EQ(out[1].frameId, 5942);
    EXPECT_EQ(out[1].dstX, 112 + 50 - 16);
    EXPECT_EQ(out[0].layer, 104);
    EXPECT_EQ(out[2].frameId, 5940);
    EXPECT_EQ(out[2].layer, 801);
    EXPECT_FLOAT_EQ(out[2].alpha, 0.5f);
    EXPECT_EQ(int(out[2].r), 200);
    EXPECT_EQ(out[3].frameId, 2687);
    EXPECT_EQ(out[3].layer, 203);
    EXPECT_FLOAT_EQ(out[3].scaleX, 8.0f);
    EXPECT_FLOAT_EQ(out[3].scaleY, 9.0f);
    EXPECT_FLOAT_EQ(out[3].alpha, 0.25f);
    EXPECT_EQ(int(out[3].r) + int(out[3].g) + int(out[3].b), 0) << "the veil is black";
    EXPECT_EQ(int(arena->work->r), 255);
    e.phase = 4;
    arena->work->alpha = 0.0f;
    e.beamLevel = 0.0f;
    out = drawn();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, kDrawMotion);
    EXPECT_EQ(out[0].motionSlot, arena->work->motionSlot0);
}

TEST_F(BossVisualTrueBossTest, HandsTheFighterBackAt400And460AndLetsTheBossGoAt480) {
    cacheTrueBossVisual(kTrueStart);
    ObjWork* fighterWork = makeHeldFighter();
    bossIntroHold = 1;
    ObjTask* visual = spawnBoss(129, 112.0f, 144.0f);
    ASSERT_NE(visual, nullptr);
    const int32_t slot = visual->work->motionSlot0;
    ASSERT_GE(slot, 0);
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(slot), 204);
    EXPECT_FLOAT_EQ(visual->work->depth, 204.0f);
    EXPECT_EQ(bossIntroHold, 0);
    EXPECT_FLOAT_EQ(bossIntroPoint.x, 112.0f);
    EXPECT_FLOAT_EQ(bossIntroPoint.y, -300.0f);
    EXPECT_TRUE(pausedOf(slot));
    runFrame(visual);
    EXPECT_EQ(phaseOf(visual), 1);
    EXPECT_EQ(bossIntroHold, 1);
    EXPECT_FLOAT_EQ(bossIntroPoint.x, 112.0f);
    EXPECT_FLOAT_EQ(bossIntroPoint.y, 80.0f);
    EXPECT_EQ(colorOf(slot), 0x644B32FFu);
    runFrames(visual, kTrueWait - 1);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "wait");
    runFrame(visual);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "start");
    EXPECT_EQ(phaseOf(visual), 2);
    EXPECT_TRUE(pausedOf(slot));
    runFrames(visual, 260);
    EXPECT_EQ(SDL2_wheel_MotionGetFrame(slot), 260) << "the visual shows its own count";
    EXPECT_TRUE(pausedOf(slot));
    EXPECT_FLOAT_EQ(bossIntroPoint.x, 122.0f) << "the point moves with the label";
    EXPECT_FLOAT_EQ(bossIntroPoint.y, 104.0f);
    runFrames(visual, 399 - 260);
    EXPECT_EQ(fighter(fighterWork).absent, 1);
    runFrame(visual);
    EXPECT_EQ(fighter(fighterWork).absent, 0) << "frame 400";
    EXPECT_EQ(fighter(fighterWork).control, 0);
    runFrames(visual, 59);
    EXPECT_EQ(fighter(fighterWork).control, 0);
    runFrame(visual);
    const FighterFields& f = fighter(fighterWork);
    EXPECT_EQ(f.control, 1) << "frame 460";
    EXPECT_EQ(f.weaponsOn, 1);
    EXPECT_EQ(f.running, 1);
    EXPECT_EQ(f.entry, 0);
    EXPECT_FLOAT_EQ(f.home.x, 112.0f);
    EXPECT_FLOAT_EQ(f.home.y, 220.0f);
    runFrames(visual, 19);
    EXPECT_EQ(bossIntroHold, 1) << "frame 479";
    runFrame(visual);
    EXPECT_EQ(bossIntroHold, 0) << "frame 480";
    runFrames(visual, kTrueStart - 481);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "start");
    runFrame(visual);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "loop");
    EXPECT_EQ(phaseOf(visual), 3);
    EXPECT_TRUE(pausedOf(slot));
    runFrames(visual, 3 * kTrueLoop + 5);
    EXPECT_EQ(enemy(visual->work).frameCount, 5) << "the count wraps at the label's length";
    EXPECT_EQ(bossIntroHold, 0);
    EXPECT_EQ(visual->state, kObjStateRun);
}

TEST_F(BossVisualNoSlotTest, LengthZeroStepsPassAtOnceAndNoEntryPoint) {
    ObjWork* fighterWork = makeHeldFighter();
    ObjTask* visual = spawnBoss(129, 112.0f, 144.0f);
    ASSERT_NE(visual, nullptr);
    EXPECT_EQ(visual->work->motionSlot0, -1);
    EXPECT_EQ(SDL2_wheel_MotionGetLength(visual->work->motionSlot0), 0);
    runFrames(visual, 3);
    EXPECT_EQ(phaseOf(visual), 3) << "wait and start pass at once";
    EXPECT_EQ(bossIntroHold, 0);
    EXPECT_FLOAT_EQ(bossIntroPoint.x, 112.0f);
    EXPECT_FLOAT_EQ(bossIntroPoint.y, -300.0f);
    EXPECT_EQ(fighter(fighterWork).control, 1) << "the fighter is handed back all the same";
    EXPECT_EQ(fighter(fighterWork).absent, 0);
    runFrames(visual, 10);
    EXPECT_EQ(bossIntroHold, 0);
    EXPECT_EQ(visual->state, kObjStateRun);

    ObjTask* st3 = spawnBoss(125);
    ASSERT_NE(st3, nullptr);
    runFrames(st3, 10);
    EXPECT_EQ(st3->state, kObjStateRun);
    EXPECT_EQ(st3->work->age, 10);

    ObjTask* arena = spawnBoss(126, 112.0f, 40.0f);
    ASSERT_NE(arena, nullptr);
    EXPECT_EQ(arena->work->motionSlot0, -1);
    enemy(arena->work).phase = 4;
    st4BossEntered = 1;
    enemy(arena->work).beamLevel = 0.0f;
    runFrames(arena, 2);
    EXPECT_EQ(phaseOf(arena), 6);
    runFrames(arena, 120);
    EXPECT_EQ(phaseOf(arena), 6);
    runFrame(arena);
    EXPECT_EQ(phaseOf(arena), 7) << "wait has played through at once";
    runFrames(arena, 2);
    EXPECT_EQ(phaseOf(arena), 8);
    st4BossDying = 1;
    runFrames(arena, 3);
    EXPECT_EQ(phaseOf(arena), 10);
    EXPECT_EQ(enemy(arena->work).frameCount, 0);
    EXPECT_EQ(arena->state, kObjStateRun);
}

}  // namespace
