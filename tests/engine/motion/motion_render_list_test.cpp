// Evaluated layers and streams as render items: colours, opacity and flags,
// stencil composites gathering their masks, vertex grids from the mesh pass,
// and streams played frame by frame with every index they hold checked.
#include <gtest/gtest.h>

#include <vector>

#include "engine/motion/motion_neutral_grid.h"
#include "engine/motion/motion_stream.h"
#include "tests/engine/motion/motion_eval_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using evalfixture::Stage;

constexpr uint32_t kOpaque = MMotionRenderItem::kFlagOpaque;
constexpr uint32_t kDefault = MMotionRenderItem::kFlagDefaultColor;

mb::Content picture(mb::Content c, const std::string& icon = "i0") {
    c.src = "src";
    c.icon = icon;
    return c;
}

mb::Layer sprite(const std::string& label, mb::Content content, std::vector<mb::Layer> children = {}) {
    content = picture(content, content.icon.empty() ? "i0" : content.icon);
    return mb::Layer{.label = label,
                     .type = mb::kSprite,
                     .frames = {mb::holdFrame(0, content), mb::holdFrame(10, content)},
                     .children = std::move(children)};
}

mb::Timeline stillTimeline(std::vector<mb::Layer> layers) { return mb::Timeline{.lastTime = 10, .layers = std::move(layers)}; }

// The icon "op": 64 by 32, drawn opaque.
void addOpaqueIcon(mb::Document& d) { d.sources["src"].icons["op"] = mb::Icon{.attr = 2, .width = 64, .height = 32}; }

std::vector<uint32_t> corners(const MMotionRenderItem& item) { return {item.colors, item.colors + 4}; }

struct ColorCase {
    const char* name;
    mb::Content content;
    uint32_t playerColor;
    std::vector<uint32_t> colors;
    uint32_t flags;
};

TEST(MotionRenderList, ColoursOpacityAndFlagsOfASprite) {
    const uint32_t n = 0x808080ffu;
    // These modes' frames default to white.
    const uint32_t w = 0xffffffffu;
    const ColorCase cases[] = {
        {"default colour, neutral player", {.icon = "op"}, n, {n, n, n, n}, kOpaque | kDefault},
        {"the default colour written out", {.icon = "op", .color = n}, n, {n, n, n, n}, kOpaque},
        {"half opacity", {.icon = "op", .color = n, .opacity = 128}, n, {4, 0x80808080u}, 0},
        {"tinted by the player", {.icon = "op"}, 0x408080ffu, {4, 0x408080ffu}, kOpaque},
        {"subtract ignores the tint", {.icon = "op", .drawMode = 2}, 0x408080ffu, {w, w, w, w}, kDefault},
        {"multiply ignores the tint", {.icon = "op", .drawMode = 3}, 0x408080ffu, {w, w, w, w}, kDefault},
        {"second subtract ignores the tint", {.icon = "op", .drawMode = 5}, 0x408080ffu, {w, w, w, w}, kDefault},
        {"corners each tinted",
         {.icon = "op", .cornerColors = std::array<uint32_t, 4>{n, 0x800000ffu, 0x008000ffu, 0x0000807fu}},
         n,
         {n, 0x800000ffu, 0x008000ffu, 0x0000807fu},
         0},
    };
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s(stillTimeline({sprite("a", c.content)}), {}, addOpaqueIcon);
        s.player.setBaseColor(c.playerColor);
        s.player.progress(1);
        ASSERT_EQ(s.player.renderList().size(), 1u);
        const MMotionRenderItem& item = *s.player.renderList()[0];
        std::vector<uint32_t> expected = c.colors;
        if (expected.size() == 2) expected.assign(size_t(expected[0]), expected[1]);
        EXPECT_EQ(corners(item), expected);
        EXPECT_EQ(item.flags & (kOpaque | kDefault), c.flags);
        EXPECT_EQ(item.grid, &s.node(1).draw.grid);
        EXPECT_EQ(item.id, s.node(1).id);
    }
}

TEST(MotionRenderList, ItemsFollowTheDrawOrderAndCarryTheirSource) {
    mb::Timeline timeline = stillTimeline({sprite("top", {.icon = "op", .coord = mb::Vec3{0, 0, 3}}),
                                   sprite("under", {.drawMode = 0x11, .effectParameter = 2.5f})});
    Stage s(timeline, {}, addOpaqueIcon);
    s.player.setZ(7);
    s.player.progress(1);
    ASSERT_EQ(s.player.renderList().size(), 2u);
    const MMotionRenderItem& under = *s.player.renderList()[0];
    const MMotionRenderItem& top = *s.player.renderList()[1];
    EXPECT_EQ(top.z, 3.0f);
    EXPECT_EQ(top.playerZ, 7.0f);
    EXPECT_EQ(top.source[2], 64.0f);
    EXPECT_EQ(top.source[3], 32.0f);
    EXPECT_EQ(under.drawMode, 0x11u);
    EXPECT_EQ(under.bp, 2.5f);
    // A draw mode other than 0 is never drawn as opaque.
    EXPECT_EQ(under.flags & kOpaque, 0u);
}

TEST(MotionRenderList, AHiddenOrEmptyLayerListsNothing) {
    mb::Layer gone = sprite("gone", {});
    gone.frames = {mb::emptyFrame(0), mb::emptyFrame(10)};
    Stage s(stillTimeline({gone, sprite("shown", {})}));
    s.player.progress(1);
    EXPECT_EQ(s.player.renderList().size(), 1u);
    s.player.setShown(false);
    s.player.progress(1);
    EXPECT_TRUE(s.player.renderList().empty());
}

TEST(MotionRenderList, AStencilCompositeStandsForItselfAndItsListedMasks) {
    mb::Layer composite = sprite("comp", {}, {sprite("inside", {})});
    composite.type = mb::kStencilComposite;
    composite.stencilType = 1 | 4;
    composite.stencilMasks = {"mask"};
    Stage s(stillTimeline({composite, sprite("mask", {})}));
    s.player.progress(1);
    MMotionLayerNode& comp = s.node(1);
    MMotionLayerNode& inside = s.node(2);
    MMotionLayerNode& mask = s.node(3);
    ASSERT_TRUE(comp.listed);
    const std::vector<MMotionRenderItem*> expected{&comp.draw.item, &mask.draw.item};
    EXPECT_EQ(comp.draw.item.children, expected);
    EXPECT_EQ(inside.draw.item.container, &comp.draw.item);
    // The composite itself is reached through its children only.
    for (MMotionRenderItem* item : s.player.renderList()) EXPECT_NE(item, &comp.draw.item);
}

// --- vertex grids ---

mb::Layer meshHost(int sync, std::vector<mb::Layer> children) {
    mb::Content content = picture({.icon = "op", .mesh = mb::MeshSettings{.points = mb::MeshPoints{}}}, "op");
    std::copy(kMotionNeutralMeshGrid.begin(), kMotionNeutralMeshGrid.end(), content.mesh->points->begin());
    mb::Layer host{.label = "host",
                   .type = mb::kSprite,
                   .frames = {mb::holdFrame(0, content), mb::holdFrame(10, content)},
                   .meshTransform = 1,
                   .meshSyncChildMask = sync,
                   .meshDivision = 8,
                   .children = std::move(children)};
    return host;
}

TEST(MotionMeshPass, WithoutAHostASpriteIsItsFourCorners) {
    Stage s(stillTimeline({sprite("a", {.icon = "op", .coord = mb::Vec3{10, 20, 0}})}), {}, addOpaqueIcon);
    s.player.progress(1);
    const MMotionVertexGrid& grid = s.node(1).draw.grid;
    EXPECT_EQ(grid.columns, 1);
    EXPECT_EQ(grid.rows, 1);
    EXPECT_EQ(grid.points, (std::vector<float>{10, 20, 74, 20, 10, 52, 74, 52}));
}

TEST(MotionMeshPass, ASpriteUnderAHostOfDivisionEightGetsSevenByFivePoints) {
    mb::Layer child = sprite("child", {.icon = "op"});
    child.inheritMask |= mb::kBendByMeshHosts;
    Stage s(stillTimeline({meshHost(0x8, {child})}), {}, addOpaqueIcon);
    s.player.progress(1);
    ASSERT_TRUE(s.node(1).draw.mesh.meshHost);
    const MMotionVertexGrid& grid = s.node(2).draw.grid;
    EXPECT_EQ(s.node(2).draw.host, 1);
    EXPECT_EQ(grid.columns, 6);
    EXPECT_EQ(grid.rows, 4);
    ASSERT_EQ(grid.points.size(), 2u * 7 * 5);
    // An unbent host leaves the rectangle where it was.
    EXPECT_NEAR(grid.points.back(), 32.0f, 1e-3f);
    EXPECT_NEAR(grid.points[grid.points.size() - 2], 64.0f, 1e-3f);
}

TEST(MotionMeshPass, AHugeDivisionIsHeldToAGridOfSomeCells) {
    mb::Layer host = meshHost(0x8, {sprite("child", {.icon = "op"})});
    host.meshDivision = 1 << 30;
    Stage s(stillTimeline({host}), {}, addOpaqueIcon);
    s.player.progress(1);
    const MMotionVertexGrid& grid = s.node(2).draw.grid;
    EXPECT_EQ(grid.columns + grid.rows, 256 + 2);
    EXPECT_EQ(grid.points.size(), 2u * size_t(grid.columns + 1) * size_t(grid.rows + 1));
}

TEST(MotionMeshPass, AChildOfAnUnbentMeshKeepsItsPlace) {
    mb::Layer child = sprite("child", {.icon = "op", .coord = mb::Vec3{16, 8, 0}, .angle = 30, .zoomX = 2});
    // Position, angle and zoom all follow the mesh.
    Stage s(stillTimeline({meshHost(0x1 | 0x2 | 0x4, {child})}), {}, addOpaqueIcon);
    s.player.progress(1);
    const MMotionNodeState& st = s.node(2).state;
    EXPECT_NEAR(st.x, 16.0f, 1e-3f);
    EXPECT_NEAR(st.y, 8.0f, 1e-3f);
    // The patch is probed 0.0001 apart in single precision.
    EXPECT_NEAR(st.angle, 30.0f, 1e-2f);
    EXPECT_NEAR(st.zoomX, 2.0f, 5e-3f);
}

TEST(MotionMeshPass, ACombinatorLayerTakesItsMeshFromTheRootsVariable) {
    mb::MeshPoints first{}, second{};
    std::copy(kMotionNeutralMeshGrid.begin(), kMotionNeutralMeshGrid.end(), first.begin());
    second = first;
    for (float& v : second) v *= 2.0f;
    mb::Layer layer = sprite("bent", {.icon = "op"});
    layer.meshTransform = 1;
    layer.meshDivision = 4;
    layer.meshCombinators = {mb::MeshCombinator{.rawMeshes = {first, second}, .neutralIndex = 0, .key = "v"}};
    Stage s(stillTimeline({layer}), {}, addOpaqueIcon);
    s.player.progress(1);
    // Resting at its neutral mesh the layer has no points: a plain rectangle.
    EXPECT_TRUE(s.node(1).meshPoints.empty());
    EXPECT_EQ(s.node(1).draw.grid.columns, 1);
    s.player.setVariable("v", 1.0f);
    s.player.progress(1);
    ASSERT_EQ(s.node(1).meshPoints.size(), 32u);
    EXPECT_EQ(s.node(1).meshPoints, std::vector<float>(second.begin(), second.end()));
    ASSERT_NE(s.player.renderList()[0]->meshPatch, nullptr);
    // The doubled patch stretches the 64 by 32 picture to 128 by 64.
    const MMotionVertexGrid& grid = s.node(1).draw.grid;
    EXPECT_EQ(grid.columns, 3);
    EXPECT_EQ(grid.rows, 3);
    EXPECT_NEAR(grid.points[grid.points.size() - 2], 128.0f, 1e-3f);
    EXPECT_NEAR(grid.points.back(), 64.0f, 1e-3f);
}

// --- streams ---

// Ten frames, frame k drawing one 1 by 1 cell of opacity 10 k at depth k.
mb::Stream tenFrames() {
    mb::Stream st{.maxLayerCount = 2, .vertices = {{0, 0}, {4, 0}, {0, 4}, {4, 4}}, .meshes = {{0, 4, 1, 1}}};
    st.colors = {{0x808080ffu, 0x808080ffu, 0x808080ffu, 0x808080ffu}};
    st.sources = {{"src", "i0"}};
    for (uint16_t k = 0; k < 10; ++k) {
        st.z.push_back(float(k));
        st.layers.push_back({0, 0x10, 0, 0, 0, k, uint16_t(10 * k)});
        st.frameIndices.push_back(k);
        st.frames.push_back({k, uint16_t(k + 1)});
    }
    return st;
}

mb::Timeline streamed(mb::Stream stream) {
    return mb::Timeline{.lastTime = 10, .stream = std::move(stream)};
}

TEST(MotionStream, ATimePastTheEndPlaysTheLastTimeLessOne) {
    Stage s(streamed(tenFrames()));
    s.player.setPosition(100, 50);
    s.player.setTime(4);
    s.player.progress(0);
    ASSERT_EQ(s.player.renderList().size(), 1u);
    EXPECT_EQ(s.player.renderList()[0]->opacity, 40u);
    EXPECT_EQ(s.player.renderList()[0]->grid->points, (std::vector<float>{100, 50, 104, 50, 100, 54, 104, 54}));
    s.player.setTime(50);
    s.player.progress(0);
    ASSERT_EQ(s.player.renderList().size(), 1u);
    EXPECT_EQ(s.player.renderList()[0]->opacity, 90u);
}

TEST(MotionStream, AHiddenRootDrawsNothingAndKeepsItsItems) {
    Stage s(streamed(tenFrames()));
    s.player.setTime(3);
    s.player.progress(0);
    ASSERT_EQ(s.player.renderList().size(), 1u);
    s.player.setShown(false);
    s.player.progress(0);
    EXPECT_TRUE(s.player.renderList().empty());
    ASSERT_NE(s.player.stream(), nullptr);
    EXPECT_EQ(s.player.stream()->items()[0].opacity, 30u);
}

TEST(MotionStream, TheRootsOpacityAndColourReachEveryCorner) {
    Stage s(streamed(tenFrames()));
    s.player.setOpacity(128);
    s.player.setBaseColor(0x408080ffu);
    s.player.setTime(9);
    s.player.progress(0);
    ASSERT_EQ(s.player.renderList().size(), 1u);
    const MMotionRenderItem& item = *s.player.renderList()[0];
    EXPECT_EQ(item.opacity, 90u * 128 / 255);
    EXPECT_EQ(corners(item), std::vector<uint32_t>(4, 0x40808080u));
}

// A frame listing more layers than "maxLayerCount", and layers naming rows
// past their tables, draw what is sound and never read past an array.
TEST(MotionStream, IndicesOutsideTheirTablesAreSkipped) {
    mb::Stream st = tenFrames();
    st.maxLayerCount = 3;
    st.layers.push_back({0, 0x10, 0, 7, 0, 0, 1});    // 10: no such mesh
    st.layers.push_back({0, 0x10, 0, 0, 9, 0, 2});    // 11: no such colour
    st.layers.push_back({0, 0x10, 0, 0, 0, 99, 3});   // 12: no such depth
    st.layers.push_back({5, 0x10, 0, 0, 0, 0, 4});    // 13: no such source
    st.meshes.push_back({0, 3, 1, 1});                // 1: three vertices for four points
    st.layers.push_back({0, 0x10, 0, 1, 0, 0, 5});    // 14: a mesh that doesn't fit its cells
    const uint16_t first = uint16_t(st.frameIndices.size());
    for (uint16_t k : {10, 11, 200, 12, 13, 14, 1, 2, 3, 4}) st.frameIndices.push_back(k);
    st.frames[9] = {first, uint16_t(first + 10)};
    Stage s(streamed(st));
    s.player.setTime(9);
    s.player.progress(0);
    std::vector<uint32_t> opacities;
    for (const MMotionRenderItem* item : s.player.renderList()) opacities.push_back(item->opacity);
    EXPECT_EQ(opacities, (std::vector<uint32_t>{10, 20, 30}));
}

TEST(MotionStream, AFrameOutsideTheFrameTableDrawsNothing) {
    mb::Stream st = tenFrames();
    st.frames.resize(3);
    Stage s(streamed(st));
    s.player.setTime(8);
    s.player.progress(0);
    EXPECT_TRUE(s.player.renderList().empty());
}

}  // namespace
