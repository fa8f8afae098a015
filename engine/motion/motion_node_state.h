#pragma once
// The evaluated side of a layer node: MMotionNodeState, a block of node state
// (a node holds two, its evaluated state and the local adjustment the host
// sets), and MMotionSlotCurves, the easing curves and path a frame slot's
// indices name, held by reference while the slot holds that frame.
//
// Threads: owned by the node; touched by the thread updating the root player.

#include <array>
#include <cstdint>

#include "engine/data/psb_value.h"
#include "engine/motion/easing_curve.h"
#include "engine/motion/motion_path.h"

struct MMotionFrameContent;

struct MMotionNodeState {
    bool changed = true;
    bool visible = true;  // the node itself is drawn
    bool shown = true;    // the node and its subtree are shown
    bool flipX = false;
    bool flipY = false;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float angle = 0.0f;  // degrees, clockwise on screen
    float zoomX = 1.0f;
    float zoomY = 1.0f;
    float slantX = 0.0f;
    float slantY = 0.0f;
    uint32_t opacity = 255;
};

// Maps (x, y) to (a x + b y, c x + d y).
struct MMotionNodeMatrix {
    float a = 1.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 1.0f;
};

// The document's root "easing" list; null without a document or a list.
PSBValue motionEasingList(const PSBObject* document);

// One curve reference that gives its curve back when it goes.
class MMotionEasingHandle {
public:
    MMotionEasingHandle() = default;
    ~MMotionEasingHandle() { reset(); }
    MMotionEasingHandle(MMotionEasingHandle&& other) noexcept : ref_(other.ref_) { other.ref_ = {}; }
    MMotionEasingHandle& operator=(MMotionEasingHandle&& other) noexcept;
    MMotionEasingHandle(const MMotionEasingHandle&) = delete;
    MMotionEasingHandle& operator=(const MMotionEasingHandle&) = delete;

    // Entry `index` of `list`, the document's root "easing" list (null when
    // it has none); -1, a missing list or an index outside it is linear.
    void assign(const PSBValue& list, int32_t index, MMotionCurveCache* cache);
    void reset();
    MMotionEasingRef* get() { return ref_.curve ? &ref_ : nullptr; }

private:
    MMotionEasingRef ref_;
};

class MMotionPathHandle {
public:
    MMotionPathHandle() = default;
    ~MMotionPathHandle() { reset(); }
    MMotionPathHandle(MMotionPathHandle&& other) noexcept : ref_(other.ref_), cache_(other.cache_) {
        other.ref_ = {};
    }
    MMotionPathHandle& operator=(MMotionPathHandle&& other) noexcept;
    MMotionPathHandle(const MMotionPathHandle&) = delete;
    MMotionPathHandle& operator=(const MMotionPathHandle&) = delete;

    // A null or missing value is the straight line.
    void assign(const PSBValue& cp, MMotionCurveCache* cache);
    void reset();
    MMotionPathRef* get() { return ref_.path ? &ref_ : nullptr; }

private:
    MMotionPathRef ref_;
    MMotionCurveCache* cache_ = nullptr;
};

// The curves of one frame slot, taken when its content is read.
struct MMotionSlotCurves {
    MMotionEasingHandle position;
    MMotionEasingHandle color;
    MMotionEasingHandle angle;
    MMotionEasingHandle zoom;
    MMotionEasingHandle slant;
    MMotionEasingHandle mesh;
    MMotionEasingHandle stencil;
    MMotionPathHandle path;

    void assign(const MMotionFrameContent& slot, const PSBObject* document, MMotionCurveCache* cache);
};
