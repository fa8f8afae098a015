#include "engine/motion/motion_carry_state.h"

#include <gtest/gtest.h>

#include "tests/engine/motion/motion_world_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using worldfixture::held;
using worldfixture::playing;
using worldfixture::timeline;
using worldfixture::World;

mb::Layer joined(const std::string& label, int type, mb::Content content, std::vector<mb::Layer> children = {}) {
    mb::Layer layer = held(label, type, std::move(content));
    layer.joinTarget = true;
    layer.children = std::move(children);
    return layer;
}

mb::Content at(float x) { return mb::Content{.coord = mb::Vec3{x, 0, 0}}; }

float slotX(World& w, size_t node) {
    const MMotionLayerNode& n = w.node(node);
    return n.slots[n.currentSlot].x;
}

// Plays "a" for a step, then switches to "b" carrying state and steps again.
std::unique_ptr<World> switched(std::map<std::string, mb::Motion> motions) {
    auto w = std::make_unique<World>(std::move(motions));
    w->player.play("a", 0);
    w->player.progress(1);
    w->player.play("b", kMotionPlayCarryState);
    w->player.progress(1);
    return w;
}

mb::Layer parent(const std::string& label, std::vector<mb::Layer> children) {
    mb::Layer layer = held(label, mb::kGroup, {});
    layer.children = std::move(children);
    return layer;
}

TEST(MotionCarryState, PathsRunFromTheOutermostLabel) {
    World w({{"a", timeline(100, {parent("a", {parent("b", {held("c", mb::kGroup, {})})})})}});
    w.player.play("a", 0);
    EXPECT_EQ(MMotionCarryState::layerPath(w.player, 3), "/a/b/c");
    EXPECT_EQ(MMotionCarryState::layerPath(w.player, 1), "/a");
}

// Layers of one label under different parents keep apart; a layer of
// another type at a saved path starts afresh.
TEST(MotionCarryState, JoinsByPathAndTypeOnly) {
    const auto w = switched({
        {"a", timeline(100, {parent("p", {joined("x", mb::kGroup, at(11))}),
                             parent("q", {joined("x", mb::kGroup, at(22))}), joined("s", mb::kGroup, at(33)),
                             held("plain", mb::kGroup, at(44))})},
        {"b", timeline(100, {parent("q", {joined("x", mb::kGroup, at(0))}),
                             parent("p", {joined("x", mb::kGroup, at(0))}), joined("s", mb::kClipRect, at(0)),
                             joined("plain", mb::kGroup, at(0))})},
    });
    EXPECT_FLOAT_EQ(slotX(*w, 2), 22);
    EXPECT_FLOAT_EQ(slotX(*w, 4), 11);
    EXPECT_FLOAT_EQ(slotX(*w, 5), 0);
    // The old layer was not marked, so nothing was saved for it.
    EXPECT_FLOAT_EQ(slotX(*w, 6), 0);
    EXPECT_FLOAT_EQ(w->node(4).state.x, 11);
    EXPECT_EQ(w->player.timelineState().joinCache, nullptr);
}

TEST(MotionCarryState, NestedPlayersAndLiveParticlesGoOverWhole) {
    mb::Layer emitter = joined("e", mb::kParticleEmitter,
                               {.particle = mb::ParticleSettings{.trigger = 1, .frequency = std::pair{2.0f, 2.0f}}});
    emitter.particle = {.maxNum = 10, .motions = {{"ship", "spark"}}};
    mb::Layer gone = joined("gone", mb::kNestedMotion, playing("spark"));
    const std::map<std::string, mb::Motion> motions{
        {"a", timeline(100, {joined("n", mb::kNestedMotion, playing("spark")), emitter, gone})},
        {"b", timeline(100, {emitter, joined("n", mb::kNestedMotion, playing("spark"))})},
        {"spark", timeline(500, {})},
    };
    World w(motions);
    w.player.play("a", 0);
    w.player.progress(1);
    MMotionPlayer* nestedBefore = w.node(1).nestedPlayer.get();
    ASSERT_EQ(w.node(2).particlePlayers.size(), 2u);
    MMotionPlayer* particleBefore = w.node(2).particlePlayers[0].get();
    const float nestedTime = nestedBefore->time();
    w.player.play("b", kMotionPlayCarryState);
    w.player.progress(1);
    EXPECT_EQ(w.node(2).nestedPlayer.get(), nestedBefore);
    // It plays on from where it was rather than starting over.
    EXPECT_FLOAT_EQ(nestedBefore->time(), nestedTime + 1);
    // The new emitter's first frame bursts two more beside the two carried.
    ASSERT_EQ(w.node(1).particlePlayers.size(), 4u);
    EXPECT_EQ(w.node(1).particlePlayers[0].get(), particleBefore);
}

// Variables keep their values where the new motion's current frame is not
// empty; the value cached for one whose frame is empty is dropped.
TEST(MotionCarryState, VariablesKeepTheirValuesUnlessTheNewFrameIsEmpty) {
    mb::Timeline a = timeline(100, {});
    a.variables = {{.label = "v", .frames = {{.time = 0, .value = 7}, {.time = 100, .value = 7}}},
                   {.label = "w", .frames = {{.time = 0, .value = 9}, {.time = 100, .value = 9}}}};
    mb::Timeline b = timeline(100, {});
    b.variables = {{.label = "v", .frames = {{.time = 0, .type = mb::kEmpty}, {.time = 50, .value = 3}, {.time = 100, .value = 3}}},
                   {.label = "w", .frames = {{.time = 0, .value = 1}, {.time = 100, .value = 1}}}};
    const auto w = switched({{"a", a}, {"b", b}});
    const auto& variables = w->player.timelineState().variables;
    ASSERT_EQ(variables.size(), 2u);
    EXPECT_FLOAT_EQ(variables[1].value, 9);
    EXPECT_NE(variables[0].slots[0].value, 7);
    EXPECT_NE(variables[0].slots[1].value, 7);
    w->runTo(50);
    EXPECT_FLOAT_EQ(variables[0].value, 3);
    EXPECT_EQ(w->player.timelineState().joinCache, nullptr);
}

// A switch while the player still holds its first frame saves nothing.
TEST(MotionCarryState, SavesNothingWhileHolding) {
    World w({{"a", timeline(100, {joined("x", mb::kGroup, at(5))})},
             {"b", timeline(100, {joined("x", mb::kGroup, at(0))})}});
    w.player.play("a", 0);
    w.player.play("b", kMotionPlayCarryState);
    EXPECT_EQ(w.player.timelineState().joinCache, nullptr);
    w.player.progress(1);
    EXPECT_FLOAT_EQ(slotX(w, 1), 0);
}

}  // namespace
