#pragma once
// The collision pass's geometry: hit boxes become integer rectangles (edges
// truncated toward zero) that overlap only strictly, and the rectangles of a
// target group cached for one pair of the pass. Used by collision.cpp only.
//
// Threads: main thread only.

#include <array>
#include <cstddef>
#include <cstdint>

struct HitBox;
struct ObjTask;
struct ObjWork;

struct BoxRect {
    int32_t left, top, right, bottom;
};

// Rectangles that only share an edge do not overlap. All four tests, without
// branches between them: most pairs fail one of them at random.
inline bool overlaps(const BoxRect& a, const BoxRect& t) {
    return (a.left < t.right) & (a.top < t.bottom) & (t.left < a.right) & (t.top < a.bottom);
}

// The target box's rectangle; one that overlaps nothing when the box or its
// owner's position is not a finite number.
BoxRect targetRect(const HitBox& box, const ObjWork& work);
// The attacker box's rectangle, or false when it is not a finite number. The
// fighter picks items up with a 4 by 4 square round the box's centre, however
// large the box.
bool attackerRect(const HitBox& box, const ObjWork& work, bool pickUpSquare, BoxRect& out);

// The rectangles of every box of every target with a hit callback, in walk
// order, built for a pair. They hold while the group's touch count stands
// (obj_task.h): a hit callback that reaches another target of the group, or
// creates or releases one, makes them stale. The hit target itself is set
// aside and read again with refresh. A group with more boxes than the cache
// holds is never cached and is walked as it stands.
class TargetRects {
public:
    static constexpr int kCapacity = 16384;

    // False, and nothing cached, when the group's boxes don't fit.
    bool build(int32_t group);
    void invalidate() { group_ = -1; }
    bool validFor(int32_t group) const;
    // Reads entry k's target again after its callbacks: false when its box
    // array or count is no longer the one cached (then nothing is valid).
    bool refresh(int k);

    int count() const { return count_; }
    const BoxRect& rect(int k) const { return rects_[size_t(k)]; }
    ObjTask* task(int k) const { return tasks_[size_t(k)]; }
    int32_t box(int k) const { return boxes_[size_t(k)]; }

private:
    int32_t group_ = -1;
    uint32_t touches_ = 0;
    int count_ = 0;
    std::array<BoxRect, kCapacity> rects_;
    std::array<ObjTask*, kCapacity> tasks_;
    std::array<int32_t, kCapacity> boxes_;
    std::array<const HitBox*, kCapacity> boxArrays_;
};
