#pragma once
// Motion variables: named float values keyed over a timeline's time, apart
// from any layer. MMotionVariables loads a timeline's "variable" list into
// records (each with the two-frame window the scans move) and works out every
// value at the player's scan time, handing it to the player's variable store
// under the full name ("scope::label", or the label without a scope).
//
// Threads: the records belong to one player; called on the thread updating
// its root.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/motion/motion_node_state.h"

class MMotionPlayer;

struct MMotionVariableFrame {
    uint32_t frameIndex = 0;
    float time = 0.0f;
    uint32_t interval = 0;
    bool empty = true;
    bool tween = false;
    bool loaded = false;
    float value = 0.0f;
    MMotionEasingHandle easing;
};

struct MMotionVariable {
    std::string fullName;
    uint32_t currentSlot = 0;
    float value = 0.0f;
    PSBValue frameList;
    uint32_t frameCount = 0;  // counted by the seek
    std::array<MMotionVariableFrame, 2> slots;
};

class MMotionVariables {
public:
    // Replaces the player's records with those of the timeline's "variable"
    // list, every frame slot empty.
    static void load(MMotionPlayer& player, const PSBValue& timeline);
    // "time" only; the content waits until the frame ends up in a slot.
    static void loadFrameHeader(MMotionVariableFrame& frame, uint32_t index, const PSBValue& frameList);
    static void loadFrameContent(MMotionVariableFrame& frame, const PSBValue& frameList, MMotionCurveCache* cache);
    // The value of every variable whose current frame is not empty, handed on
    // every step, changed or not.
    static void evaluate(MMotionPlayer& player);
    // The value rule alone, at time t.
    static float valueAt(MMotionVariable& variable, float t);
};
