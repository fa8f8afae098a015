#pragma once
// MMotionNodeDraw: what a layer node keeps for drawing: its render item and
// vertex grid (one of each for the node's life, rewritten in place every
// step) and its place among the mesh hosts (the host above it, whether it
// bends its subtree or only follows its hosts, and its placed patch).
//
// Threads: owned by the node; touched by the thread updating the root player.

#include <cstdint>

#include "engine/motion/mesh_host.h"
#include "engine/motion/motion_render_item.h"

struct MMotionNodeDraw {
    // The mesh pass reads the links of every node each step: they come first.
    // Node index of the nearest host or rigid follower above; -1 for none in
    // this tree: the hosts the root is under (MMotionOuterLinks), if any.
    int32_t host = -1;
    uint32_t hostId = 0;      // that host's id, as of the last mesh pass
    bool hostKnown = false;   // hostId is from an earlier pass
    bool hasGrid = false;     // the grid holds this step's points
    MMotionMeshHost mesh;     // meshHost and rigidFollower flags, the placed patch

    MMotionRenderItem item;
    MMotionVertexGrid grid;
};
