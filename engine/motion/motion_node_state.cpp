#include "engine/motion/motion_node_state.h"

#include "engine/data/psb_object.h"
#include "engine/motion/motion_frame_content.h"

PSBValue motionEasingList(const PSBObject* document) {
    PSBValue list;
    if (document != nullptr) document->root().find("easing", list);
    return list;
}

MMotionEasingHandle& MMotionEasingHandle::operator=(MMotionEasingHandle&& other) noexcept {
    if (this != &other) {
        reset();
        ref_ = other.ref_;
        other.ref_ = {};
    }
    return *this;
}

void MMotionEasingHandle::assign(const PSBValue& list, int32_t index, MMotionCurveCache* cache) {
    reset();
    ref_.cache = cache;
    if (index < 0 || uint32_t(index) >= list.getCount()) return;
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

// The "easing" list is looked up once for the slot, and only when it names
// an easing.
void MMotionSlotCurves::assign(const MMotionFrameContent& slot, const PSBObject* document, MMotionCurveCache* cache) {
    const bool eased = slot.positionEasing >= 0 || slot.colorEasing >= 0 || slot.angleEasing >= 0 ||
                       slot.zoomEasing >= 0 || slot.slantEasing >= 0 || slot.mesh.easing >= 0 ||
                       slot.stencil.easing >= 0;
    const PSBValue list = eased ? motionEasingList(document) : PSBValue();
    position.assign(list, slot.positionEasing, cache);
    color.assign(list, slot.colorEasing, cache);
    angle.assign(list, slot.angleEasing, cache);
    zoom.assign(list, slot.zoomEasing, cache);
    slant.assign(list, slot.slantEasing, cache);
    mesh.assign(list, slot.mesh.easing, cache);
    stencil.assign(list, slot.stencil.easing, cache);
    path.assign(slot.path, cache);
}
