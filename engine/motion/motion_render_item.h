#pragma once
// MMotionRenderItem: what one drawable layer of a playing motion hands its
// motion layer for a frame. The motion layer draws a frame's items ordered by
// the layer's depth, then the player's, then arrival; the fields the items
// carry for drawing join the sort keys here.
//
// Threads: filled by the player's update, sorted and read on the main thread
// in the draw phase.

#include <cstdint>
#include <vector>

struct MMotionRenderItem {
    float z = 0.0f;        // the layer node's evaluated depth
    float playerZ = 0.0f;  // the depth of the player the item came from
    uint32_t order = 0;    // arrival in the motion layer's queue, written by its draw
};

// Numbers the queued items by arrival and sorts them into drawing order.
void sortMotionRenderQueue(std::vector<MMotionRenderItem*>& queue);
