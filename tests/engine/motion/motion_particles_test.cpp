#include "engine/motion/motion_particles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/motion/motion_world_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using worldfixture::timeline;
using worldfixture::World;

constexpr float kParticleNear = 1e-4f;

mb::Layer emitter(mb::ParticleEmitter e, mb::ParticleSettings settings, std::vector<mb::Frame> frames = {}) {
    if (e.motions.empty()) e.motions = {{"ship", "spark"}};
    if (frames.empty()) {
        const mb::Content content{.particle = settings};
        frames = {mb::holdFrame(0, content), mb::holdFrame(1000, content)};
    }
    return mb::Layer{.label = "emitter", .type = mb::kParticleEmitter, .frames = std::move(frames), .particle = e};
}

mb::ParticleSettings continuous(float fmin, float fmax) {
    return mb::ParticleSettings{.trigger = 0, .frequency = std::pair{fmin, fmax}};
}

mb::ParticleSettings burst(float fmin, float fmax) {
    return mb::ParticleSettings{.trigger = 1, .frequency = std::pair{fmin, fmax}};
}

// The emitter's motion "m" and a particle motion "spark" of sparkLast frames.
std::unique_ptr<World> world(mb::Layer layer, float sparkLast = 500, std::optional<mb::ScreenSize> screen = {}) {
    mb::Timeline spark = timeline(sparkLast, {});
    spark.bounds = {-1, -1, 1, 1};
    auto w = std::make_unique<World>(std::map<std::string, mb::Motion>{{"m", timeline(1000, {std::move(layer)})}, {"spark", spark}}, screen);
    w->player.play("m", 0);
    return w;
}

std::vector<size_t> liveCounts(World& w, int steps) {
    std::vector<size_t> counts;
    for (int i = 0; i < steps; ++i) {
        w.player.progress(1);
        counts.push_back(w.node(1).particlePlayers.size());
    }
    return counts;
}

TEST(MotionParticles, EmitsEveryTwoStepsAtThirtyASecondFromTheStepAfterActivation) {
    const auto w = world(emitter({.maxNum = 100}, continuous(30, 30)));
    EXPECT_EQ(liveCounts(*w, 7), (std::vector<size_t>{0, 1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(w->node(1).particlePlayers.front()->motionName(), "spark");
}

// A rate that gives no positive interval, or one too small to move the
// timer, emits nothing and still ends the step.
TEST(MotionParticles, EmitsNothingWithoutAPositiveInterval) {
    const std::pair<float, float> rates[] = {{0, 30}, {0, 0}, {-30, -30}, {1e12f, 1e12f}};
    for (const auto& [fmin, fmax] : rates) {
        const auto w = world(emitter({.maxNum = 100}, continuous(fmin, fmax)));
        const std::vector<size_t> counts = liveCounts(*w, 20);
        EXPECT_EQ(counts.back(), 0u) << fmin << " " << fmax;
    }
}

TEST(MotionParticles, BurstsThreeToFourOnEveryNewFrame) {
    const mb::Content content{.particle = burst(3, 5)};
    const auto w = world(emitter({.maxNum = 100}, {}, {mb::holdFrame(0, content), mb::holdFrame(10, content),
                                                   mb::holdFrame(20, content), mb::holdFrame(1000, content)}));
    std::vector<int> burstSteps;
    size_t before = 0;
    for (int step = 1; step <= 30; ++step) {
        w->player.progress(1);
        const size_t now = w->node(1).particlePlayers.size();
        if (now != before) {
            burstSteps.push_back(step);
            EXPECT_GE(now - before, 3u);
            EXPECT_LE(now - before, 4u);
        }
        before = now;
    }
    // The first step holds time 0; time 10 comes in step 11.
    EXPECT_EQ(burstSteps, (std::vector<int>{1, 11, 21}));
}

TEST(MotionParticles, DestroysTheOldestParticleBeyondTheMaximum) {
    const auto w = world(emitter({.maxNum = 10}, continuous(60, 60)));
    liveCounts(*w, 10);
    std::vector<MMotionPlayer*> live;
    for (auto& p : w->node(1).particlePlayers) live.push_back(p.get());
    ASSERT_EQ(live.size(), 10u);
    w->player.progress(1);
    const auto& now = w->node(1).particlePlayers;
    ASSERT_EQ(now.size(), 10u);
    EXPECT_EQ(now.front().get(), live[1]);
    EXPECT_EQ(now[8].get(), live[9]);
}

TEST(MotionParticles, ABurstBeyondTheMaximumKeepsOnlyTheMaximum) {
    const auto w = world(emitter({.maxNum = 4}, burst(50, 50)));
    w->player.progress(1);
    EXPECT_EQ(w->node(1).particlePlayers.size(), 4u);
}

// Born 30 units out with a motion of 60 frames: half a unit per frame
// towards the emitter.
TEST(MotionParticles, FliesHomeInTheParticleMotionsTime) {
    const mb::Content content{.origin = std::array<float, 2>{-30, 0}, .particle = burst(1, 1)};
    const auto w = world(emitter({.maxNum = 10, .flyDirection = 2, .accelRatio = 1.0f}, {},
                            {mb::holdFrame(0, content), mb::holdFrame(1000, content)}),
                    60);
    w->player.progress(1);
    ASSERT_EQ(w->node(1).particlePlayers.size(), 1u);
    MMotionPlayer& q = *w->node(1).particlePlayers[0];
    EXPECT_NEAR(q.timelineState().drift[0], -0.5f, kParticleNear);
    EXPECT_NEAR(q.timelineState().drift[1], 0.0f, kParticleNear);
    EXPECT_NEAR(q.nodes()[0].local.x, 29.5f, kParticleNear);
}

TEST(MotionParticles, HomingSpeedIsZeroWhereNoFiniteSpeedReachesHome) {
    EXPECT_NEAR(MMotionParticles::homingSpeed(30, 60, 1.0f), 0.5f, kParticleNear);
    EXPECT_NEAR(MMotionParticles::homingSpeed(30, 60, 2.0f), std::log(2.0f) * 30.0f / 60.0f, kParticleNear);
    EXPECT_EQ(MMotionParticles::homingSpeed(30, 0, 1.0f), 0.0f);
    EXPECT_EQ(MMotionParticles::homingSpeed(30, 60, 0.0f), 0.0f);
    EXPECT_EQ(MMotionParticles::homingSpeed(30, 60, -2.0f), 0.0f);
}

// The screen is 100 by 100 about the origin; the deletion edge lies 5
// units further out.
TEST(MotionParticles, DeletesOutsideTheScreenOnlyWhatHasBeenOnIt) {
    const mb::ScreenSize screen{.width = 100, .height = 100};
    const mb::ParticleEmitter e{.maxNum = 10, .deleteOutsideScreen = true};
    mb::ParticleSettings moving = burst(1, 1);
    moving.speed = std::pair{5.0f, 5.0f};
    auto insideWorld = world(emitter(e, moving), 500, screen);
    World& inside = *insideWorld;
    mb::Layer far = emitter(e, burst(1, 1));
    for (mb::Frame& f : far.frames) f.content.coord = mb::Vec3{200, 0, 0};
    auto outsideWorld = world(far, 30, screen);
    World& outside = *outsideWorld;
    int insideGone = 0;
    for (int step = 1; step <= 40; ++step) {
        inside.player.progress(1);
        outside.player.progress(1);
        if (insideGone == 0 && inside.node(1).particlePlayers.empty()) insideGone = step;
        if (step <= 30) {
            EXPECT_EQ(outside.node(1).particlePlayers.size(), 1u) << step;
        }
    }
    // After 12 steps the left edge (5 a step, less 1) is past 55; the next
    // step removes it.
    EXPECT_EQ(insideGone, 13);
    // The far particle goes when its motion ends.
    EXPECT_TRUE(outside.node(1).particlePlayers.empty());
}

TEST(MotionParticles, HidingTheEmitterStopsEmissionAndShowingStartsAFreshInterval) {
    const auto w = world(emitter({.maxNum = 100}, continuous(30, 30)));
    liveCounts(*w, 2);
    ASSERT_EQ(w->node(1).particlePlayers.size(), 1u);
    w->player.setShown(false);
    liveCounts(*w, 5);
    EXPECT_EQ(w->node(1).particlePlayers.size(), 1u);
    w->player.setShown(true);
    // The 2 frames left gain a whole new interval, cut back to the longest
    // one: the first step leaves 2 frames to go.
    EXPECT_EQ(liveCounts(*w, 4), (std::vector<size_t>{1, 1, 2, 2}));
}

// A particle motion that emits itself: the chain stops at the nesting limit.
TEST(MotionParticles, StopsEmittingAtTheNestingLimit) {
    const auto w = world(emitter({.maxNum = 10}, burst(1, 1)));
    w->player.progress(1);
    // "spark" itself has no emitter; a motion that emits itself does.
    World self({{"m", timeline(1000, {emitter({.maxNum = 10, .motions = {{"ship", "m"}}}, burst(1, 1))})}});
    self.player.play("m", 0);
    self.player.progress(1);
    int depth = 0;
    for (MMotionPlayer* p = &self.player; !p->nodes()[1].particlePlayers.empty();
         p = p->nodes()[1].particlePlayers[0].get()) {
        ++depth;
        ASSERT_EQ(p->nodes().size(), 2u);
    }
    EXPECT_EQ(depth, MMotionParticles::kMaxNesting);
}

TEST(MotionParticles, CarriesLiveParticlesWithTheEmitter) {
    mb::Layer layer = emitter({.maxNum = 10, .inheritVelocity = 2}, {},
                              {mb::tweenFrame(0, {.coord = mb::Vec3{0, 0, 0}, .particle = burst(1, 1)}),
                               mb::holdFrame(10, {.coord = mb::Vec3{10, 0, 0}, .particle = burst(1, 1)}),
                               mb::holdFrame(1000, {.coord = mb::Vec3{10, 0, 0}, .particle = burst(1, 1)})});
    const auto w = world(layer);
    w->player.progress(1);
    ASSERT_EQ(w->node(1).particlePlayers.size(), 1u);
    MMotionPlayer* first = w->node(1).particlePlayers[0].get();
    w->runTo(5);
    EXPECT_NEAR(first->nodes()[0].local.x, 5.0f, kParticleNear);
}

}  // namespace
