#pragma once
// The records a layer's type makes when its tree is loaded, with their
// values at load. Types 2, 7's frames, 8 and 11 make none of their own
// beyond what is listed; a type outside 0..12 makes none.
//
// Threads: plain records owned by their node.

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "engine/data/psb_value.h"

struct MMotionSpriteRecord {  // type 0
    int32_t objTriPriority = 0;
};

struct MMotionShapeRecord {  // type 1: "shape", then the evaluation's words
    std::array<int32_t, 9> words{};
    // What the evaluation worked out for the kind: a point (x, y), a circle
    // (x, y, radius), a rectangle (left, top, right, bottom) or a
    // quadrilateral's four corners as x, y pairs.
    std::array<float, 8> geometry{};
};

struct MMotionNestedRecord {  // type 3; the nested player itself sits in the node
    bool independentLayerInherit = false;
    bool tooDeepTraced = false;  // the nesting limit has been reported for this layer
};

// The emission values of a particle emitter's frame, tweened each step.
struct MMotionEmission {
    float fmin = 0.0f, fmax = 0.0f;  // emissions per second, or a burst's count
    float vmin = 0.0f, vmax = 0.0f;  // speed, units per frame
    float amin = 0.0f, amax = 0.0f;  // rotation, degrees
    float zmin = 0.0f, zmax = 0.0f;
    float range = 0.0f;  // spread of the direction either side, degrees
};

struct MMotionParticleEmitter {  // type 4; its live particles sit in the node
    bool active = false;
    int32_t kind = 0;
    int32_t maxNum = 0;
    bool inheritAngle = false;
    bool deleteOutsideScreen = false;
    bool triVolume = false;
    int32_t inheritOpacity = 1;
    int32_t inheritVelocity = 0;
    int32_t flyDirection = 0;
    int32_t applyZoomToVelocity = 0;
    float accelRatio = 0.0f;
    PSBValue motionList;
    MMotionEmission emission;
    std::array<float, 4> matrix{1.0f, 0.0f, 0.0f, 1.0f};  // the node's, as last carried
    float lastAngle = 0.0f;
    std::array<float, 4> screen{};    // left, top, right, bottom
    std::array<float, 4> deletion{};  // the screen grown by 5 % of its size on each side
    float timer = 0.0f;  // frames until the next continuous emission
    bool tooDeepTraced = false;  // the nesting limit has been reported for this layer
};

struct MMotionCameraRecord {  // type 5
    float fov = 0.0f;
};

struct MMotionModelRecord {  // type 6
    bool active = false;
    std::string name;
    float time = 0.0f;
    bool directional = false;
    std::array<float, 3> direction{};
};

struct MMotionClipRecord {  // type 7: left, top, right, bottom
    std::array<float, 4> rect{};
};

struct MMotionAnchorRecord {  // type 9
    int32_t anchor = 0;
};

struct MMotionFeedbackRecord {  // type 10
    std::array<float, 4> bounds{};  // left, top, right, bottom
    int32_t word = 0;
    std::array<float, 17> state{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
                                1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
};

struct MMotionStencilCompositeRecord {  // type 12
    PSBValue maskLabels;
    std::vector<int32_t> masks;  // node indices
    bool stencilOn = false;
    float scale = 0.0f;
    float offset = 0.0f;
};

using MMotionLayerRecord =
    std::variant<std::monostate, MMotionSpriteRecord, MMotionShapeRecord, MMotionNestedRecord, MMotionParticleEmitter,
                 MMotionCameraRecord, MMotionModelRecord, MMotionClipRecord, MMotionAnchorRecord,
                 MMotionFeedbackRecord, MMotionStencilCompositeRecord>;
