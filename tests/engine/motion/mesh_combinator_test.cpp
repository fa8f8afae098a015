// Mesh combinators over layer objects our PSB writer makes: the mesh a
// variable's value picks, shared tracks, resting at neutral, incremental
// steps, and counts or ranges the data can't back.
#include "engine/motion/mesh_combinator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/motion/motion_layer_node.h"
#include "engine/motion/motion_player.h"
#include "tests/engine/motion/curve_document.h"
#include "tests/engine/motion/motion_player_fixture.h"

namespace {

namespace pw = psbwriter;

// meshes raw meshes, mesh m with every coordinate base + m.
pw::Resource rawMeshes(int meshes, float base = 1.0f) {
    pw::Resource r;
    for (int m = 0; m < meshes; ++m) {
        for (int k = 0; k < 32; ++k) {
            const float v = base + float(m);
            uint8_t bytes[4];
            std::memcpy(bytes, &v, 4);
            r.bytes.insert(r.bytes.end(), bytes, bytes + 4);
        }
    }
    return r;
}

struct Spec {
    int storedMeshes;
    int meshCount;
    float begin = 0.0f;
    float end = 1.0f;
    const char* key = "v";
    int neutral = -1;
    float base = 1.0f;
};

pw::Value layerWith(std::initializer_list<Spec> specs) {
    pw::List list;
    for (const Spec& s : specs) {
        pw::Object combinator{
            {"rawMeshList", rawMeshes(s.storedMeshes, s.base)},
            {"variable", pw::Object{{"rangeBegin", s.begin}, {"rangeEnd", s.end}, {"meshCount", s.meshCount},
                                    {"key", s.key}}}};
        if (s.neutral >= 0) combinator["neutralIndex"] = s.neutral;
        list.push_back(std::move(combinator));
    }
    return pw::Object{{"meshCombinator", pw::Object{{"combinatorList", std::move(list)}}}};
}

class MeshCombinatorTest : public testing::Test {
protected:
    MeshCombinatorTest() { node.meshTransform = 1; }

    // Loads the layer with the variable at value and answers the first coordinate of the node's mesh.
    float load(const pw::Value& layer, float value) {
        document = std::make_unique<CurveDocument>(layer);
        player.setVariable("v", value);
        combinators.load(node, document->root());
        return node.meshPoints.empty() ? -1.0f : node.meshPoints[0];
    }
    float step(float value) {
        player.setVariable("v", value);
        combinators.update();
        return node.meshPoints.empty() ? -1.0f : node.meshPoints[0];
    }

    playerfixture::Manager manager;
    MMotionPlayer player{manager, ""};
    MMeshCombinator combinators{player};
    MMotionLayerNode node;
    std::unique_ptr<CurveDocument> document;
};

TEST_F(MeshCombinatorTest, TheValuePicksAndBlendsMeshesAcrossTheRange) {
    load(layerWith({{3, 3, 10.0f, 20.0f}}), 0.0f);
    const struct {
        float value;
        float coordinate;
    } cases[] = {{5, 1}, {10, 1}, {15, 2}, {17.5f, 2.5f}, {20, 3}, {25, 3}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(step(c.value), c.coordinate) << c.value;
    EXPECT_EQ(node.meshPoints.size(), 32u);
}

TEST_F(MeshCombinatorTest, AtOrAfterTheRangeEndTheLastMeshComesExactly) {
    EXPECT_EQ(load(layerWith({{4, 4, 0.0f, 0.3f}}), 0.3f), 4.0f);
    EXPECT_EQ(step(1e30f), 4.0f);
}

TEST_F(MeshCombinatorTest, FurtherCombinatorsAddTheirMeshesAsTheyStand) {
    EXPECT_FLOAT_EQ(load(layerWith({{2, 2}, {2, 2, 0.0f, 1.0f, "w", -1, 10.0f}}), 1.0f), 2.0f + 10.0f);
    player.setVariable("w", 1.0f);
    EXPECT_FLOAT_EQ(step(0.5f), 1.5f + 11.0f);
}

TEST_F(MeshCombinatorTest, CombinatorsOfOneVariableAndRangeShareATrack) {
    load(layerWith({{2, 2}, {2, 2}, {2, 2, 0.0f, 2.0f}}), 0.0f);
    EXPECT_EQ(combinators.trackCount(), 2u);
    EXPECT_FLOAT_EQ(step(1.0f), 2.0f + 2.0f + 1.5f);
}

TEST_F(MeshCombinatorTest, AtNeutralTheLayerHasNoPointsUntilItMovesOff) {
    EXPECT_EQ(load(layerWith({{3, 3, 0.0f, 1.0f, "v", 1}}), 0.5f), -1.0f);
    EXPECT_TRUE(node.meshPoints.empty());
    EXPECT_FLOAT_EQ(step(0.75f), 2.5f);
    EXPECT_EQ(step(0.5f), -1.0f);
}

TEST_F(MeshCombinatorTest, AnUnchangedVariableLeavesTheLayerAlone) {
    load(layerWith({{3, 3}}), 0.5f);
    node.meshChanged = false;
    node.meshPoints[5] = 99.0f;
    step(0.5f);
    EXPECT_FALSE(node.meshChanged);
    EXPECT_EQ(node.meshPoints[5], 99.0f);
}

TEST_F(MeshCombinatorTest, OneChangeAmongManyIsAddedAsADifference) {
    load(layerWith({{2, 2}, {2, 2, 0.0f, 1.0f, "a"}, {2, 2, 0.0f, 1.0f, "b"}, {2, 2, 0.0f, 1.0f, "c"}}), 0.0f);
    // One of four changed: the output takes the new mesh minus the old, so
    // a coordinate changed behind the combinators' back stays changed.
    node.meshPoints.clear();
    const float* out = combinators.output(node);
    ASSERT_NE(out, nullptr);
    const_cast<float*>(out)[1] = 100.0f;
    step(1.0f);
    ASSERT_EQ(node.meshPoints.size(), 32u);
    EXPECT_FLOAT_EQ(node.meshPoints[0], 2.0f + 1.0f + 1.0f + 1.0f);
    EXPECT_FLOAT_EQ(node.meshPoints[1], 101.0f);
}

TEST_F(MeshCombinatorTest, ACountBeyondTheDataIsCutToTheMeshesThere) {
    // Declares 5 meshes over the bytes of 2: the end of the range is the second.
    EXPECT_EQ(load(layerWith({{2, 5}}), 1.0f), 2.0f);
    EXPECT_FLOAT_EQ(step(0.125f), 1.5f);
}

TEST_F(MeshCombinatorTest, ACombinatorWithoutMeshesAddsNothing) {
    EXPECT_FLOAT_EQ(load(layerWith({{0, 0}, {2, 2, 0.0f, 1.0f, "v", -1, 10.0f}}), 1.0f), 11.0f);
    EXPECT_FLOAT_EQ(step(0.0f), 10.0f);
}

TEST_F(MeshCombinatorTest, AnEmptyRangeRestsAtTheFirstMesh) {
    EXPECT_EQ(meshCombinatorPosition(7.0f, 2.0f, 2.0f, 4), 0.0f);
    EXPECT_EQ(load(layerWith({{3, 3, 2.0f, 2.0f}}), 7.0f), 1.0f);
}

TEST_F(MeshCombinatorTest, RemovingTheLayerDropsItsTracks) {
    load(layerWith({{2, 2}}), 0.0f);
    combinators.remove(node);
    EXPECT_EQ(combinators.layerCount(), 0u);
    EXPECT_EQ(combinators.trackCount(), 0u);
    combinators.update();
}

}  // namespace
