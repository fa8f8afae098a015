#pragma once
// MMotionParticles: the particle pass of a step. Every particle an emitter
// layer emits is a whole player of one entry of its "particleMotionList",
// placed at a random point of the emitter's shape with a random drift,
// rotation and zoom, then stepped with the emitter's player until its motion
// ends, it leaves the screen after having been on it, or the emitter has too
// many. Live particles may be carried along with the emitter and take its
// opacity. Random draws come from the emitter's player in a fixed order, so
// a seed gives one pattern.
//
// Threads: runs inside the evaluation of the emitter's player, on the thread
// updating its root.

#include "engine/motion/motion_frame_content.h"
#include "engine/motion/motion_layer_record.h"

class MMotionPlayer;
struct MMotionLayerNode;

class MMotionParticles {
public:
    // Past this many players above it, a player makes no more players: a
    // motion that plays itself would otherwise never finish a step.
    static constexpr int32_t kMaxNesting = 16;
    // The depth limit alone still lets a motion that nests itself in several
    // layers grow as their number to the 16th power: a root holding this many
    // players starts no more.
    static constexpr int32_t kMaxPlayers = 4096;
    // Whether player may start another nested or particle player.
    static bool mayAddPlayer(MMotionPlayer& player);

    static void update(MMotionPlayer& player);
    // The frame's emission values at tween fraction f into the emitter.
    static void tweenEmission(MMotionParticleEmitter& emitter, const MMotionParticleSettings& from,
                              const MMotionParticleSettings& to, float f);
    // The speed that brings a particle at distance d to the emitter's origin
    // when its motion of `lastTime` frames ends, under drift damping `ratio`
    // per second; 0 where no finite speed does.
    static float homingSpeed(float d, float lastTime, float ratio);
};
