#pragma once
// MTouchPad: four touch points turned into per-frame state. The window feeds
// the live state (press, release, move); once a frame the vsync hook copies it
// to the latched state, which is all that readers use. The post-loop hook
// clears the latched-this-frame flag, so a reader that needs the fresh state
// before the vsync phase may call latchOnce itself. Both hooks register on
// construction, so a touch pad needs a live looper.
//
// Threads: press, release and move run on the thread that pumps the window's
// messages; latching on the main thread in the loop's phases. The live state
// is written and latched under mutex_; the latched state is read on the main
// thread only.

#include <cstdint>
#include <mutex>

#include "engine/task/looper_hook.h"

struct MInputPoint {
    float x = -1.0f;
    float y = -1.0f;
};

class MTouchPad : public MLooperPostLoopHook, public MLooperVSyncHook {
public:
    static constexpr uint32_t kPoints = 4;

    MTouchPad();
    virtual ~MTouchPad() = default;

    // The post-loop body.
    void clearLatchedThisFrame() { latchedThisFrame_ = false; }
    void postLoopHook() override { clearLatchedThisFrame(); }
    void vsyncHook() override { latchOnce(); }
    // Resets, enables and answers true.
    virtual bool resetAndEnable();
    // The vsync body: latches unless this frame already did.
    virtual void latchOnce();
    virtual void latch();
    virtual void enable() { enabled_ = true; }
    virtual void disable();
    virtual void reset();
    virtual void press(uint32_t index, float x, float y);
    virtual void release(uint32_t index, float x, float y);
    virtual void move(uint32_t index, float x, float y);

    bool isEnabled() const { return enabled_; }
    uint32_t downMask() const { return latched_.down; }
    uint32_t pressedMask() const { return latched_.pressed; }
    uint32_t releasedMask() const { return latched_.released; }
    uint32_t movedMask() const { return latched_.moved; }
    uint32_t movedThisFrameMask() const { return latched_.movedThisFrame; }
    uint32_t currentPoint() const { return latched_.current; }
    uint32_t downCount() const { return downCount_; }
    MInputPoint position(uint32_t index) const { return latched_.positions[index]; }
    MInputPoint startPosition(uint32_t index) const { return latched_.starts[index]; }

protected:
    struct State {
        MInputPoint starts[kPoints];
        MInputPoint positions[kPoints];
        uint32_t down = 0;
        uint32_t pressed = 0;
        uint32_t released = 0;
        uint32_t moved = 0;
        uint32_t movedThisFrame = 0;
        uint32_t current = 0;
    };

    // The live state of a point, for the soft keypad's drags.
    MInputPoint liveStart(uint32_t index);
    MInputPoint livePosition(uint32_t index);
    bool liveDown(uint32_t index);

private:
    State latched_;
    State live_;
    uint32_t downCount_ = 0;
    bool latchedThisFrame_ = false;
    bool enabled_ = false;
    std::mutex mutex_;
};
