#pragma once
// MMotionOuterLinks: what the root of a nested or particle player takes from
// the layer that holds it, every step before it advances: the clip
// rectangle in force for that layer, the item of the layer's drawn ancestor
// and the mesh hosts above the layer. A node index of the outer tree means
// nothing in the inner one, so they are held as pointers; inside the inner
// tree a node without a clip, drawn ancestor or host of its own (index -1)
// stands under these. A top-level player has none of them.
//
// Threads: written and read on the thread that updates the root player,
// during its step; the pointers name nodes of the players above, which do
// not change shape during that step.

#include <vector>

struct MMotionLayerNode;
struct MMotionRenderItem;
class MMotionPlayer;

struct MMotionOuterLinks {
    const float* clip = nullptr;             // left, top, right, bottom; null for none
    MMotionRenderItem* container = nullptr;  // the item the inner items are drawn under
    std::vector<const MMotionLayerNode*> hosts;  // mesh hosts and rigid followers, nearest first
};

// The clip rectangle in force for a node of the player, its own tree's or
// the one its root took from outside.
const float* motionClipInForce(MMotionPlayer& player, const MMotionLayerNode& node);
// The item of the node's drawn ancestor, inside the player or outside it.
MMotionRenderItem* motionDrawnContainer(MMotionPlayer& player, const MMotionLayerNode& node);
// The nearest host above a node with none inside the player, or null.
const MMotionLayerNode* motionOuterHost(MMotionPlayer& player);
// Hands the inner player's root what the layer of the player it sits in is
// under (the nested-motion and particle passes, before the inner step).
void carryOuterLinks(MMotionPlayer& player, const MMotionLayerNode& layer, MMotionPlayer& inner);
