#pragma once
// MMotionFrameScan: brings every keyframed list of a playing timeline to the
// pair of frames around the player's scan time: the control list ("tag"),
// the draw order ("priority"), the variables and every layer's frames (a
// layer driven by a parameter follows the parameter's value instead). A seek
// places the lists from scratch; the forward and backward scans step through
// the frames passed, raising their actions and applying the control frames
// (align ends the step, sync holds the motion there). Frames passed on the
// way are read only as far as their headers; content is read for the two
// frames a slot ends up holding.
//
// A list of one frame holds it in both slots; a list without frames leaves
// its slots empty.
//
// Threads: called by the timeline driver on the thread updating the root
// player; keeps no state.

#include <cstdint>

class MMotionPlayer;
struct MMotionLayerNode;

class MMotionFrameScan {
public:
    static void seek(MMotionPlayer& player);
    static void forward(MMotionPlayer& player);
    static void backward(MMotionPlayer& player);
    // Every parameter-driven layer to its parameter's value, either way.
    static void parameterLayers(MMotionPlayer& player);
    static void parameterLayer(MMotionPlayer& player, MMotionLayerNode& node);
    // The current "priority" frame's entries, as node indices.
    static void loadPriorityOrder(MMotionPlayer& player);
    // Resolves the current slot's source when its names differ from those the
    // source was resolved for.
    static void resolveSource(MMotionPlayer& player, MMotionLayerNode& node);

    // The frame of a list of `count` frames that is current at t: the last
    // at or before t, never the last of two or more (which is only ever the
    // next one).
    template <class TimeOf>
    static uint32_t locate(uint32_t count, float t, TimeOf timeOf) {
        const uint32_t last = count >= 2 ? count - 2 : 0;
        for (uint32_t i = 0; i < count; ++i) {
            const float frameTime = timeOf(i);
            if (frameTime == t) return i < last ? i : last;
            if (frameTime > t) return i == 0 ? 0 : (i - 1 < last ? i - 1 : last);
        }
        return last;
    }
};
