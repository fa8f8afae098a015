#pragma once
// MMotionLayerLoader: the timeline driver part that builds a player's layer
// tree: the timeline's "layer" list loaded depth first into nodes after the
// root (a layer's index is its depth-first position plus one, a parent's
// index always lower than its children's), each node with the keys of its
// layer object and its type's record; then the stencil composites' mask
// lists. A damaged tree (an entry that is not a layer object, a tree deeper
// than kMaxDepth, which a cycle of references makes) is refused with a
// message and leaves only the root. Frame scans, node evaluation and render
// items are later parts of the driver.
//
// Threads: called by the player on the thread that updates its root. Keeps
// no state, so one loader serves every player.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/motion/motion_timeline_driver.h"

struct MMotionLayerNode;

class MMotionLayerLoader : public MMotionTimelineDriver {
public:
    static constexpr int32_t kMaxDepth = 256;

    void loadLayers(MMotionPlayer& player, const PSBValue& timeline) override;

    // The draw order of a "priority" frame's "content": node indices (layer
    // index + 1) from the first entry to the last; entries naming no layer of
    // a tree of `nodeCount` nodes are skipped.
    static std::vector<int32_t> drawOrder(const PSBValue& content, size_t nodeCount);

private:
    static bool loadList(MMotionPlayer& player, const PSBValue& list, int32_t parent, int32_t depth);
    static void loadNode(MMotionLayerNode& node, const PSBValue& layer);
    static void resolveStencilMasks(MMotionPlayer& player, const PSBValue& map, MMotionLayerNode& node);
};
