#include "engine/motion/motion_nested.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/motion/motion_particles.h"
#include "tests/engine/motion/motion_world_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using worldfixture::held;
using worldfixture::playing;
using worldfixture::timeline;
using worldfixture::World;

constexpr float kNear = 1e-4f;

mb::Layer nested(const std::string& label, std::vector<mb::Frame> frames) {
    return mb::Layer{.label = label, .type = mb::kNestedMotion, .frames = std::move(frames)};
}

std::unique_ptr<World> world(std::map<std::string, mb::Motion> motions, float speed = 1) {
    auto w = std::make_unique<World>(std::move(motions));
    w->player.setSpeed(speed);
    w->player.play("m", 0);
    return w;
}

MMotionPlayer& inner(World& w, size_t node = 1) { return *w.node(node).nestedPlayer; }

// Each new frame starts its motion at the layer's time into the frame plus
// the frame's offset; the first step holds time 0.
TEST(MotionNested, RestartsAtEveryNewFrame) {
    const auto w = world({
        {"m", timeline(100, {nested("n", {mb::holdFrame(0, playing("a", 5)), mb::holdFrame(10, playing("b")),
                                          mb::holdFrame(20, playing("a", 2)), mb::holdFrame(100, playing("a", 2))})})},
        {"a", timeline(100, {})},
        {"b", timeline(100, {})},
    });
    w->player.progress(1);
    EXPECT_EQ(inner(*w).motionName(), "a");
    EXPECT_FLOAT_EQ(inner(*w).time(), 5);
    w->player.progress(1);
    EXPECT_FLOAT_EQ(inner(*w).time(), 6);
    w->runTo(10);
    EXPECT_EQ(inner(*w).motionName(), "b");
    EXPECT_FLOAT_EQ(inner(*w).time(), 0);
    w->runTo(15);
    EXPECT_FLOAT_EQ(inner(*w).time(), 5);
    w->runTo(20);
    EXPECT_EQ(inner(*w).motionName(), "a");
    EXPECT_FLOAT_EQ(inner(*w).time(), 2);
}

TEST(MotionNested, AnEmptyFrameStopsAndReleasesTheNestedMotion) {
    const auto w = world({
        {"m", timeline(100, {nested("n", {mb::holdFrame(0, playing("a")), mb::emptyFrame(5),
                                          mb::holdFrame(8, playing("a", 3)), mb::holdFrame(100, playing("a"))})})},
        {"a", timeline(100, {worldfixture::held("x", mb::kGroup, {})})},
    });
    w->runTo(4);
    EXPECT_TRUE(inner(*w).playing());
    EXPECT_EQ(inner(*w).nodes().size(), 2u);
    w->runTo(5);
    EXPECT_FALSE(inner(*w).playing());
    EXPECT_EQ(inner(*w).nodes().size(), 1u);
    EXPECT_EQ(inner(*w).motionName(), "");
    w->runTo(8);
    EXPECT_TRUE(inner(*w).playing());
    EXPECT_FLOAT_EQ(inner(*w).time(), 3);
}

TEST(MotionNested, NestedEventsComeBeforeTheParentsOwn) {
    const auto w = world({
        {"m", timeline(100, {held("outer", mb::kGroup, {.action = "parent"}),
                             nested("n", {mb::holdFrame(0, playing("a")), mb::holdFrame(100, playing("a"))})})},
        {"a", timeline(100, {held("deep", mb::kGroup, {.action = "child"})})},
    });
    w->player.progress(1);
    EXPECT_EQ(w->recorder.events, (std::vector<std::string>{"deep:child", "outer:parent"}));
}

// Direction 1 adds the offset to the layer's angle and turns the nested
// root's matrix by the offset against the layer's.
TEST(MotionNested, TurnsByTheLayersAngleAndOffset) {
    mb::Content content = playing("a");
    content.angle = 30;
    content.motion->dt = 1;
    content.motion->dofst = 90;
    const auto w = world({
        {"m", timeline(100, {nested("n", {mb::holdFrame(0, content), mb::holdFrame(100, content)})})},
        {"a", timeline(100, {})},
    });
    w->player.progress(1);
    const MMotionLayerNode& root = inner(*w).nodes()[0];
    EXPECT_NEAR(root.state.angle, 120, kNear);
    const float r = 120 * 3.1415927f / 180;
    EXPECT_NEAR(root.matrix.a, std::cos(r), kNear);
    EXPECT_NEAR(root.matrix.b, -std::sin(r), kNear);
    EXPECT_NEAR(root.matrix.c, std::sin(r), kNear);
    EXPECT_NEAR(root.matrix.d, std::cos(r), kNear);
}

// A frame moving 10 right and 10 down: the path's direction is 45 degrees,
// and the movement's too once the nested player has been evaluated.
TEST(MotionNested, TurnsAlongThePathThenTheMovement) {
    mb::Content from = playing("a");
    from.motion->dt = 2;
    mb::Content to = from;
    to.coord = mb::Vec3{10, 10, 0};
    const auto w = world({
        {"m", timeline(100, {nested("n", {mb::tweenFrame(0, from), mb::holdFrame(10, to), mb::holdFrame(100, to)})})},
        {"a", timeline(100, {})},
    });
    w->player.progress(1);
    EXPECT_NEAR(inner(*w).nodes()[0].state.angle, 45, kNear);
    w->player.progress(1);
    EXPECT_NEAR(inner(*w).nodes()[0].local.angle, 45, kNear);
    EXPECT_NEAR(inner(*w).nodes()[0].local.x, 1, kNear);
}

// Going backward, a start past the nested motion's end folds into its loop;
// a loop time at its last time does not loop, and must not fold forever.
TEST(MotionNested, FoldsTheStartIntoALoopOnlyWhenTheMotionLoops) {
    const struct {
        float loopTime;
        float time;
    } cases[] = {{10, 20}, {50, 100}, {60, 100}};
    for (const auto& c : cases) {
        const auto w = world(
            {
                {"m", timeline(100, {nested("n", {mb::holdFrame(0, playing("a")), mb::holdFrame(200, playing("a"))})})},
                {"a", timeline(50, {}, c.loopTime)},
            },
            -1);
        w->player.progress(1);
        EXPECT_FLOAT_EQ(inner(*w).time(), c.time) << c.loopTime;
    }
}

// A motion that nests itself plays to the nesting limit and no deeper.
TEST(MotionNested, StopsAtTheNestingLimit) {
    const auto w = world({
        {"m", timeline(100, {nested("n", {mb::holdFrame(0, playing("m")), mb::holdFrame(100, playing("m"))})})},
    });
    w->player.progress(1);
    w->player.progress(1);
    int playingDepth = 0;
    for (MMotionPlayer* p = &w->player; p->nodes().size() > 1 && p->nodes()[1].nestedPlayer;
         p = p->nodes()[1].nestedPlayer.get()) {
        if (p->nodes()[1].nestedPlayer->playing()) ++playingDepth;
    }
    EXPECT_EQ(playingDepth, MMotionParticles::kMaxNesting);
}

// Three layers that each nest the motion itself would make 3 to the 16th
// players; the root's budget ends the growth within the step.
TEST(MotionNested, AMotionNestingItselfInSeveralLayersKeepsToThePlayerBudget) {
    const auto self = [] { return std::vector{mb::holdFrame(0, playing("m")), mb::holdFrame(100, playing("m"))}; };
    const auto w = world({
        {"m", timeline(100, {nested("a", self()), nested("b", self()), nested("c", self())})},
    });
    for (int step = 0; step < 3; ++step) w->player.progress(1);
    EXPECT_GE(w->player.descendantCount(), MMotionParticles::kMaxPlayers);
    // Each player that passed the budget check may still attach its three
    // empty layer players.
    EXPECT_LE(w->player.descendantCount(), MMotionParticles::kMaxPlayers + 3);
}

}  // namespace
