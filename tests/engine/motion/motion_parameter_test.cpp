#include "engine/motion/motion_parameter.h"

#include <gtest/gtest.h>

#include "engine/motion/motion_player.h"
#include "tests/engine/motion/motion_player_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using playerfixture::Driver;
using playerfixture::shipDocument;

struct Mapping {
    float begin;
    float end;
    float division;
    bool discretization;
    float value;
    float mapped;
};

TEST(MotionParameter, MapsValuesOntoFramePositions) {
    const Mapping cases[] = {
        {0, 10, 5, false, 4, 2},      {0, 10, 5, false, -3, 0},   {0, 10, 5, false, 12, 5},
        {10, 0, 5, false, 4, 3},      {10, 0, 5, false, 12, 0},   {0, 10, 0, false, 4, 0},
        {0, 10, -2, false, 4, 0},     {3, 3, 5, false, 3, 0},     {0, 1, 10, false, 0.55f, 5.5f},
        {0, 1, 10, true, 0.55f, 0},   {0, 10, 5, true, 4.9f, 2},  {-10, 0, 5, true, -4.9f, 3},
    };
    for (const Mapping& c : cases) {
        SCOPED_TRACE(testing::Message() << c.begin << ".." << c.end << " / " << c.division << " <- " << c.value);
        MMotionParameter p{.id = "p", .discretization = c.discretization, .rangeBegin = c.begin, .rangeEnd = c.end,
                           .division = c.division, .changed = true};
        p.map(c.value);
        EXPECT_FLOAT_EQ(p.value, c.mapped);
        EXPECT_FALSE(p.changed);
    }
}

TEST(MotionParameter, SplitsScopedNames) {
    const std::tuple<const char*, bool, const char*, const char*> cases[] = {
        {"speed", false, "", ""},
        {"arm/speed", true, "arm", "speed"},
        {"body/arm::speed", true, "body/arm", "speed"},
        {"a::b::c", true, "a::b", "c"},
        {"a::b/c", true, "a", "b/c"},
    };
    for (const auto& [full, scoped, scope, name] : cases) {
        std::string s;
        std::string n;
        EXPECT_EQ(splitScopedName(full, s, n), scoped) << full;
        EXPECT_EQ(s, scope) << full;
        EXPECT_EQ(n, name) << full;
    }
    EXPECT_EQ(trimSpaces("  a b  "), "a b");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(splitTrimmed(" a /  b/", "/"), (std::vector<std::string>{"a ", "b"}));
    EXPECT_EQ(splitTrimmed("a//b", "/"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(splitTrimmed("  ", "/").empty());
}

// The root motion "body" has a nested-motion layer "gun" inside the group
// "arm", another "gun" at the top and a particle layer "sparks"; every
// nested motion is "aim", whose parameter "angle" maps 0..10 onto 0..5.
class MotionVariables : public testing::Test {
protected:
    void SetUp() override {
        M_SPEC = "win";
        mb::Layer gun{.label = "gun", .type = mb::kNestedMotion};
        mb::Layer arm{.label = "arm", .type = mb::kGroup, .children = {gun}};
        mb::Layer sparks{.label = "sparks", .type = mb::kParticleEmitter};
        mb::Timeline body{.lastTime = 10, .layers = {arm, gun, sparks}};
        mb::Timeline aim{.lastTime = 10, .parameters = {mb::Parameter{.id = "angle", .rangeEnd = 10, .division = 5}}};
        mb::Timeline driven = aim;
        driven.parameterize = 0;
        mb::Timeline tail{.lastTime = 10, .layers = {mb::Layer{.label = "tip", .type = mb::kGroup}}};
        document = shipDocument({{"body", body}, {"aim", aim}, {"driven", driven}, {"tail", tail}});
        manager.loadMotion(document.get());
        root.setTimelineDriver(driver);
        root.play("body", 0);
        ASSERT_EQ(root.nodes().size(), 5u);  // root, arm, arm/gun, gun, sparks
    }
    void TearDown() override { M_SPEC.clear(); }

    MMotionPlayer& nest(MMotionPlayer& parent, size_t node, const std::string& motion) {
        auto& slot = parent.nodes()[node].nestedPlayer;
        slot = std::make_unique<MMotionPlayer>(manager, "ship", parent);
        slot->setTimelineDriver(driver);
        slot->play(motion, 0);
        return *slot;
    }

    MMotionPlayer& spark(const std::string& motion) {
        auto& particles = root.nodes()[4].particlePlayers;
        particles.push_back(std::make_unique<MMotionPlayer>(manager, "ship", root));
        particles.back()->play(motion, 0);
        return *particles.back();
    }

    playerfixture::Manager manager;
    std::unique_ptr<PSBObject> document;
    Driver driver;
    MMotionPlayer root{manager, "ship"};
};

float angleOf(const MMotionPlayer& player) { return player.parameters().at(0).value; }

TEST_F(MotionVariables, AScopedNameReachesOnlyItsOwnLayers) {
    MMotionPlayer& armGun = nest(root, 2, "aim");
    MMotionPlayer& gun = nest(root, 3, "aim");
    MMotionPlayer& particle = spark("aim");
    root.setVariable("arm/gun::angle", 4);
    EXPECT_FLOAT_EQ(angleOf(armGun), 2.0f);
    EXPECT_FLOAT_EQ(angleOf(gun), 0.0f);
    EXPECT_FLOAT_EQ(angleOf(particle), 0.0f);
    // The chain is cut to the scope's length, so "gun" names both guns.
    root.setVariable("gun::angle", 6);
    EXPECT_FLOAT_EQ(angleOf(armGun), 3.0f);
    EXPECT_FLOAT_EQ(angleOf(gun), 3.0f);
    root.setVariable(" sparks /angle", 8);
    EXPECT_FLOAT_EQ(angleOf(particle), 4.0f);
    EXPECT_FLOAT_EQ(angleOf(gun), 3.0f);
    root.setVariable("nowhere/angle", 10);
    EXPECT_FLOAT_EQ(angleOf(gun), 3.0f);
}

TEST_F(MotionVariables, AnUnscopedNameReachesEveryDescendant) {
    MMotionPlayer& gun = nest(root, 3, "body");
    MMotionPlayer& deep = nest(gun, 2, "aim");
    root.setVariable("angle", 10);
    EXPECT_FLOAT_EQ(angleOf(deep), 5.0f);
    // Reloading the deep timeline withdraws its old parameter everywhere.
    deep.play("aim", kMotionPlayForce);
    EXPECT_FLOAT_EQ(angleOf(deep), 0.0f);
    root.setVariable("angle", 2);
    EXPECT_FLOAT_EQ(angleOf(deep), 1.0f);
}

TEST_F(MotionVariables, AValueSetBeforePlayBecomesTheInitialValue) {
    MMotionPlayer& gun = nest(root, 3, "body");
    gun.setVariable("angle", 4);
    gun.play("aim", kMotionPlayForce);
    EXPECT_FLOAT_EQ(angleOf(gun), 2.0f);
    // A scoped value of an ancestor, sent through the layer holding the player.
    root.setVariable("arm/gun::angle", 6);
    root.setVariable("arm/gun::angles", 8);
    EXPECT_FLOAT_EQ(angleOf(nest(root, 2, "aim")), 3.0f);
    EXPECT_FLOAT_EQ(angleOf(nest(root, 3, "aim")), 0.0f);
}

TEST_F(MotionVariables, AParameterDrivesTheTimeline) {
    MMotionPlayer& gun = nest(root, 3, "driven");
    root.setVariable("angle", 6);
    gun.advance(1.0f);
    EXPECT_FLOAT_EQ(gun.time(), 3.0f);
    root.setVariable("angle", 2);
    driver.scans.clear();
    gun.advance(1.0f);
    EXPECT_FLOAT_EQ(gun.time(), 1.0f);
    EXPECT_EQ(driver.scans, (std::vector<playerfixture::Scan>{{MMotionScan::Backward, 1}}));
}

TEST_F(MotionVariables, ALayerTreeReleaseRebindsScopes) {
    root.setVariable("gun::angle", 6);
    root.play("body", kMotionPlayForce);
    MMotionPlayer& gun = nest(root, 3, "aim");
    root.setVariable("gun::angle", 8);
    EXPECT_FLOAT_EQ(angleOf(gun), 4.0f);
}

TEST_F(MotionVariables, FindsLayersThroughNestedPlayers) {
    MMotionPlayer& gun = nest(root, 3, "tail");
    int32_t index = -1;
    ASSERT_TRUE(root.findLayerIndex("sparks", index));
    EXPECT_EQ(index, 4);
    ASSERT_TRUE(root.findLayerIndex("tip", index));
    EXPECT_EQ(index, 6);
    EXPECT_EQ(root.getLayerNode(6), &gun.nodes()[1]);
    EXPECT_EQ(root.getLayerNode(7), nullptr);
    EXPECT_EQ(root.getLayerNode(-1), nullptr);
    EXPECT_FALSE(root.findLayerIndex("missing", index));
    EXPECT_EQ(root.findLayerNode("arm"), &root.nodes()[1]);
    EXPECT_EQ(root.findLayerNode("tip"), nullptr);
    // Replacing the nested player leaves no trace of the old one.
    nest(root, 3, "aim");
    EXPECT_FALSE(root.findLayerIndex("tip", index));
}

TEST_F(MotionVariables, DepthReachesEveryNestedPlayer) {
    MMotionPlayer& gun = nest(root, 3, "body");
    MMotionPlayer& deep = nest(gun, 2, "aim");
    MMotionPlayer& particle = spark("aim");
    root.setZ(2.5f);
    EXPECT_FLOAT_EQ(deep.z(), 2.5f);
    EXPECT_FLOAT_EQ(particle.z(), 2.5f);
}

TEST(MotionLayerNode, TakesMeshPointsOfAControlPointMeshOnly) {
    MMotionLayerNode node;
    node.state.changed = false;
    float points[32];
    for (int i = 0; i < 32; ++i) points[i] = float(i);
    node.setMeshPoints(2, points);
    EXPECT_TRUE(node.meshPoints.empty());
    EXPECT_FALSE(node.state.changed);
    node.setMeshPoints(1, points);
    ASSERT_EQ(node.meshPoints.size(), 32u);
    EXPECT_EQ(node.meshPoints[31], 31.0f);
    EXPECT_TRUE(node.state.changed && node.meshChanged);
    node.setMeshPoints(1, nullptr);
    EXPECT_TRUE(node.meshPoints.empty());
}

}  // namespace
