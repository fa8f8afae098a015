#pragma once
// MMenu: the engine's menu. It owns its items (MMenuItem), keeps at most one
// selected, moves the selection with the direction buttons, the pointer or an
// item's shortcut buttons, and hands a decided item to onSelect. A derived
// menu adds its items in build, which runs at the menu's first step, or on
// background queue 1 when backgroundBuild is set; the menu then stays
// suspended and hidden until the build is through.
//
// Threads: main thread, except build, which runs on background queue 1 when
// backgroundBuild is set. Meanwhile the menu's own step does not run (its
// serial set holds the build) and its parallel set is suspended and hidden,
// so build may add items and views without further locking: the sets it adds
// to hold their mutexes.

#include <cstdint>
#include <map>
#include <memory>

#include "engine/input/input.h"
#include "engine/render/display.h"
#include "engine/task/process.h"
#include "engine/ui/menu_item.h"

class MMenu : public MProcess {
public:
    static constexpr int kRight = 1;
    static constexpr int kDown = 2;
    static constexpr int kLeft = 3;
    static constexpr int kUp = 4;

    static constexpr uint32_t kDecideBit = 0x1;
    static constexpr uint32_t kRightBit = 0x10;
    static constexpr uint32_t kLeftBit = 0x20;
    static constexpr uint32_t kUpBit = 0x40;
    static constexpr uint32_t kDownBit = 0x80;
    static constexpr uint32_t kPointerBit = 0x1000;
    static constexpr uint32_t kShortcutBits = 0x1FFFFFFF;

    // Without an input record the menu makes its own input hub at its first
    // step and reads the hub's first record.
    explicit MMenu(MInput* input);

    void step() override { (this->*step_)(); }

    virtual void build() {}
    virtual void placeCursor() {}
    virtual void onCursorEnter(MMenuItem*) {}
    virtual void onCursorLeave(MMenuItem*) {}
    virtual void onSelect(MMenuItem*) {}

    void select(MMenuItem* item);
    MMenuItem* findSelected();
    MMenuItem* findNearest(float x, float y);
    MMenuItem* moveFrom(MMenuItem* item, int direction);
    MMenuItem* findInDirection(int direction, const MRectF& rect);

    // Makes the menu the item's owner and appends it to the items; from build
    // or later.
    void addItem(MMenuItem* item);
    // An explicit neighbour: moving in direction from `from` goes to `to`.
    void addLink(MMenuItem* from, int direction, MMenuItem* to);

    MInput* getInput() const { return input_; }
    MMenuItemSet* getItems() const { return items_; }
    MParallelTaskSet* getDecorations() const { return decorations_; }
    float cursorX() const { return cursorX_; }
    float cursorY() const { return cursorY_; }

    uint8_t active = 1;
    uint8_t fallback = 0;
    uint8_t backgroundBuild = 0;

private:
    struct Link {
        int direction;
        MMenuItem* target;
    };
    using StepFunction = void (MMenu::*)();

    void start();
    void run();
    void queueBackgroundBuild();
    void followPointer();
    bool decideShortcut(uint32_t pressed);
    bool decideSelected(uint32_t pressed);
    void moveSelection(uint32_t pressed);
    void moveCursorTo(MMenuItem* item);

    StepFunction step_ = &MMenu::start;
    MInput* input_;
    MMenuItemSet* items_ = nullptr;
    MParallelTaskSet* decorations_ = nullptr;
    float cursorX_ = 0.0f;
    float cursorY_ = 0.0f;
    std::multimap<MMenuItem*, Link> links_;
};

// The direction of the pressed buttons: down over up over left over right; 0
// when none is pressed.
int menuDirectionOf(uint32_t pressed);
// Whether point (x, y) lies in the 90-degree wedge that opens in direction
// from the sides of rect.
bool menuInDirection(int direction, const MRectF& rect, float x, float y);
