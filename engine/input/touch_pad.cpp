#include "engine/input/touch_pad.h"

#include <bit>

MTouchPad::MTouchPad() : MLooperVSyncHook(true) { reset(); }

bool MTouchPad::resetAndEnable() {
    reset();
    enabled_ = true;
    return true;
}

void MTouchPad::latchOnce() {
    if (latchedThisFrame_) return;
    latch();
    latchedThisFrame_ = true;
}

void MTouchPad::latch() {
    {
        std::lock_guard lock(mutex_);
        latched_ = live_;
        live_.pressed = live_.released = live_.movedThisFrame = 0;
    }
    downCount_ = uint32_t(std::popcount(latched_.down & 0xF));
}

void MTouchPad::disable() {
    enabled_ = false;
    reset();
}

void MTouchPad::reset() {
    std::lock_guard lock(mutex_);
    latched_ = State();
    live_ = State();
    downCount_ = 0;
}

void MTouchPad::press(uint32_t index, float x, float y) {
    if (index >= kPoints || !enabled_) return;
    std::lock_guard lock(mutex_);
    const uint32_t bit = 1u << index;
    live_.down |= bit;
    live_.pressed |= bit;
    live_.moved &= ~bit;
    live_.positions[index] = live_.starts[index] = {x, y};
    live_.current = index;
}

// A point that never moved keeps the position where it went down.
void MTouchPad::release(uint32_t index, float x, float y) {
    if (index >= kPoints) return;
    std::lock_guard lock(mutex_);
    const uint32_t bit = 1u << index;
    live_.released |= bit;
    live_.down &= ~bit;
    if (latched_.moved & bit) live_.positions[index] = {x, y};
}

void MTouchPad::move(uint32_t index, float x, float y) {
    if (index >= kPoints) return;
    std::lock_guard lock(mutex_);
    const uint32_t bit = 1u << index;
    live_.movedThisFrame |= bit;
    live_.down |= bit;
    live_.moved |= bit;
    live_.positions[index] = {x, y};
}

MInputPoint MTouchPad::liveStart(uint32_t index) {
    std::lock_guard lock(mutex_);
    return live_.starts[index];
}

MInputPoint MTouchPad::livePosition(uint32_t index) {
    std::lock_guard lock(mutex_);
    return live_.positions[index];
}

bool MTouchPad::liveDown(uint32_t index) {
    std::lock_guard lock(mutex_);
    return (live_.down >> index) & 1;
}
