#pragma once
// The geometry of mesh hosts and vertex grids, as functions over plain
// inputs. A layer with a 4 by 4 control-point mesh bends its picture; as a
// mesh host it also bends the pictures of the layers below it, and a child
// may follow its parent's mesh with its position, angle and zoom. The mesh
// pass of the layer evaluation calls these with each node's placement (its
// 2 by 2 matrix, origin and source size) and the hosts above it.
//
// Threads: pure functions, called on the thread that evaluates the player
// (a worker for a motion task).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/motion/motion_point.h"
#include "engine/motion/motion_render_item.h"

// "meshSyncChildMask" bits.
enum MMotionMeshSync : int32_t {
    kMeshSyncPosition = 0x1,
    kMeshSyncAngle = 0x2,
    kMeshSyncZoom = 0x4,
    kMeshSyncHost = 0x8,
};

// What a child hands its parent's mesh to follow: its position in the
// parent's space (y is z for a parent in the x-z plane), angle in degrees,
// zoom and inherit mask (0x10 angle, 0x20 zoom x, 0x40 zoom y).
struct MMotionMeshFollower {
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;
    float zoomX = 1.0f;
    float zoomY = 1.0f;
    uint32_t inheritMask = 0;
};

// Moves the child to where the parent's patch (16 control points over its
// unit square) takes its position. origin is the parent's offset plus its
// source origin, width and height its source size; syncMask the parent's
// "meshSyncChildMask". The angle and zoom follow the patch's local turn and
// area when the mask and the child's inherit mask both ask for them.
void followMeshPatch(const float* controls, MMotionPoint origin, float width, float height, int32_t syncMask,
                     MMotionMeshFollower& child);

// Where the picture's top-left corner lands: the node's position (x, y plus
// z times the depth slope) less its matrix times its origin.
MMotionPoint meshGridOrigin(float x, float y, float z, float depthSlope, MMotionPoint origin, const MMotionMatrix2& m);

// The subdivision of a node's own mesh: "meshDivision" times the division
// scale, truncated.
int32_t meshDivisionOf(int32_t meshDivision, float divisionScale);
// The subdivision a node without a mesh takes from the host above it, scaled
// by the sizes of the two pictures in whole numbers.
int32_t hostMeshDivision(int32_t hostDivision, int32_t width, int32_t height, int32_t hostWidth, int32_t hostHeight);

// The rectangle of a picture placed by m at origin, as a grid of columns x
// rows cells blended between its corners (one cell: the four corners).
// Resets the grid's bounds.
void fillRectangleGrid(MMotionVertexGrid& grid, const MMotionMatrix2& m, MMotionPoint origin, float width,
                       float height, int32_t columns, int32_t rows);

// A mesh host as its children see it: its patch placed on the screen, and
// the way back from the screen into its unit square.
struct MMotionMeshHost {
    bool meshHost = false;       // bends what it carries
    bool rigidFollower = false;  // itself only moves with the hosts above
    MMotionMatrix2 inverse{};    // of its placement matrix
    MMotionPoint offset{};       // minus its grid origin
    float placed[32] = {};       // its control points on the screen
};

// The placement matrix of a picture's unit square: m scaled by its size.
MMotionMatrix2 meshPlacementMatrix(const MMotionMatrix2& m, float width, float height);
// Places the host's control points by the placement matrix a at origin; a
// flat placement (no area) takes every point back to the patch's first corner.
void placeMeshHost(MMotionMeshHost& host, const float* controls, const MMotionMatrix2& a, MMotionPoint origin);
// Screen points through one host: into its unit square, then onto its patch.
void bendThroughHost(const MMotionMeshHost& host, float* points, size_t count);

// Carries a node's grid and origin through the hosts above it, nearest
// first. Mesh hosts bend the points and the origin until (and including) a
// host that is itself a rigid follower; past it, or throughout for a node
// that is a rigid follower, only the origin is carried and the points move
// by the distance it went. Resets the grid's bounds when the points moved.
void carryThroughHosts(MMotionVertexGrid& grid, MMotionPoint& origin, const std::vector<const MMotionMeshHost*>& hosts,
                       bool rigidFollower);
