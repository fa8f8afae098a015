#pragma once
// MMouse: eight buttons, the cursor and four wheel channels turned into
// per-frame state, latched once a frame like the touch pad's. Positions are
// per button (where it went down and where it is); position 0 is also the
// cursor. They are not latched. Like the touch pad it hooks into the post-loop
// and vsync phases, so it needs a live looper.
//
// Threads: press, release, move and wheel run on the thread that pumps the
// window's messages, latching on the main thread in the loop's phases; both
// sides take mutex_. The latched state is read on the main thread only.

#include <cstdint>
#include <mutex>

#include "engine/input/touch_pad.h"

class MMouse : public MLooperPostLoopHook, public MLooperVSyncHook {
public:
    static constexpr uint32_t kButtons = 8;
    static constexpr uint32_t kWheels = 4;

    MMouse();
    virtual ~MMouse() = default;

    void clearLatchedThisFrame() { latchedThisFrame_ = false; }
    void postLoopHook() override { clearLatchedThisFrame(); }
    void vsyncHook() override { latchOnce(); }
    virtual bool resetAndEnable();
    virtual void latchOnce();
    virtual void latch();
    virtual void enable() { enabled_ = true; }
    virtual void disable();
    virtual void reset();
    virtual void press(uint32_t button, float x, float y);
    virtual void release(uint32_t button, float x, float y);
    virtual void move(float x, float y);
    virtual void wheel(uint32_t channel, float dx, float dy);

    bool isEnabled() const { return enabled_; }
    uint32_t downMask() const { return latched_.down; }
    uint32_t pressedMask() const { return latched_.pressed; }
    uint32_t releasedMask() const { return latched_.released; }
    uint32_t movedMask() const { return latched_.moved; }
    uint32_t movedThisFrameMask() const { return latched_.movedThisFrame; }
    uint32_t wheelMask() const { return latched_.wheel; }
    uint32_t downCount() const { return downCount_; }
    uint32_t wheelCount() const { return wheelCount_; }
    uint32_t lastButton() const { return lastButton_; }
    uint32_t lastWheel() const { return lastWheel_; }
    MInputPoint position(uint32_t button);
    MInputPoint startPosition(uint32_t button);
    MInputPoint wheelDelta(uint32_t channel) const { return latchedWheel_[channel]; }

private:
    struct Masks {
        uint32_t down = 0;
        uint32_t pressed = 0;
        uint32_t released = 0;
        uint32_t moved = 0;
        uint32_t movedThisFrame = 0;
        uint32_t wheel = 0;
    };

    MInputPoint starts_[kButtons];
    MInputPoint positions_[kButtons];
    MInputPoint wheel_[kWheels];
    MInputPoint latchedWheel_[kWheels];
    Masks latched_;
    Masks live_;
    uint32_t downCount_ = 0;
    uint32_t lastButton_ = 0;
    uint32_t lastWheel_ = 0;
    uint32_t wheelCount_ = 0;
    bool latchedThisFrame_ = false;
    bool enabled_ = false;
    std::mutex mutex_;
};
