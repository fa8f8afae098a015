// Mesh hosts and vertex grids: grid sizes under a host, children following
// an unbent or bent mesh, rectangles carried rigidly or bent through hosts.
#include "engine/motion/mesh_host.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "engine/motion/interpolation.h"
#include "engine/motion/mesh_kernels.h"
#include "engine/motion/motion_neutral_grid.h"

namespace {

const float* neutral() { return kMotionNeutralMeshGrid.data(); }

// The neutral grid stretched across by `factor`.
std::array<float, 32> stretched(float factor) {
    std::array<float, 32> c = kMotionNeutralMeshGrid;
    for (int i = 0; i < 16; ++i) c[2 * i] *= factor;
    return c;
}

TEST(MeshHost, ASpriteUnderAHostOfDivisionEightGetsSevenByFivePoints) {
    const int32_t n = hostMeshDivision(meshDivisionOf(8, 1.0f), 64, 32, 64, 32);
    EXPECT_EQ(n, 8);
    const auto [columns, rows] = splitDivision(n, 64, 32);
    MMotionVertexGrid grid;
    fillRectangleGrid(grid, {}, {10, 20}, 64, 32, columns, rows);
    EXPECT_EQ(grid.columns, 6);
    EXPECT_EQ(grid.rows, 4);
    EXPECT_EQ(grid.points.size(), 2u * 7 * 5);
    // Evenly spread between the corners.
    EXPECT_FLOAT_EQ(grid.points[2 * 1], 10 + 64.0f / 6);
    EXPECT_FLOAT_EQ(grid.points.back(), 20 + 32);
}

TEST(MeshHost, AHostDivisionScalesWithThePictureInWholeNumbers) {
    const struct {
        int32_t division, w, h, hostW, hostH, expected;
    } cases[] = {{8, 32, 16, 64, 32, 4}, {8, 10, 10, 64, 32, 1}, {8, 64, 32, 0, 0, 8}, {10, 3, 4, 2, 1, 23}};
    for (const auto& c : cases) EXPECT_EQ(hostMeshDivision(c.division, c.w, c.h, c.hostW, c.hostH), c.expected);
    EXPECT_EQ(meshDivisionOf(7, 1.5f), 10);
}

TEST(MeshHost, WithoutAHostASpriteIsItsFourCorners) {
    // Turned a quarter clockwise on the screen: x goes down, y goes left.
    const MMotionMatrix2 quarter{0, -1, 1, 0};
    const MMotionPoint origin = meshGridOrigin(100, 50, 2, 0.5f, {8, 4}, quarter);
    EXPECT_FLOAT_EQ(origin.x, 100 + 4);
    EXPECT_FLOAT_EQ(origin.y, 50 + 1 - 8);
    MMotionVertexGrid grid;
    fillRectangleGrid(grid, quarter, origin, 16, 8, 1, 1);
    const std::vector<float> corners{104, 43, 104, 59, 96, 43, 96, 59};
    EXPECT_EQ(grid.points, corners);
    EXPECT_EQ(grid.boundsValid, 0);
}

TEST(MeshHost, AChildOfAnUnbentMeshKeepsPositionAngleAndZoom) {
    MMotionMeshFollower child{.x = 10, .y = -3, .angle = 30, .zoomX = 2, .zoomY = 0.5f, .inheritMask = 0x70};
    followMeshPatch(neutral(), {16, 8}, 64, 32, kMeshSyncPosition | kMeshSyncAngle | kMeshSyncZoom, child);
    EXPECT_NEAR(child.x, 10, 1e-4);
    EXPECT_NEAR(child.y, -3, 1e-4);
    EXPECT_NEAR(child.angle, 30, 0.05);
    EXPECT_NEAR(child.zoomX, 2, 2 * 2e-3);
    EXPECT_NEAR(child.zoomY, 0.5f, 0.5f * 2e-3);
}

TEST(MeshHost, AChildFollowsAStretchedMesh) {
    // Stretched across by 1.5: a child in the middle moves right.
    const auto controls = stretched(1.5f);
    MMotionMeshFollower child{.x = 16, .y = 8, .zoomX = 1, .zoomY = 1, .inheritMask = 0x30};
    followMeshPatch(controls.data(), {16, 8}, 64, 32, kMeshSyncPosition | kMeshSyncZoom, child);
    EXPECT_NEAR(child.x, 1.5f * 32 - 16, 1e-3);
    EXPECT_NEAR(child.y, 8, 1e-3);
    // The zoom follows the local area, the square root of 1.5.
    EXPECT_NEAR(child.zoomX, std::sqrt(1.5f), 2e-3);
    EXPECT_EQ(child.zoomY, 1.0f);
    EXPECT_EQ(child.angle, 0.0f);
}

TEST(MeshHost, AnUnbentHostGivesItsPointsBack) {
    MMotionMeshHost host;
    host.meshHost = true;
    placeMeshHost(host, neutral(), meshPlacementMatrix({}, 64, 32), {100, 200});
    float points[] = {100, 200, 164, 232, 132, 216};
    bendThroughHost(host, points, 3);
    const float expected[] = {100, 200, 164, 232, 132, 216};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(points[i], expected[i], 1e-3) << i;
}

TEST(MeshHost, ARigidFollowerOnlyMovesWithTheMesh) {
    MMotionMeshHost host;
    host.meshHost = true;
    const auto controls = stretched(1.5f);
    placeMeshHost(host, controls.data(), meshPlacementMatrix({}, 64, 32), {0, 0});
    const auto gridAt = [](MMotionPoint origin) {
        MMotionVertexGrid grid;
        fillRectangleGrid(grid, {}, origin, 8, 4, 2, 2);
        return grid;
    };

    MMotionVertexGrid rigid = gridAt({32, 16});
    MMotionPoint origin{32, 16};
    carryThroughHosts(rigid, origin, {&host}, true);
    EXPECT_NEAR(origin.x, 48, 1e-3);
    const MMotionVertexGrid before = gridAt({32, 16});
    for (size_t i = 0; i < rigid.points.size(); i += 2) {
        EXPECT_NEAR(rigid.points[i] - before.points[i], 16, 1e-3);
        EXPECT_NEAR(rigid.points[i + 1] - before.points[i + 1], 0, 1e-3);
    }

    // Bent instead, the same rectangle is stretched across.
    MMotionVertexGrid bent = gridAt({32, 16});
    origin = {32, 16};
    carryThroughHosts(bent, origin, {&host}, false);
    EXPECT_GT(bent.points[4] - bent.points[0], 8.5f);
    EXPECT_EQ(bent.boundsValid, 0);
}

TEST(MeshHost, BendingStopsAfterAHostThatIsARigidFollower) {
    MMotionMeshHost near;
    near.meshHost = near.rigidFollower = true;
    placeMeshHost(near, neutral(), meshPlacementMatrix({}, 64, 32), {0, 0});
    MMotionMeshHost far;
    far.meshHost = true;
    const auto controls = stretched(1.5f);
    placeMeshHost(far, controls.data(), meshPlacementMatrix({}, 64, 32), {0, 0});
    MMotionVertexGrid grid;
    fillRectangleGrid(grid, {}, {32, 16}, 8, 4, 1, 1);
    MMotionPoint origin{32, 16};
    carryThroughHosts(grid, origin, {&near, &far}, false);
    // The far host moved the picture without stretching it.
    EXPECT_NEAR(grid.points[2] - grid.points[0], 8, 1e-3);
    EXPECT_NEAR(grid.points[0], 48, 1e-3);
}

}  // namespace
