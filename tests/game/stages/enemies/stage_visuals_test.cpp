// The stage overlay (kind 123) and the stage-5 gate (kind 127): the
// overlay's grid and fade, the gate's leaves and boxes.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/sound_requests.h"
#include "game/core/sprite_frames.h"
#include "game/stages/enemies/stage_visuals.h"
#include "game/stages/field_layers.h"
#include "game/stages/stage_field.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

class StageVisualTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        frames.assign(6000, SpriteFrame{});
        for (int32_t id : {5939, 5943, 5944, 5945}) frames[size_t(id)].w = frames[size_t(id)].h = 64;
        OBJsetFrameTable(frames);
        OBJdrawRequestsClear();
        stageFrame = 0;
        fieldLayerSharedTint = {200, 100, 40};
    }
    void TearDown() override {
        OBJdrawRequestsClear();
        OBJsetFrameTable({});
        fieldLayerSharedTint = {255, 255, 255};
        stageFrame = 0;
        EnemyFixture::TearDown();
    }
    // The sprites the work's draw queues now.
    static std::vector<DrawObj> drawn(ObjTask* task) {
        const int before = OBJdrawStoreCount();
        task->work->draw(task, task->work);
        std::vector<DrawObj> out;
        for (int i = before; i < OBJdrawStoreCount(); ++i) out.push_back(*OBJdrawStoreEntry(i));
        return out;
    }
    static int runUntilEnded(ObjTask* task, int limit) {
        int n = 0;
        while (task->state == kObjStateRun && n < limit) {
            step(task);
            ++n;
        }
        return n;
    }
    std::vector<SpriteFrame> frames;
};

using StageOverlayTest = StageVisualTest;
using St05GateTest = StageVisualTest;

TEST_F(StageOverlayTest, ItClearsTheFadeFlagAndFadesOutOnceItIsRaised) {
    bossVisualFlag = 1;
    ObjTask* overlay = enemySpawnKind(123, -1, 174.0f, 141.0f);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(bossVisualFlag, 0);
    EXPECT_FLOAT_EQ(overlay->work->depth, 10.0f);
    EXPECT_FLOAT_EQ(overlay->work->alpha, 1.0f);
    EXPECT_EQ(overlay->work->hitBoxCount, 0);
    for (int i = 0; i < 300; ++i) step(overlay);
    EXPECT_EQ(overlay->state, kObjStateRun);
    EXPECT_EQ(overlay->work->age, 300);
    bossVisualFlag = 1;
    step(overlay);
    EXPECT_NEAR(overlay->work->alpha, 0.95f, 1e-5f);
    const int frames = 1 + runUntilEnded(overlay, 100);
    EXPECT_GE(frames, 20);
    EXPECT_LE(frames, 21);
    EXPECT_EQ(overlay->work->alpha, 0.0f);
}

// The boss-death sweep spares the scenery: the overlay fades instead.
TEST_F(StageOverlayTest, TheHulksDeathFadesIt) {
    ObjTask* overlay = enemySpawnKind(123, -1, 193.0f, 258.0f);
    ASSERT_NE(overlay, nullptr);
    ObjTask* hulk = makeEnemy(3, 10, 112.0f, 100.0f);
    hulk->work->kind = 62;
    enter(hulk);
    step(hulk);
    hit(hulk, 6, 10);
    for (int i = 0; i < 2000 && hulk->state == kObjStateRun; ++i) {
        step(hulk);
        step(overlay);
    }
    EXPECT_EQ(hulk->state, kObjStateEnd);
    EXPECT_EQ(bossVisualFlag, 1);
    EXPECT_NE(overlay->work->lifeState, 3) << "not swept";
    EXPECT_LT(overlay->work->alpha, 1.0f);
    runUntilEnded(overlay, 30);
    EXPECT_EQ(overlay->state, kObjStateEnd);
}

TEST_F(StageOverlayTest, RowsAreThreeOrSixByStageAgeAndStageFrame) {
    struct Case {
        int32_t stage, age, stageFrame, rows;
    };
    const Case cases[] = {{2, 0, 5054, 3}, {2, 179, 5699, 3}, {2, 180, 5234, 6},
                          {2, 10, 5700, 6}, {3, 0, 418, 6},   {3, 179, 500, 6}};
    for (const Case& c : cases) {
        stageNumber = c.stage;
        stageFrame = c.stageFrame;
        EXPECT_EQ(stageOverlayRows(c.age), c.rows) << c.stage << " " << c.age << " " << c.stageFrame;
    }
    stageNumber = 2;
    stageFrame = 5100;
    ObjTask* overlay = enemySpawnKind(123, -1, 174.0f, 141.0f);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(drawn(overlay).size(), 2u * 5u * 3u);
    overlay->work->age = 180;
    EXPECT_EQ(drawn(overlay).size(), 2u * 5u * 6u);
}

TEST_F(StageOverlayTest, TheGridDriftsAndPulsesInTheDimmedTint) {
    stageNumber = 3;
    ObjTask* overlay = enemySpawnKind(123, -1, 193.0f, 258.0f);
    ASSERT_NE(overlay, nullptr);
    overlay->work->age = 64;
    const std::vector<DrawObj> sprites = drawn(overlay);
    ASSERT_EQ(sprites.size(), 60u);
    const DrawObj& base = sprites[0];
    const DrawObj& glow = sprites[30];
    EXPECT_EQ(base.frameId, 5939);
    EXPECT_EQ(base.layer, 10);
    EXPECT_EQ(base.blend, 0);
    EXPECT_EQ(glow.blend, 1);
    // 6 x 64 = 384 of 1024 units: -20 sin is -14.1, truncated -14.
    EXPECT_FLOAT_EQ(base.alpha, 0.94f);
    // 4 x 64 = a quarter turn: the additive layer's peak.
    EXPECT_FLOAT_EQ(glow.alpha, 0.8f);
    EXPECT_EQ(int(base.r), 150);
    EXPECT_EQ(int(base.g), 75);
    EXPECT_EQ(int(base.b), 30);
    // Column 0, row 0 drifts up-left by age / 16 = 4 (base) and 6, 10 (glow).
    EXPECT_EQ(base.dstX, -4 - 32);
    EXPECT_EQ(base.dstY, -4 - 32);
    EXPECT_EQ(glow.dstX, -6 - 32);
    EXPECT_EQ(glow.dstY, -10 - 32);
    EXPECT_EQ(sprites[1].dstY - base.dstY, 64) << "rows run down a column";
    EXPECT_EQ(int(overlay->work->r), 255) << "the tint is reset after the draw";
}

TEST_F(StageOverlayTest, TheAdditiveLayerKeepsItsPulseWhileTheBaseFades) {
    stageNumber = 3;
    ObjTask* overlay = enemySpawnKind(123, -1, 193.0f, 258.0f);
    ASSERT_NE(overlay, nullptr);
    overlay->work->alpha = 0.5f;
    const std::vector<DrawObj> sprites = drawn(overlay);
    ASSERT_EQ(sprites.size(), 60u);
    EXPECT_FLOAT_EQ(sprites[0].alpha, 0.4f);
    EXPECT_FLOAT_EQ(sprites[30].alpha, 0.5f);
}

TEST_F(St05GateTest, TheLeavesSlideOpenAndTheBoxesGoAtOpening120) {
    ObjTask* gate = enemySpawnKind(127, -1, 112.0f, 5.0f);
    ASSERT_NE(gate, nullptr);
    EXPECT_FLOAT_EQ(gate->work->x, 112.0f);
    EXPECT_FLOAT_EQ(gate->work->alpha, 1.0f);
    EXPECT_EQ(gate->work->hitBoxCount, 0);
    step(gate);
    EXPECT_EQ(enemy(gate->work).phase, 0) << "closed above y 10";
    ASSERT_EQ(gate->work->hitBoxCount, 2);
    EXPECT_FLOAT_EQ(gate->work->hitBoxes[0].x, 56.0f);
    EXPECT_FLOAT_EQ(gate->work->hitBoxes[1].x, -56.0f);
    EXPECT_FLOAT_EQ(gate->work->hitBoxes[0].y, 0.0f);
    EXPECT_FLOAT_EQ(gate->work->hitBoxes[0].halfWidth, 56.0f);
    EXPECT_FLOAT_EQ(gate->work->hitBoxes[0].halfHeight, 50.0f);
    soundLayerState().soundGuard.fill(0);
    gate->work->y = 11.0f;
    step(gate);
    EXPECT_EQ(enemy(gate->work).phase, 1);
    EXPECT_GT(soundLayerState().soundGuard[7], 0) << "the door sound";
    for (int opening = 1; opening <= 121; ++opening) {
        step(gate);
        EXPECT_EQ(enemy(gate->work).step, opening);
        // The boxes of this frame were set from the opening before it grew.
        if (opening - 1 < 120) {
            ASSERT_EQ(gate->work->hitBoxCount, 2) << opening;
            EXPECT_FLOAT_EQ(gate->work->hitBoxes[0].x, 56.0f + float(opening - 1));
            EXPECT_FLOAT_EQ(gate->work->hitBoxes[1].x, -56.0f - float(opening - 1));
        } else {
            EXPECT_EQ(gate->work->hitBoxCount, 0) << opening;
        }
    }
    EXPECT_EQ(enemy(gate->work).phase, 2);
    step(gate);
    EXPECT_EQ(gate->work->hitBoxCount, 0);
    EXPECT_NEAR(gate->work->alpha, 0.97f, 1e-5f);
    for (int i = 0; i < 40; ++i) step(gate);
    EXPECT_EQ(gate->work->alpha, 0.0f) << "it stays at 0";
    gate->work->y = 339.0f;
    enemy(gate->work).halfHeight = 200.0f;
    step(gate);
    EXPECT_EQ(enemy(gate->work).phase, 3);
    EXPECT_EQ(gate->state, kObjStateRun);
    step(gate);
    EXPECT_EQ(gate->state, kObjStateEnd);
}

TEST_F(St05GateTest, AFirstExtraWordOpensItWhereverItStands) {
    ObjTask* gate = enemySpawnKind(127, -1, 112.0f, -97.0f);
    ASSERT_NE(gate, nullptr);
    step(gate);
    EXPECT_EQ(enemy(gate->work).phase, 0);
    enemy(gate->work).spawnExtras[0] = 1;
    step(gate);
    EXPECT_EQ(enemy(gate->work).phase, 1);
}

TEST_F(St05GateTest, NoBoxesWhileHitsAreOff) {
    ObjTask* gate = enemySpawnKind(127, -1, 112.0f, -75.0f);
    ASSERT_NE(gate, nullptr);
    gate->work->hitsOff = 1;
    step(gate);
    EXPECT_EQ(gate->work->hitBoxes, nullptr);
    EXPECT_EQ(gate->work->hitBoxCount, 0);
}

TEST_F(St05GateTest, ItDrawsBothLeavesAndTheFrameInTheFieldTint) {
    ObjTask* gate = enemySpawnKind(127, -1, 112.0f, 100.0f);
    ASSERT_NE(gate, nullptr);
    enemy(gate->work).step = 30;
    gate->work->depth = 204.0f;
    const std::vector<DrawObj> sprites = drawn(gate);
    ASSERT_EQ(sprites.size(), 3u);
    EXPECT_EQ(sprites[0].frameId, 5943);
    EXPECT_EQ(sprites[1].frameId, 5944);
    EXPECT_EQ(sprites[2].frameId, 5945);
    EXPECT_EQ(sprites[0].dstX, 112 - 30 - 32);
    EXPECT_EQ(sprites[1].dstX, 112 + 30 - 32);
    EXPECT_EQ(sprites[2].dstX, 112 - 32);
    EXPECT_EQ(sprites[0].layer, 204);
    EXPECT_EQ(sprites[2].layer, 801);
    EXPECT_EQ(int(sprites[0].r), 200);
    EXPECT_EQ(int(sprites[0].g), 100);
    EXPECT_EQ(int(sprites[0].b), 40);
    gate->work->alpha = 0.0f;
    EXPECT_TRUE(drawn(gate).empty());
}

TEST(StageDoorBoxesTest, TablesFollowTheOpeningAndClamp) {
    struct Case {
        StageDoorRow row;
        int32_t opening;
        float x, y;
    };
    const Case cases[] = {{StageDoorRow::kGate, 0, 56.0f, 0.0f},    {StageDoorRow::kGate, 60, 116.0f, 0.0f},
                          {StageDoorRow::kArena, 121, 177.0f, 280.0f}, {StageDoorRow::kArena, 500, 177.0f, 280.0f},
                          {StageDoorRow::kGate, -3, 56.0f, 0.0f}};
    for (const Case& c : cases) {
        const HitBox* boxes = stageDoorBoxes(c.row, c.opening);
        EXPECT_FLOAT_EQ(boxes[0].x, c.x) << c.opening;
        EXPECT_FLOAT_EQ(boxes[1].x, -c.x) << c.opening;
        EXPECT_FLOAT_EQ(boxes[0].y, c.y);
        EXPECT_FLOAT_EQ(boxes[1].y, c.y);
    }
}

}  // namespace
