#pragma once
// MMenuItem: one entry of an MMenu. Its owner menu searches, selects and
// decides it; a derived item supplies its rectangle, shows its highlight and
// may act when it is decided. MMenuItemSet is the menu's list of items, in
// the order they were added, which is the order of every search.
//
// Threads: main thread, except that a menu built in the background adds its
// items from its build thread while the menu is suspended and hidden; the
// item set's mutex (enabled by the menu) guards the list then.

#include <cstdint>

#include "engine/render/display.h"
#include "engine/task/process.h"
#include "engine/task/task_set.h"

class MMenu;

class MMenuItem : public MProcess {
public:
    MMenuItem() = default;

    virtual MRectF getRect() = 0;
    virtual void setHighlighted(bool) {}
    virtual void onDecide() {}

    float centreX() { const MRectF r = getRect(); return (r.left + r.right) * 0.5f; }
    float centreY() { const MRectF r = getRect(); return (r.top + r.bottom) * 0.5f; }

    MMenu* owner = nullptr;
    uint8_t visible = 1;
    uint8_t selected = 0;
    uint8_t locked = 0;
    uint8_t pointerBlind = 0;
    uint32_t shortcutMask = 0;
};

class MMenuItemSet final : public MParallelTaskSet {
public:
    // The first item, in list order, for which pred holds; null when none.
    template <class Pred>
    MMenuItem* findFirst(Pred pred) {
        ListLock lock(*this);
        for (MTask* task = head_; task; task = nextOf(task)) {
            auto* item = static_cast<MMenuItem*>(task);
            if (pred(item)) return item;
        }
        return nullptr;
    }
};
