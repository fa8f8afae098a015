// Nested motions and particles under the layers of the tree above them: the
// clip rectangle, the stencil composite and the mesh host that hold the
// layer reach the items of the players it carries.
#include "engine/motion/motion_outer_links.h"

#include <gtest/gtest.h>

#include <variant>

#include "engine/motion/motion_neutral_grid.h"
#include "tests/engine/motion/motion_world_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using worldfixture::timeline;
using worldfixture::World;

mb::Content outerLinksPicture() { return mb::Content{.src = "src", .icon = "i0"}; }

mb::Layer outerLinksHeld(const std::string& label, int type, mb::Content content, std::vector<mb::Layer> children = {}) {
    return mb::Layer{.label = label,
                     .type = type,
                     .frames = {mb::holdFrame(0, content), mb::holdFrame(1000, content)},
                     .children = std::move(children)};
}

// A sprite bent by the mesh hosts above it.
mb::Layer outerLinksSprite(const std::string& label) {
    mb::Layer sprite = outerLinksHeld(label, mb::kSprite, outerLinksPicture());
    sprite.inheritMask |= mb::kBendByMeshHosts;
    return sprite;
}

// The layer that carries the motion "inner": a nested motion, or an emitter
// of one still particle from its second step on.
enum class Carrier { kNested, kParticle };

mb::Layer outerLinksCarrier(Carrier carrier) {
    if (carrier == Carrier::kNested) {
        return outerLinksHeld("carrier", mb::kNestedMotion,
                              mb::Content{.src = "ship", .icon = "inner", .motion = mb::NestedSettings{}});
    }
    mb::Layer emitter = outerLinksHeld(
        "carrier", mb::kParticleEmitter,
        mb::Content{.particle = mb::ParticleSettings{.trigger = 0, .frequency = std::pair{30.0f, 30.0f}}});
    emitter.particle = mb::ParticleEmitter{.maxNum = 1, .motions = {{"ship", "inner"}}};
    return emitter;
}

std::unique_ptr<World> outerLinksWorld(mb::Layer holder) {
    mb::Timeline inner = timeline(1000, {outerLinksSprite("s")});
    inner.bounds = {-4, -4, 4, 4};
    auto w = std::make_unique<World>(
        std::map<std::string, mb::Motion>{{"m", timeline(1000, {std::move(holder)})}, {"inner", inner}});
    w->player.play("m", 0);
    for (int i = 0; i < 4; ++i) w->player.progress(1);
    return w;
}

// The sprite of the motion the carrier (node `carrier`) plays.
MMotionRenderItem& innerItem(World& w, size_t carrier, Carrier kind) {
    MMotionLayerNode& node = w.node(carrier);
    MMotionPlayer* inner = kind == Carrier::kNested ? node.nestedPlayer.get()
                                                     : (node.particlePlayers.empty() ? nullptr
                                                                                     : node.particlePlayers.front().get());
    EXPECT_NE(inner, nullptr);
    if (!inner) std::abort();
    return inner->nodes().at(1).draw.item;
}

const Carrier kOuterLinksCarriers[] = {Carrier::kNested, Carrier::kParticle};

TEST(MotionOuterLinks, AnEnclosingClipRectangleClipsTheCarriedItems) {
    for (Carrier kind : kOuterLinksCarriers) {
        SCOPED_TRACE(kind == Carrier::kNested ? "nested" : "particle");
        mb::Layer clip = outerLinksHeld("clip", mb::kClipRect, mb::Content{.coord = mb::Vec3{5, 5, 0}},
                                        {outerLinksCarrier(kind)});
        const auto w = outerLinksWorld(clip);
        const auto& rect = std::get<MMotionClipRecord>(w->node(1).record).rect;
        EXPECT_EQ(innerItem(*w, 2, kind).clip, rect.data());
        EXPECT_EQ(rect[0], -11.0f);
        EXPECT_EQ(rect[3], 21.0f);
    }
}

// A clip layer inside the carried motion keeps to the one outside it.
TEST(MotionOuterLinks, AClipInsideTheCarriedMotionIsCutToTheOneOutside) {
    mb::Timeline inner = timeline(1000, {outerLinksHeld("inside", mb::kClipRect, mb::Content{.coord = mb::Vec3{20, 0, 0}},
                                                        {outerLinksSprite("s")})});
    mb::Layer clip = outerLinksHeld("clip", mb::kClipRect, {}, {outerLinksCarrier(Carrier::kNested)});
    World w(std::map<std::string, mb::Motion>{{"m", timeline(1000, {clip})}, {"inner", inner}});
    w.player.play("m", 0);
    w.player.progress(1);
    w.player.progress(1);
    MMotionPlayer& nested = *w.node(2).nestedPlayer;
    const auto& rect = std::get<MMotionClipRecord>(nested.nodes().at(1).record).rect;
    EXPECT_EQ(rect, (std::array<float, 4>{4.0f, -16.0f, 16.0f, 16.0f}));
    EXPECT_EQ(nested.nodes().at(2).draw.item.clip, rect.data());
}

TEST(MotionOuterLinks, ACarriedMotionInsideAStencilCompositeIsDrawnUnderIt) {
    for (Carrier kind : kOuterLinksCarriers) {
        SCOPED_TRACE(kind == Carrier::kNested ? "nested" : "particle");
        const auto w = outerLinksWorld(
            outerLinksHeld("composite", mb::kStencilComposite, outerLinksPicture(), {outerLinksCarrier(kind)}));
        ASSERT_TRUE(w->node(1).drawn);
        EXPECT_EQ(innerItem(*w, 2, kind).container, &w->node(1).draw.item);
    }
}

// The carried sprite is bent by the host above its carrier exactly as a
// sprite of the host's own tree in the same place.
TEST(MotionOuterLinks, AMeshHostAboveTheCarrierBendsTheCarriedGrid) {
    mb::Content bent = outerLinksPicture();
    bent.mesh = mb::MeshSettings{.points = mb::MeshPoints{}};
    std::copy(kMotionNeutralMeshGrid.begin(), kMotionNeutralMeshGrid.end(), bent.mesh->points->begin());
    (*bent.mesh->points)[2 * 5] += 0.3f;  // an inner control point pulled right
    for (Carrier kind : kOuterLinksCarriers) {
        SCOPED_TRACE(kind == Carrier::kNested ? "nested" : "particle");
        mb::Layer host = outerLinksHeld("host", mb::kSprite, bent, {outerLinksCarrier(kind), outerLinksSprite("own")});
        host.meshTransform = 1;
        host.meshSyncChildMask = 0x8;
        host.meshDivision = 8;
        const auto w = outerLinksWorld(host);
        const MMotionVertexGrid& own = w->node(3).draw.grid;
        const MMotionVertexGrid& carried = *innerItem(*w, 2, kind).grid;
        EXPECT_GT(own.columns, 1);
        EXPECT_EQ(carried.columns, own.columns);
        EXPECT_EQ(carried.rows, own.rows);
        ASSERT_EQ(carried.points.size(), own.points.size());
        for (size_t i = 0; i < own.points.size(); ++i) EXPECT_NEAR(carried.points[i], own.points[i], 1e-4f) << i;
    }
}

TEST(MotionOuterLinks, ATopLevelPlayerIsUnderNothing) {
    const auto w = outerLinksWorld(outerLinksSprite("alone"));
    const MMotionRenderItem& item = w->node(1).draw.item;
    EXPECT_EQ(item.clip, nullptr);
    EXPECT_EQ(item.container, nullptr);
    EXPECT_EQ(motionOuterHost(w->player), nullptr);
    EXPECT_EQ(item.grid->columns, 1);
}

}  // namespace
