#include "game/core/collision_rects.h"

#include <cmath>
#include <limits>

#include "game/core/collision.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"

namespace {

constexpr BoxRect kNowhere = {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(),
                              std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()};
constexpr double kPickUpHalfSize = 2.0;

// Toward zero, held to the 32-bit range; the value is finite.
int32_t truncated(double value) {
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

bool finite(float a, float b, float c, float d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// The edges in single precision, as the boxes are.
bool rectOf(float cx, float cy, float halfWidth, float halfHeight, BoxRect& out) {
    const float left = cx - halfWidth, top = cy - halfHeight, right = cx + halfWidth, bottom = cy + halfHeight;
    if (!finite(left, top, right, bottom)) return false;
    out = {truncated(left), truncated(top), truncated(right), truncated(bottom)};
    return true;
}

}  // namespace

BoxRect targetRect(const HitBox& box, const ObjWork& work) {
    BoxRect rect;
    return rectOf(box.x + work.x, box.y + work.y, box.halfWidth, box.halfHeight, rect) ? rect : kNowhere;
}

bool attackerRect(const HitBox& box, const ObjWork& work, bool pickUpSquare, BoxRect& out) {
    const float cx = box.x + work.x;
    const float cy = box.y + work.y;
    if (!pickUpSquare) return rectOf(cx, cy, box.halfWidth, box.halfHeight, out);
    if (!std::isfinite(cx) || !std::isfinite(cy)) return false;
    out = {truncated(double(cx) - kPickUpHalfSize), truncated(double(cy) - kPickUpHalfSize),
           truncated(double(cx) + kPickUpHalfSize), truncated(double(cy) + kPickUpHalfSize)};
    return true;
}

bool TargetRects::build(int32_t group) {
    group_ = -1;
    count_ = 0;
    bool fits = true;
    OBJtaskWalk(group, [&](ObjTask* task) {
        const ObjWork* work = task->work;
        if (!fits || work == nullptr || work->hit == nullptr || work->hitBoxes == nullptr) return;
        for (int32_t j = 0; j < work->hitBoxCount; ++j) {
            if (count_ == kCapacity) {
                fits = false;
                return;
            }
            rects_[size_t(count_)] = targetRect(work->hitBoxes[j], *work);
            tasks_[size_t(count_)] = task;
            boxes_[size_t(count_)] = j;
            boxArrays_[size_t(count_)] = work->hitBoxes;
            ++count_;
        }
    });
    if (fits) group_ = group;
    touches_ = OBJtaskGroupTouches(group);
    return fits;
}

bool TargetRects::validFor(int32_t group) const {
    return group_ == group && touches_ == OBJtaskGroupTouches(group);
}

// A target's entries lie together, its boxes in index order.
bool TargetRects::refresh(int k) {
    const ObjTask* task = tasks_[size_t(k)];
    const int first = k - boxes_[size_t(k)];
    int end = k + 1;
    while (end < count_ && tasks_[size_t(end)] == task) ++end;
    const ObjWork* work = task->work;
    if (work == nullptr || work->hit == nullptr) {
        for (int i = first; i < end; ++i) rects_[size_t(i)] = kNowhere;
        return true;
    }
    if (work->hitBoxes != boxArrays_[size_t(k)] || work->hitBoxCount != end - first) {
        invalidate();
        return false;
    }
    for (int i = first; i < end; ++i) rects_[size_t(i)] = targetRect(work->hitBoxes[boxes_[size_t(i)]], *work);
    return true;
}
