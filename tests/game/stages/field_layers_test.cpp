// The background layers: the fixed-point sine, the movement and its wrap
// rules, the scroll scripts, the tile draw and the tint.
#include <cmath>

#include "engine/render/raw_tex.h"
#include "game/core/screen_effects.h"
#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"
#include "tests/game/core/sprite_target_recorder.h"
#include "tests/game/stages/stage_fixture.h"

namespace {

using FieldLayersTest = StageFixture;

struct TrigCase {
    int32_t angle16;
    int32_t sine, cosine;
};

TEST(FixedTrigTest, QuarterEdgesAndRounding) {
    const TrigCase cases[] = {
        {0, 0, 65536},          {16384, 65536, 0},       {32768, 0, -65536},     {49152, -65536, 0},
        {65536, 0, 65536},      {-16384, -65536, 0},     {7, 0, 65536},          {8, 100, 65535},
        {16360, 65535, 100},    {32744, 100, -65535},    {49128, -65535, -100},
    };
    for (const TrigCase& c : cases) {
        SCOPED_TRACE(c.angle16);
        EXPECT_EQ(fixedSin(c.angle16), c.sine);
        EXPECT_EQ(fixedCos(c.angle16), c.cosine);
    }
}

// A bare layer work: speed, heading and rules set by hand.
ObjWork* bareLayer(float speed, int32_t heading) {
    ObjWork* work = OBJworkNew();
    work->speed = speed;
    work->heading = heading;
    bgLayer(work).scroll.xFactor = bgLayer(work).scroll.yFactor = 1.0f;
    return work;
}

TEST(FieldLayerMoveTest, HeadingZeroMovesDownAndQuarterTurnLeft) {
    struct MoveCase {
        int32_t heading;
        float dx, dy;
    } cases[] = {{0, 0.0f, 1.5f}, {1024, 0.0f, 1.5f}, {256, -1.5f, 0.0f}, {512, 0.0f, -1.5f}, {-256, 1.5f, 0.0f}};
    OBJtaskPoolInit();
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.heading);
        ObjWork* work = bareLayer(150.0f, c.heading);
        fieldLayerMove(work, bgLayer(work).scroll);
        EXPECT_NEAR(bgLayer(work).offset.x, c.dx, 0.011f);
        EXPECT_NEAR(bgLayer(work).offset.y, c.dy, 0.011f);
        OBJworkFree(work);
    }
}

TEST(FieldLayerMoveTest, EachRuleJumpsOnceAStep) {
    struct RuleCase {
        int32_t op, a, b, c;
        float startX, startY;
        float x, y;  // after one step at rest
    } cases[] = {
        {6, 10, -30, 0, -10.0f, 0.0f, 20.0f, 0.0f},   // x <= -10: back by -30
        {6, 10, -30, 0, -9.0f, 0.0f, -9.0f, 0.0f},    // not yet
        {7, 10, 30, 0, -10.0f, 0.0f, -40.0f, 0.0f},   // x >= -10
        {8, 10, 0, -30, 0.0f, -10.0f, 0.0f, 20.0f},   // y <= -10
        {9, 0, 0, 288, 0.0f, 0.0f, 0.0f, -288.0f},    // y >= 0
        {9, 0, 0, 288, 0.0f, -1.0f, 0.0f, -1.0f},
        {9, 0, 0, 1, 0.0f, 5.0f, 0.0f, 4.0f},         // one jump a step, even when still past
    };
    OBJtaskPoolInit();
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.op);
        ObjWork* work = bareLayer(0.0f, 0);
        LayerFields& l = bgLayer(work);
        l.accumulator = {c.startX * 100.0f, c.startY * 100.0f};
        const ScrollScript script[] = {{c.op, 0, c.a, c.b, c.c, 0}, {0, 0, 0, 0, 0, 0}};
        ObjTask task{};
        fieldScrollStep(&task, work, script, l.scroll, 0);
        fieldLayerMove(work, l.scroll);
        EXPECT_FLOAT_EQ(l.offset.x, c.x);
        EXPECT_FLOAT_EQ(l.offset.y, c.y);
        EXPECT_FLOAT_EQ(l.accumulator.y, c.y * 100.0f);
        OBJworkFree(work);
    }
}

TEST(FieldLayerMoveTest, PlacedAt3744AboveLoopsBy288) {
    OBJtaskPoolInit();
    ObjWork* work = bareLayer(0.0f, 0);
    LayerFields& l = bgLayer(work);
    const ScrollScript script[] = {
        {1, 0, 0, 3744, 0, 0}, {9, 0, 0, 0, 288, 0}, {0, 0, 0, 0, 0, 0}};
    ObjTask task{};
    fieldScrollStep(&task, work, script, l.scroll, 0);
    fieldLayerMove(work, l.scroll);
    EXPECT_FLOAT_EQ(l.offset.y, -3744.0f);
    work->speed = 20000.0f;  // 200 pixels a step
    for (int i = 0; i < 30; ++i) {
        fieldLayerMove(work, l.scroll);
        EXPECT_LT(l.offset.y, 0.0f) << i;
    }
    EXPECT_GE(l.offset.y, -288.0f) << "once looped it stays within the last 288 pixels";
    OBJworkFree(work);
}

TEST_F(FieldLayersTest, ScriptRowsOfAFrameRunInOrderAndARowBehindStopsTheScript) {
    makeField(1);
    passes(2);  // frames -1 and 0
    ObjWork* one = layerWork(0);
    EXPECT_EQ(one->speed, 300.0f) << "the later row of frame 0 wins";
    EXPECT_EQ(bgLayer(one).scroll.rule9, 1);
    EXPECT_EQ(bgLayer(one).scroll.jumpY, 50.0f);
    ObjWork* two = layerWork(1);
    EXPECT_EQ(two->heading, 256);
    EXPECT_FLOAT_EQ(bgLayer(two).scroll.xFactor, 0.5f);
    EXPECT_FLOAT_EQ(bgLayer(two).scroll.yFactor, 2.0f);
    EXPECT_EQ(bgLayer(two).scroll.rule6, 1);
    passes(30);
    EXPECT_EQ(one->speed, 150.0f);
    EXPECT_EQ(bgLayer(two).scroll.rule7, 1);
    EXPECT_EQ(bgLayer(two).scroll.rule6, 0);
    EXPECT_EQ(bgLayer(two).scroll.rule8, 1);
    ObjWork* three = layerWork(2);
    EXPECT_EQ(three->speed, 400.0f) << "the frame-5 row behind frame 10 is never reached";
    EXPECT_EQ(bgLayer(three).scriptCursor, 2);
}

TEST_F(FieldLayersTest, OpFiveKillsTheLayerOfItsIndexOnly) {
    makeField(1);
    passes(8);  // frame 5 ran in the 7th pass; the layer went in the next
    EXPECT_EQ(fieldLayerKill[3], 1);
    EXPECT_EQ(fieldLayerKill[0], 0);
    EXPECT_EQ(layerWork(3), nullptr);
    EXPECT_NE(layerWork(0), nullptr);
}

// A layer's work over a frame table of our own: 2 rows of 3 tiles, 64 wide.
class FieldTileDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        frames.assign(10, SpriteFrame{});
        // sheet, x, y, w, h, id, tile, placement x, y, x2, y2
        frames[1] = {13, 0, 0, 64, 64, 1, 0, 0, 0, 0, 0};        // the empty tile
        frames[2] = {13, 64, 0, 64, 64, 2, 0, 0, 0, 0, 0};       // drawn
        frames[3] = {20, 0, 0, 64, 64, 3, 0, 0, 0, 0, 0};        // no sheet
        frames[4] = {13, 0, 64, 64, 64, 4, 0, 0, 500, 0, 0};     // above the screen
        frames[5] = {14, 0, 0, 64, 64, 5, 0, -64, 0, 10, 0};     // another sheet's top-left
        frames[6] = {13, 128, 64, 64, 64, 6, 0, 500, 0, 0, 0};   // right of the screen
        OBJsetFrameTable(frames);
        SDL2_wheel_TextureSet(13, new MRawTex(256, 256));
        SDL2_wheel_TextureSet(14, new MRawTex(256, 256));
        SDL2_wheel_TextureSet(20, nullptr);
        work = OBJworkNew();
        OBJworkSetFrames(work, 1, 6);
        work->x = 112.0f;
        work->y = 144.0f;
        work->r = 100, work->g = 110, work->b = 120;
        for (int i = 0; i < 6; ++i) {
            const SpriteFrame& f = frames[size_t(1 + i)];
            sources[i] = {uint32_t(f.x), uint32_t(f.y), uint32_t(f.w), uint32_t(f.h)};
        }
    }
    void TearDown() override {
        OBJworkFree(work);
        SDL2_wheel_TextureSet(13, nullptr);
        SDL2_wheel_TextureSet(14, nullptr);
        OBJsetFrameTable({});
        quakeOffsetX = quakeOffsetY = 0;
    }
    std::vector<SpriteFrame> frames;
    FieldTileSource sources[6];
    ObjWork* work = nullptr;
};

TEST_F(FieldTileDrawTest, DrawsTheVisibleTilesTintedAndShaken) {
    SpriteTargetRecorder recorder;
    quakeOffsetX = 3;
    quakeOffsetY = -2;
    fieldLayerDrawTiles(work, sources, 64, 3, 3, 0, 0);
    const auto& quads = recorder.quads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].sheet, SDL2_wheel_TextureGet(13));
    EXPECT_EQ(quads[0].quad.sourceX, 64.0f);
    EXPECT_EQ(quads[0].quad.corners[0].x, 80.0f + 3.0f);
    EXPECT_EQ(quads[0].quad.corners[0].y, 112.0f - 2.0f);
    EXPECT_EQ(quads[1].sheet, SDL2_wheel_TextureGet(14));
    EXPECT_EQ(quads[1].quad.corners[0].x, 112.0f - 32.0f - 64.0f + 10.0f + 3.0f);
    EXPECT_EQ(SDL2_wheel_TextureGet(13)->getTint(), 0x646E78u);
}

TEST_F(FieldTileDrawTest, ColumnsOutsideTheSpanAndRowsBelowTheOffsetAreCulled) {
    SpriteTargetRecorder recorder;
    bgLayer(work).offset = {-200.0f, 0.0f};  // column 3 on: every column here is left of it
    fieldLayerDrawTiles(work, sources, 64, 3, 3, 0, 0);
    EXPECT_TRUE(recorder.quads().empty());
    bgLayer(work).offset = {0.0f, -300.0f};  // first row (300/64 - 1) x 3 = 9: past every tile
    fieldLayerDrawTiles(work, sources, 64, 3, 3, 0, 0);
    EXPECT_TRUE(recorder.quads().empty());
}

struct TintCase {
    const char* name;
    bool powerUp;
    uint8_t wave, darken;
    int32_t timer, brightness;
    int32_t r, g;  // targets reached after many steps
    int32_t step;  // the first step from white
};

TEST_F(FieldLayersTest, TintTargetsAndSteps) {
    const TintCase cases[] = {
        {"white", false, 0, 0, 0, 10, 255, 255, 0},
        {"power-up", true, 0, 0, 0, 10, 220, 150, 8},
        {"kind 62", false, 1, 0, 0, 10, 180, 180, 1},
        {"kind 62 under power-up", true, 1, 0, 0, 10, 180, 120, 1},
        {"stage-5 boss over kind 62", false, 1, 1, 0, 10, 120, 120, 1},
        {"stage-5 boss under power-up", true, 0, 1, 0, 10, 120, 80, 1},
        {"darkening timer", false, 0, 0, 5, 10, 128, 128, 8},
        {"darkening timer over the boss", false, 0, 1, 5, 10, 128, 128, 1},
        {"brightness 5", false, 0, 0, 0, 5, 127, 127, 8},
        {"brightness 0", true, 0, 0, 0, 0, 0, 0, 8},
    };
    ObjTask* fighterTask = OBJtaskCreate(TSKfighterAct, kFighterGroup, objTag("FIGH"));
    fighterTask->act(fighterTask);
    for (const TintCase& c : cases) {
        SCOPED_TRACE(c.name);
        fighterSetPowerUp(c.powerUp ? 1 : 0);
        st03WaveFlag = c.wave;
        st05bossDarken = c.darken;
        layerTintTimer = c.timer;
        settingsSnapshot.BG_BRIGHTNESS = c.brightness;
        ObjWork* work = OBJworkNew();
        work->r = work->g = work->b = 255;
        fieldLayerTint(work);
        EXPECT_EQ(work->r, std::max(c.r, 255 - c.step));
        for (int i = 0; i < 300; ++i) fieldLayerTint(work);
        EXPECT_EQ(work->r, c.r);
        EXPECT_EQ(work->g, c.g);
        EXPECT_EQ(work->b, c.g);
        EXPECT_EQ(fieldLayerSharedTint.r, c.r);
        EXPECT_EQ(fieldLayerSharedTint.b, c.g);
        OBJworkFree(work);
    }
    st03WaveFlag = st05bossDarken = 0;
    layerTintTimer = 0;
}

}  // namespace
