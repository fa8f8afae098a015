#include "engine/motion/motion_node_state.h"

#include "engine/data/psb_object.h"
#include "engine/motion/motion_frame_content.h"

MMotionEasingHandle& MMotionEasingHandle::operator=(MMotionEasingHandle&& other) noexcept {
    if (this != &other) {
        reset();
        ref_ = other.ref_;
        other.ref_ = {};
    }
    return *this;
}

void MMotionEasingHandle::assign(const PSBObject* document, int32_t index, MMotionCurveCache* cache) {
    reset();
    ref_.cache = cache;
    if (document == nullptr || index < 0) return;
    PSBValue list;
    if (!document->root().find("easing", list) || uint32_t(index) >= list.getCount()) return;
    ref_.curve = MMotionEasingCurve::get(list.at(uint32_t(index)), cache);
}

void MMotionEasingHandle::reset() { releaseEasingRef(ref_); }

MMotionPathHandle& MMotionPathHandle::operator=(MMotionPathHandle&& other) noexcept {
    if (this != &other) {
        reset();
        ref_ = other.ref_;
        cache_ = other.cache_;
        other.ref_ = {};
    }
    return *this;
}

void MMotionPathHandle::assign(const PSBValue& cp, MMotionCurveCache* cache) {
    reset();
    cache_ = cache;
    if (cp.document() == nullptr || cp.getType() == kPSBNull) return;
    ref_.path = MMotionPathCurve::get(cp, cache);
}

void MMotionPathHandle::reset() {
    MMotionPathCurve::release(ref_.path, cache_);
    ref_ = {};
}

void MMotionSlotCurves::assign(const MMotionFrameContent& slot, const PSBObject* document, MMotionCurveCache* cache) {
    position.assign(document, slot.positionEasing, cache);
    color.assign(document, slot.colorEasing, cache);
    angle.assign(document, slot.angleEasing, cache);
    zoom.assign(document, slot.zoomEasing, cache);
    slant.assign(document, slot.slantEasing, cache);
    mesh.assign(document, slot.mesh.easing, cache);
    stencil.assign(document, slot.stencil.easing, cache);
    path.assign(slot.path, cache);
}
