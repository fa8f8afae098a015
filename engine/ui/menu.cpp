#include "engine/ui/menu.h"

#include <cmath>
#include <limits>

#include "engine/input/input_hub.h"
#include "engine/task/bg_task.h"
#include "engine/task/call_task.h"

namespace {

constexpr int kBuildQueue = 1;

bool isCandidate(const MMenuItem* item) { return item->visible && !item->locked; }

// The candidate nearest to (x, y) by |dx| + |dy|; the first of equals wins.
template <class Pred>
MMenuItem* nearestOf(MMenuItemSet& items, float x, float y, Pred pred) {
    MMenuItem* best = nullptr;
    float bestDistance = std::numeric_limits<float>::infinity();
    items.findFirst([&](MMenuItem* item) {
        if (!pred(item)) return false;
        const float distance = std::fabs(item->centreX() - x) + std::fabs(item->centreY() - y);
        if (distance < bestDistance) {
            best = item;
            bestDistance = distance;
        }
        return false;
    });
    return best;
}

}  // namespace

MMenu::MMenu(MInput* input) : input_(input) {}

void MMenu::start() {
    if (!input_) {
        auto* hub = new MSingleInputHub;
        getParallelSet().add(hub);
        input_ = hub->getInput(0);
    }
    items_ = new MMenuItemSet;
    decorations_ = new MParallelTaskSet;
    getParallelSet().add(items_);
    getParallelSet().add(decorations_);
    if (backgroundBuild) {
        queueBackgroundBuild();
    } else {
        build();
    }
    step_ = &MMenu::run;
}

void MMenu::queueBackgroundBuild() {
    MSerialTaskSet& serial = getSerialSet();
    MParallelTaskSet& parallel = getParallelSet();
    serial.enableMutex();
    parallel.enableMutex();
    items_->enableMutex();
    decorations_->enableMutex();
    serial.add(new MCallTask0<MTask>(&parallel, &MTask::suspend));
    serial.add(new MCallTask0<MTask>(&parallel, &MTask::hide));
    serial.add(new MBgCallTask0<MMenu>(kBuildQueue, this, &MMenu::build));
    serial.add(new MCallTask0<MTask>(&parallel, &MTask::resume));
    serial.add(new MCallTask0<MTask>(&parallel, &MTask::show));
}

void MMenu::addItem(MMenuItem* item) {
    item->owner = this;
    items_->add(item);
}

void MMenu::addLink(MMenuItem* from, int direction, MMenuItem* to) {
    links_.emplace(from, Link{direction, to});
}

void MMenu::select(MMenuItem* item) {
    if (item && item->locked) return;
    MMenuItem* current = findSelected();
    if (current == item) return;
    onCursorLeave(current);
    if (current) {
        current->selected = 0;
        current->setHighlighted(false);
    }
    if (!item) {
        onCursorEnter(nullptr);
        return;
    }
    item->selected = 1;
    item->setHighlighted(true);
    moveCursorTo(item);
    onCursorEnter(item);
}

void MMenu::moveCursorTo(MMenuItem* item) {
    cursorX_ = item->centreX();
    cursorY_ = item->centreY();
}

MMenuItem* MMenu::findSelected() {
    return items_->findFirst([](MMenuItem* item) { return item->visible && item->selected; });
}

MMenuItem* MMenu::findNearest(float x, float y) { return nearestOf(*items_, x, y, isCandidate); }

MMenuItem* MMenu::moveFrom(MMenuItem* item, int direction) {
    const auto [first, last] = links_.equal_range(item);
    for (auto link = first; link != last; ++link) {
        if (link->second.direction != direction) continue;
        MMenuItem* target = link->second.target;
        return isCandidate(target) ? target : nullptr;
    }
    if (first != last && !fallback) return nullptr;
    return findInDirection(direction, item->getRect());
}

MMenuItem* MMenu::findInDirection(int direction, const MRectF& rect) {
    const float cx = (rect.left + rect.right) * 0.5f;
    const float cy = (rect.top + rect.bottom) * 0.5f;
    MMenuItem* current = findSelected();
    return nearestOf(*items_, cx, cy, [&](MMenuItem* item) {
        return isCandidate(item) && item != current &&
               menuInDirection(direction, rect, item->centreX(), item->centreY());
    });
}

void MMenu::run() {
    if (!active) return;
    const uint32_t pressed = input_->pressed();
    if (input_->buttons & kPointerBit) followPointer();
    if (decideShortcut(pressed)) return;
    if (decideSelected(pressed)) return;
    moveSelection(pressed);
}

void MMenu::followPointer() {
    const MDisplay* display = MDisplay::getInstance();
    const float width = display ? display->screenWidth() : 0.0f;
    const float height = display ? display->screenHeight() : 0.0f;
    const float x = width * 0.5f * input_->touchX;
    const float y = height * 0.5f * input_->touchY;
    MMenuItem* hit = items_->findFirst([&](MMenuItem* item) {
        if (!item->visible || item->pointerBlind) return false;
        const MRectF r = item->getRect();
        return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
    });
    if (hit) {
        select(hit);
        return;
    }
    MMenuItem* current = findSelected();
    if (current && current->locked) select(nullptr);
}

bool MMenu::decideShortcut(uint32_t pressed) {
    const uint32_t bits = pressed & kShortcutBits;
    if (!bits) return false;
    MMenuItem* item =
        items_->findFirst([&](MMenuItem* each) { return each->visible && (each->shortcutMask & bits); });
    if (!item) return false;
    select(item);
    item->onDecide();
    onSelect(item);
    return true;
}

bool MMenu::decideSelected(uint32_t pressed) {
    MMenuItem* item = findSelected();
    if (!item || !(pressed & kDecideBit)) return false;
    moveCursorTo(item);
    item->onDecide();
    onSelect(item);
    if (!findSelected()) select(findNearest(cursorX_, cursorY_));
    return true;
}

void MMenu::moveSelection(uint32_t pressed) {
    const int direction = menuDirectionOf(pressed);
    if (!direction) {
        placeCursor();
        return;
    }
    MMenuItem* target = nullptr;
    if (MMenuItem* current = findSelected()) {
        target = moveFrom(current, direction);
    } else {
        target = findInDirection(direction, MRectF{cursorX_, cursorY_, cursorX_, cursorY_});
        if (!target) target = findNearest(cursorX_, cursorY_);
    }
    if (target) {
        select(target);
    } else {
        placeCursor();
    }
}
