// The mesh kernels: their values, and the vector and scalar paths giving the
// same bits.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "engine/motion/bezier_weights.h"
#include "engine/motion/curve_cache.h"
#include "engine/motion/mesh_kernels.h"

namespace {

using Mesh = std::array<float, kMeshFloats>;

Mesh neutralMesh() {
    Mesh grid{};
    for (int i = 0; i < 16; ++i) {
        grid[2 * i] = float(i % 4) / 3.0f;
        grid[2 * i + 1] = float(i / 4) / 3.0f;
    }
    return grid;
}

bool sameBits(const float* a, const float* b, size_t count) {
    return count == 0 || std::memcmp(a, b, count * sizeof(float)) == 0;
}

// Every test runs once on each path; the flag is restored afterwards.
class MeshKernels : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        saved_ = meshSimdEnabled();
        setMeshSimdEnabled(GetParam());
    }
    void TearDown() override { setMeshSimdEnabled(saved_); }

private:
    bool saved_ = false;
};

TEST_P(MeshKernels, LerpCopiesAForTinyFractions) {
    Mesh a, b;
    for (size_t k = 0; k < kMeshFloats; ++k) {
        a[k] = float(k) * 0.37f - 4.0f;
        b[k] = float(k) * -1.5f + 2.0f;
    }
    for (float t : {0.0f, 1e-8f, -1e-8f}) {
        Mesh out{};
        lerpMesh(out.data(), a.data(), b.data(), t);
        EXPECT_TRUE(sameBits(out.data(), a.data(), kMeshFloats)) << t;
    }
    Mesh out{};
    lerpMesh(out.data(), a.data(), b.data(), 1.0f);
    EXPECT_TRUE(sameBits(out.data(), b.data(), kMeshFloats));
    lerpMesh(out.data(), a.data(), b.data(), 0.5f);
    for (size_t k = 0; k < kMeshFloats; ++k) EXPECT_FLOAT_EQ(out[k], (a[k] + b[k]) * 0.5f) << k;
}

TEST_P(MeshKernels, OutputMayBeAnInput) {
    Mesh a, b, c;
    for (size_t k = 0; k < kMeshFloats; ++k) {
        a[k] = float(k) + 0.25f;
        b[k] = float(k * k) * 0.1f;
        c[k] = 3.0f - float(k);
    }
    Mesh separate, inPlace;
    lerpMesh(separate.data(), a.data(), b.data(), 0.3f);
    inPlace = b;
    lerpMesh(inPlace.data(), a.data(), inPlace.data(), 0.3f);
    EXPECT_TRUE(sameBits(separate.data(), inPlace.data(), kMeshFloats));
    addMesh(separate.data(), a.data(), b.data());
    inPlace = a;
    addMesh(inPlace.data(), inPlace.data(), b.data());
    EXPECT_TRUE(sameBits(separate.data(), inPlace.data(), kMeshFloats));
    addMeshDelta(separate.data(), a.data(), b.data(), c.data());
    inPlace = a;
    addMeshDelta(inPlace.data(), inPlace.data(), b.data(), c.data());
    EXPECT_TRUE(sameBits(separate.data(), inPlace.data(), kMeshFloats));
    for (size_t k = 0; k < kMeshFloats; ++k) EXPECT_FLOAT_EQ(separate[k], a[k] + (b[k] - c[k])) << k;
}

TEST_P(MeshKernels, AddingANeutralDifferenceKeepsTheSet) {
    Mesh a, n;
    for (size_t k = 0; k < kMeshFloats; ++k) {
        a[k] = 1e-7f * float(k + 1);
        n[k] = 12345.678f - float(k) * 1000.0f;
    }
    Mesh out{};
    addMeshDelta(out.data(), a.data(), n.data(), n.data());
    EXPECT_TRUE(sameBits(out.data(), a.data(), kMeshFloats));
}

TEST_P(MeshKernels, PatchCornersAndTheNeutralGrid) {
    Mesh controls;
    for (size_t k = 0; k < kMeshFloats; ++k) controls[k] = float(k * 5 % 13) - 6.5f;
    // Five points, so the vector path also runs its leftover.
    float points[] = {0, 0, 1, 0, 0, 1, 1, 1, 0, 0};
    evalBezierPatch(points, 5, controls.data());
    const int corners[] = {0, 3, 12, 15, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(points[2 * i], controls[2 * corners[i]]) << i;
        EXPECT_EQ(points[2 * i + 1], controls[2 * corners[i] + 1]) << i;
    }

    const Mesh neutral = neutralMesh();
    std::vector<float> uv;
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) uv.insert(uv.end(), {float(i) / 10.0f, float(j) / 10.0f});
    std::vector<float> mapped = uv;
    evalBezierPatch(mapped.data(), mapped.size() / 2, neutral.data());
    for (size_t k = 0; k < uv.size(); ++k) EXPECT_NEAR(mapped[k], uv[k], 1e-6f) << k;
}

TEST_P(MeshKernels, TransformOfTheNeutralGridIsTheGrid) {
    MMotionCurveCache cache;
    MMotionBezierWeights* three = MMotionBezierWeights::get(3, &cache);
    const Mesh neutral = neutralMesh();
    std::vector<float> out(100, -1.0f);
    transformMeshPatch(out, {3, 3, three, three, neutral.data()}, MMotionMatrix2{}, 0.0f, 0.0f);
    ASSERT_EQ(out.size(), 32u);
    for (int j = 0; j <= 3; ++j) {
        for (int i = 0; i <= 3; ++i) {
            const size_t at = 2 * size_t(4 * j + i);
            EXPECT_NEAR(out[at], float(i) / 3.0f, 1e-6f) << i << "," << j;
            EXPECT_NEAR(out[at + 1], float(j) / 3.0f, 1e-6f) << i << "," << j;
        }
    }
    MMotionBezierWeights::release(three, &cache);
}

// Placing and sampling equals placing the control points by hand and
// evaluating the patch at the grid's fractions, bit for bit.
TEST_P(MeshKernels, TransformIsPlacementThenEvaluation) {
    MMotionCurveCache cache;
    MMotionBezierWeights* columns = MMotionBezierWeights::get(5, &cache);
    MMotionBezierWeights* rows = MMotionBezierWeights::get(2, &cache);
    Mesh controls = neutralMesh();
    controls[10] += 0.3f;
    controls[21] -= 0.2f;
    const MMotionMatrix2 m{64.0f, 3.0f, -2.0f, 32.0f};
    std::vector<float> out;
    transformMeshPatch(out, {5, 2, columns, rows, controls.data()}, m, 100.0f, -40.0f);
    ASSERT_EQ(out.size(), 2u * 6 * 3);

    Mesh placed;
    for (size_t k = 0; k < kMeshFloats; k += 2) {
        placed[k] = (m.a * controls[k] + m.b * controls[k + 1]) + 100.0f;
        placed[k + 1] = (m.c * controls[k] + m.d * controls[k + 1]) + -40.0f;
    }
    std::vector<float> expected;
    for (int j = 0; j <= 2; ++j)
        for (int i = 0; i <= 5; ++i) expected.insert(expected.end(), {float(i) / 5.0f, float(j) / 2.0f});
    evalBezierPatch(expected.data(), expected.size() / 2, placed.data());
    EXPECT_TRUE(sameBits(out.data(), expected.data(), out.size()));
    MMotionBezierWeights::release(columns, &cache);
    MMotionBezierWeights::release(rows, &cache);
}

TEST_P(MeshKernels, TransformStaysInsideItsTables) {
    MMotionCurveCache cache;
    MMotionBezierWeights* two = MMotionBezierWeights::get(2, &cache);
    const Mesh neutral = neutralMesh();
    std::vector<float> out;
    transformMeshPatch(out, {7, 9, two, two, neutral.data()}, MMotionMatrix2{}, 0.0f, 0.0f);
    EXPECT_EQ(out.size(), 2u * 3 * 3);
    transformMeshPatch(out, {2, 2, nullptr, two, neutral.data()}, MMotionMatrix2{}, 0.0f, 0.0f);
    EXPECT_TRUE(out.empty());
    MMotionBezierWeights::release(two, &cache);
}

INSTANTIATE_TEST_SUITE_P(Paths, MeshKernels, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Vector" : "Scalar"; });

TEST(MeshKernelSwitch, ForcesTheScalarPath) {
    detectSimdSupport();
    const bool detected = meshSimdEnabled();
#if defined(__x86_64__)
    EXPECT_TRUE(detected);
#endif
    setMeshSimdEnabled(false);
    EXPECT_FALSE(meshSimdEnabled());
    setMeshSimdEnabled(true);
    EXPECT_EQ(meshSimdEnabled(), detected);
}

// Random inputs (fixed seed) through both paths: the same bits.
class PathsAgree : public testing::Test {
protected:
    void TearDown() override { detectSimdSupport(); }

    template <typename Run>
    void expectSameBits(const char* what, Run run) {
        setMeshSimdEnabled(true);
        const std::vector<float> vector = run();
        setMeshSimdEnabled(false);
        const std::vector<float> scalar = run();
        ASSERT_EQ(vector.size(), scalar.size()) << what;
        EXPECT_TRUE(sameBits(vector.data(), scalar.data(), vector.size())) << what;
    }

    Mesh randomMesh(float range) {
        std::uniform_real_distribution<float> value(-range, range);
        Mesh mesh;
        for (float& v : mesh) v = value(random_);
        return mesh;
    }

    float uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random_); }

    std::mt19937 random_{20261210};
};

TEST_F(PathsAgree, OnRandomInputs) {
    MMotionCurveCache cache;
    for (int round = 0; round < 200; ++round) {
        const Mesh a = randomMesh(1000.0f), b = randomMesh(1000.0f), c = randomMesh(1.0f);
        const float t = round % 10 == 0 ? 1e-8f : uniform(-0.5f, 1.5f);
        expectSameBits("lerpMesh", [&] {
            std::vector<float> out(kMeshFloats);
            lerpMesh(out.data(), a.data(), b.data(), t);
            return out;
        });
        expectSameBits("addMesh", [&] {
            std::vector<float> out(kMeshFloats);
            addMesh(out.data(), a.data(), b.data());
            return out;
        });
        expectSameBits("addMeshDelta", [&] {
            std::vector<float> out(kMeshFloats);
            addMeshDelta(out.data(), a.data(), b.data(), c.data());
            return out;
        });

        std::vector<float> uv(2 * size_t(round % 13));
        for (float& v : uv) v = uniform(-0.5f, 1.5f);
        expectSameBits("evalBezierPatch", [&] {
            std::vector<float> points = uv;
            evalBezierPatch(points.data(), points.size() / 2, a.data());
            return points;
        });

        const uint32_t across = uint32_t(round % 18), down = uint32_t(round * 7 % 17);
        MMotionBezierWeights* columns = MMotionBezierWeights::get(across, &cache);
        MMotionBezierWeights* rows = MMotionBezierWeights::get(down, &cache);
        const MMotionMatrix2 m{uniform(-100, 100), uniform(-100, 100), uniform(-100, 100), uniform(-100, 100)};
        const float tx = uniform(-500, 500), ty = uniform(-500, 500);
        expectSameBits("transformMeshPatch", [&] {
            std::vector<float> out;
            transformMeshPatch(out, {across, down, columns, rows, c.data()}, m, tx, ty);
            return out;
        });
        MMotionBezierWeights::release(columns, &cache);
        MMotionBezierWeights::release(rows, &cache);
    }
}

}  // namespace
