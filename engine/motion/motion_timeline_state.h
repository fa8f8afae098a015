#pragma once
// MMotionTimelineState: what a player keeps for its timeline driver beyond
// the clock: the control and draw-order cursors, the variables, the node
// lists by layer type, the evaluation's flags, the drift of the root and the
// camera the motion's camera layer sets.
//
// Threads: owned by one player; touched by the thread updating its root.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/motion/motion_outer_links.h"
#include "engine/motion/motion_variables.h"

// The cursor of a list the player holds itself: frame `index` is current,
// its time and the next frame's are kept.
struct MMotionListCursor {
    uint32_t count = 0;  // frames in the list, counted by the seek
    uint32_t index = 0;
    float time = 0.0f;
    float nextTime = 0.0f;
};

struct MMotionCamera {
    bool active = false;
    std::array<int32_t, 2> offset{};  // screen offset that keeps the target in place
    float fov = 0.0f;
    std::array<float, 3> eye{};
    bool hasTarget = false;
    std::array<float, 3> target{};
};

struct MMotionJoinCache;

struct MMotionTimelineState {
    MMotionListCursor control;   // "tag"
    MMotionListCursor priority;  // "priority"
    std::vector<int32_t> drawOrder;  // node indices of the current draw order; drawn from the last to the first

    std::vector<MMotionVariable> variables;

    // Node indices by layer type (shapes 1, nested motions 3, particle
    // emitters 4, cameras 5, models 6, anchors 9, feedback 10, stencil
    // composites 12), the sprite count and a mask with bit t for type t.
    std::array<std::vector<int32_t>, 13> byType;
    int32_t spriteCount = 0;
    uint32_t typeMask = 0;

    bool force = false;  // re-evaluate every node in the next evaluation
    bool fresh = true;   // not evaluated yet
    // A nested player whose layer asks for independent inheritance takes
    // nothing from the root of its own tree but the position.
    bool independentInherit = false;

    std::array<float, 3> drift{};  // the root's velocity, frames
    float driftDamping = 1.0f;
    // A particle that deletes itself outside the screen only does so once it
    // has been on it.
    bool enteredScreen = false;

    MMotionCamera camera;
    // A nested or particle player's: what its root is under in the tree
    // above (motion_outer_links.h).
    MMotionOuterLinks outer;

    // The state carried into the next motion, between a switch that asks for
    // it and the seek of the new motion (motion_carry_state.h).
    std::shared_ptr<MMotionJoinCache> joinCache;
};
