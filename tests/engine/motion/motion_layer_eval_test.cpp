#include "engine/motion/motion_layer_eval.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "tests/engine/motion/motion_eval_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using evalfixture::at;
using evalfixture::group;
using evalfixture::Stage;

constexpr float kNear = 1e-4f;
const float kCos45 = std::cos(3.1415927f / 4.0f);

void expectMatrix(const MMotionNodeMatrix& m, float a, float b, float c, float d) {
    EXPECT_NEAR(m.a, a, kNear);
    EXPECT_NEAR(m.b, b, kNear);
    EXPECT_NEAR(m.c, c, kNear);
    EXPECT_NEAR(m.d, d, kNear);
}

mb::Timeline still(std::vector<mb::Layer> layers) { return mb::Timeline{.lastTime = 10, .layers = std::move(layers)}; }

mb::Layer held(const std::string& label, mb::Content content, std::vector<mb::Layer> children = {}) {
    return group(label, {mb::holdFrame(0, content), mb::holdFrame(10, content)}, std::move(children));
}

struct OrderCase {
    mb::Content content;
    std::array<float, 4> matrix;
};

// Zoom first, then rotate (clockwise on screen), flip, slant, as worked out
// by hand for the point (1, 0) and (0, 1).
TEST(MotionLayerEval, BuildsTheLocalMatrixInTransformOrder) {
    const OrderCase cases[] = {
        {{.angle = 90, .zoomX = 2, .zoomY = 2}, {0, -2, 2, 0}},
        {{.flipX = true, .angle = 90, .zoomX = 2, .zoomY = 3, .slantX = 0.5f, .slantY = 0}, {1, 3, 2, 0}},
    };
    for (const OrderCase& c : cases) {
        mb::Layer layer = held("a", c.content);
        layer.transformOrder = {2, 1, 0, 3};
        Stage s(still({layer}));
        s.player.progress(1);
        expectMatrix(s.node(1).matrix, c.matrix[0], c.matrix[1], c.matrix[2], c.matrix[3]);
    }
}

struct InheritCase {
    int mask;
    float rootZoom;
    std::array<float, 4> matrix;
    float angle;
    float zoom;
};

TEST(MotionLayerEval, InheritsTheWholeMatrixOrValueByValue) {
    const float c45 = kCos45;
    const InheritCase cases[] = {
        {0x1fc, 1, {2 * c45, -2 * c45, 2 * c45, 2 * c45}, 45, 2},
        {0x10, 1, {c45, -c45, c45, c45}, 45, 1},
        // The root's placement applies whole below a partial inheritance.
        {0x10, 3, {3 * c45, -3 * c45, 3 * c45, 3 * c45}, 45, 1},
    };
    for (const InheritCase& c : cases) {
        mb::Layer child = held("child", {.coord = mb::Vec3{1, 0, 0}, .angle = 15});
        child.inheritMask = c.mask;
        Stage s(still({held("parent", {.coord = mb::Vec3{10, 0, 0}, .angle = 30, .zoomX = 2, .zoomY = 2}, {child})}));
        s.node(0).local.zoomX = s.node(0).local.zoomY = c.rootZoom;
        s.player.progress(1);
        const MMotionLayerNode& n = s.node(2);
        expectMatrix(n.matrix, c.matrix[0], c.matrix[1], c.matrix[2], c.matrix[3]);
        EXPECT_NEAR(n.state.angle, c.angle, kNear);
        EXPECT_NEAR(n.state.zoomX, c.zoom * (c.mask == 0x1fc ? c.rootZoom : 1.0f), kNear);
        // The position always goes through the parent's whole matrix.
        const float r = 3.1415927f / 6.0f;
        EXPECT_NEAR(n.state.x, c.rootZoom * (10 + 2 * std::cos(r)), kNear);
        EXPECT_NEAR(n.state.y, c.rootZoom * 2 * std::sin(r), kNear);
    }
}

TEST(MotionLayerEval, OpacityComesFromTheParentOrTheRoot) {
    mb::Layer fromParent = held("p", {.opacity = 128});
    mb::Layer fromRoot = held("r", {.opacity = 128});
    fromRoot.inheritMask = 0x1fc;
    Stage s(still({held("parent", {.opacity = 128}, {fromParent, fromRoot})}));
    s.player.setOpacity(200);
    s.player.progress(1);
    EXPECT_EQ(s.node(1).state.opacity, 100u);  // 128 x 200 / 255
    EXPECT_EQ(s.node(2).state.opacity, 50u);   // 128 x 100 / 255
    EXPECT_EQ(s.node(3).state.opacity, 100u);
    s.player.setOpacity(255);
    s.player.setTime(1);
    s.player.progress(1);
    EXPECT_EQ(s.node(2).state.opacity, 64u);  // 128 x 128 / 255, truncated
}

TEST(MotionLayerEval, ASkippedParentPassesItsParentsStateOn) {
    mb::Layer child = held("child", at(1, 0));
    mb::Layer skipped = held("skipped", {.coord = mb::Vec3{100, 0, 0}, .zoomX = 2, .zoomY = 2}, {child});
    skipped.inheritMask |= mb::kSkipAsParent;
    Stage s(still({held("grand", at(5, 0), {skipped})}));
    s.player.progress(1);
    EXPECT_FLOAT_EQ(s.node(3).state.x, 6.0f);
    EXPECT_FLOAT_EQ(s.node(3).state.zoomX, 1.0f);
    EXPECT_FLOAT_EQ(s.node(2).state.x, 105.0f);
}

TEST(MotionLayerEval, AnEmptyFrameHidesTheNodeButNotItsChildren) {
    mb::Layer parent = group("parent", {mb::emptyFrame(0), mb::holdFrame(10, at(50, 0))}, {held("child", at(1, 0))});
    Stage s(still({parent}));
    s.player.setPosition(7, 0);
    s.player.progress(1);
    EXPECT_FALSE(s.node(1).state.visible);
    EXPECT_TRUE(s.node(2).state.visible);
    EXPECT_FLOAT_EQ(s.node(2).state.x, 8.0f);
}

TEST(MotionLayerEval, AHiddenRootHidesTheWholeTree) {
    Stage s(still({held("a", {}, {held("b", {})})}));
    s.player.setShown(false);
    s.player.progress(1);
    EXPECT_FALSE(s.node(1).state.visible || s.node(2).state.visible);
    s.player.setShown(true);
    s.player.progress(1);
    EXPECT_TRUE(s.node(1).state.visible && s.node(2).state.visible);
}

TEST(MotionLayerEval, TweensWithTheEasingsTheFramesName) {
    // An easing through (0.5, 0.25).
    const mb::Easing slow{mb::Spline{{0.0f, 0.5f, 1.0f}, {0.0f, 0.25f, 1.0f}, {0.0f, 0.0f, 0.0f}}};
    mb::Content from{.coord = mb::Vec3{0, 0, 0}, .angle = 0, .zoomX = 1, .zoomY = 1, .color = 0x000000ffu,
                     .opacity = 0, .positionEasing = 0, .zoomEasing = 0, .colorEasing = 0};
    mb::Content to{.coord = mb::Vec3{100, 0, 0}, .angle = 90, .zoomX = 3, .zoomY = 3, .color = 0x808080ffu,
                   .opacity = 255};
    Stage s(still({group("a", {mb::tweenFrame(0, from), mb::holdFrame(10, to)})}), {slow});
    s.player.setTime(5);
    s.player.progress(1);
    const MMotionLayerNode& n = s.node(1);
    EXPECT_NEAR(n.state.x, 25.0f, kNear);
    EXPECT_NEAR(n.state.angle, 45.0f, kNear);  // no easing: linear
    EXPECT_NEAR(n.state.zoomX, 1.5f, kNear);
    EXPECT_EQ(n.state.opacity, 128u);  // 127.5, halves away from zero
    EXPECT_EQ(n.colors[0], 0x202020ffu);
    EXPECT_EQ(n.colors[3], 0x202020ffu);
}

TEST(MotionLayerEval, ValuesNamingDifferentEasingsFollowTheirOwnAsTheTweenMoves) {
    // Straight pieces: slow through (0.5, 0.25), fast through (0.5, 0.75).
    const mb::Easing slow{mb::Spline{{0.0f, 0.5f, 1.0f}, {0.0f, 0.25f, 1.0f}, {0.0f, 0.0f, 0.0f}}};
    const mb::Easing fast{mb::Spline{{0.0f, 0.5f, 1.0f}, {0.0f, 0.75f, 1.0f}, {0.0f, 0.0f, 0.0f}}};
    mb::Content from{.coord = mb::Vec3{0, 0, 0}, .angle = 0, .zoomX = 1, .zoomY = 1, .positionEasing = 0,
                     .angleEasing = 1, .zoomEasing = 0};
    mb::Content to{.coord = mb::Vec3{100, 0, 0}, .angle = 100, .zoomX = 11, .zoomY = 11};
    Stage s(still({group("a", {mb::tweenFrame(0, from), mb::holdFrame(10, to)})}), {slow, fast});
    s.player.progress(1);
    const MMotionLayerNode& n = s.node(1);
    // time, slow, fast
    for (const auto& [time, e, g] : {std::tuple{2.0f, 0.1f, 0.3f}, {8.0f, 0.7f, 0.9f}, {3.0f, 0.15f, 0.45f}}) {
        s.player.setTime(time);
        s.player.progress(1);
        EXPECT_NEAR(n.state.x, 100.0f * e, kNear) << time;
        EXPECT_NEAR(n.state.zoomX, 1.0f + 10.0f * e, kNear) << time;
        EXPECT_NEAR(n.state.angle, 100.0f * g, kNear) << time;
    }
}

TEST(MotionLayerEval, ATweenStepMovesInWholeSteps) {
    mb::Content from{.coord = mb::Vec3{0, 0, 0}, .tweenStep = 4};
    Stage s(still({group("a", {mb::tweenFrame(0, from), mb::holdFrame(10, at(100, 0))})}));
    for (const auto& [time, x] : {std::pair{3.9f, 0.0f}, {5.0f, 40.0f}, {9.0f, 80.0f}}) {
        s.player.setTime(time);
        s.player.progress(1);
        EXPECT_NEAR(s.node(1).state.x, x, kNear) << time;
    }
}

TEST(MotionLayerEval, AnAnchorMovesEveryNodeAndForcesTheNextStep) {
    mb::Layer anchor = held("anchor", at(6, 0));
    anchor.type = mb::kAnchor;
    anchor.anchor = 1;
    Stage s(still({anchor, held("other", at(1, 0))}));
    s.player.setPosition(4, 0);
    s.player.progress(1);
    EXPECT_FLOAT_EQ(s.node(1).state.x, 4.0f);
    EXPECT_FLOAT_EQ(s.node(2).state.x, -1.0f);
    EXPECT_TRUE(s.player.timelineState().force);
    s.player.progress(1);
    EXPECT_FLOAT_EQ(s.node(1).state.x, 4.0f);
    EXPECT_FLOAT_EQ(s.node(2).state.x, -1.0f);
}

TEST(MotionLayerEval, ClipRectanglesNarrowDownTheTree) {
    mb::Layer inner = held("inner", at(8, 0), {held("leaf", at(0, 0))});
    inner.type = mb::kClipRect;
    mb::Layer outer = held("outer", at(0, 0), {inner});
    outer.type = mb::kClipRect;
    Stage s(still({outer}));
    s.player.progress(1);
    EXPECT_EQ(std::get<MMotionClipRecord>(s.node(1).record).rect, (std::array<float, 4>{-16, -16, 16, 16}));
    EXPECT_EQ(std::get<MMotionClipRecord>(s.node(2).record).rect, (std::array<float, 4>{-8, -16, 16, 16}));
    EXPECT_EQ(s.node(3).clip, 2);
    EXPECT_EQ(s.node(0).clip, -1);
}

TEST(MotionLayerEval, ShapesCameraAndModelsFollowTheirNodes) {
    mb::Layer shape = held("shape", {.coord = mb::Vec3{10, 20, 0}, .zoomX = 2, .zoomY = 2});
    shape.type = mb::kShape;
    shape.shape = 2;
    mb::Layer camera = held("camera", {.coord = mb::Vec3{1, 1, 0}, .camera = mb::CameraSettings{.fov = 30, .target = "shape"}});
    camera.type = mb::kCamera;
    mb::Content model{.src = "clip", .icon = "i", .coord = mb::Vec3{0, 20, 0},
                      .model = mb::ModelSettings{.timeOffset = 2, .dt = 4, .dtgt = "shape"}};
    mb::Layer modelLayer = group("model", {mb::holdFrame(0, model), mb::holdFrame(10, model)});
    modelLayer.type = mb::kModel;
    Stage s(still({shape, camera, modelLayer}));
    s.player.setTime(3);
    s.player.progress(1);
    const auto& g = std::get<MMotionShapeRecord>(s.node(1).record).geometry;
    EXPECT_EQ((std::array<float, 4>{g[0], g[1], g[2], g[3]}), (std::array<float, 4>{-6, 4, 26, 36}));
    const MMotionCamera& cam = s.player.timelineState().camera;
    EXPECT_TRUE(cam.active && cam.hasTarget);
    EXPECT_EQ(cam.offset, (std::array<int32_t, 2>{-10, -20}));
    EXPECT_FLOAT_EQ(cam.fov, 30.0f);
    const auto& m = std::get<MMotionModelRecord>(s.node(3).record);
    EXPECT_TRUE(m.active);
    EXPECT_EQ(m.name, "clip");
    EXPECT_FLOAT_EQ(m.time, 5.0f);
    EXPECT_TRUE(m.directional);
    EXPECT_EQ(m.direction, (std::array<float, 3>{10, 0, 0}));
}

}  // namespace

namespace {

TEST(MotionLayerDriver, LayersTakeIdsFromTheManagersPoolAndGiveThemBack) {
    mb::Timeline t = still({held("a", {}, {held("b", {})})});
    Stage s(t);
    EXPECT_EQ(s.node(1).id, 0u);
    EXPECT_EQ(s.node(2).id, 1u);
    {
        MMotionPlayer other(s.manager, "ship");
        other.setTimelineDriver(MMotionLayerDriver::shared());
        other.play("m", 0);
        EXPECT_EQ(other.nodes().at(2).id, 3u);
    }
    // The other player's ids came back, the last one returned first.
    MMotionPlayer third(s.manager, "ship");
    third.setTimelineDriver(MMotionLayerDriver::shared());
    third.play("m", 0);
    EXPECT_EQ(third.nodes().at(1).id, 3u);
    EXPECT_EQ(third.nodes().at(2).id, 2u);
}

TEST(MotionLayerDriver, ListsTheNodesOfEachType) {
    mb::Layer anchor = held("anchor", {});
    anchor.type = mb::kAnchor;
    mb::Layer clip = held("clip", {}, {anchor});
    clip.type = mb::kClipRect;
    Stage s(still({held("g", {}), clip}));
    const MMotionTimelineState& state = s.player.timelineState();
    EXPECT_EQ(state.typeMask, (1u << 2) | (1u << 7) | (1u << 9));
    EXPECT_EQ(state.byType[9], (std::vector<int32_t>{3}));
    EXPECT_TRUE(state.byType[7].empty());
}

}  // namespace
