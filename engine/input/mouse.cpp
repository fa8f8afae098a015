#include "engine/input/mouse.h"

#include <bit>

MMouse::MMouse() : MLooperVSyncHook(true) { reset(); }

bool MMouse::resetAndEnable() {
    reset();
    enabled_ = true;
    return true;
}

void MMouse::latchOnce() {
    if (latchedThisFrame_) return;
    latch();
    latchedThisFrame_ = true;
}

void MMouse::latch() {
    {
        std::lock_guard lock(mutex_);
        latched_ = live_;
        live_.pressed = live_.released = live_.movedThisFrame = live_.wheel = 0;
        for (uint32_t channel = 0; channel < kWheels; ++channel) {
            latchedWheel_[channel] = wheel_[channel];
            wheel_[channel] = {0.0f, 0.0f};
        }
    }
    downCount_ = uint32_t(std::popcount(latched_.down & 0xFF));
    wheelCount_ = uint32_t(std::popcount(latched_.wheel & 0xF));
}

void MMouse::disable() {
    enabled_ = false;
    reset();
}

void MMouse::reset() {
    std::lock_guard lock(mutex_);
    for (MInputPoint& p : starts_) p = MInputPoint();
    for (MInputPoint& p : positions_) p = MInputPoint();
    for (MInputPoint& p : wheel_) p = {0.0f, 0.0f};
    for (MInputPoint& p : latchedWheel_) p = MInputPoint();
    latched_ = live_ = Masks();
    downCount_ = lastButton_ = lastWheel_ = wheelCount_ = 0;
}

void MMouse::press(uint32_t button, float x, float y) {
    if (button >= kButtons || !enabled_) return;
    std::lock_guard lock(mutex_);
    starts_[button] = positions_[button] = {x, y};
    lastButton_ = button;
    const uint32_t bit = 1u << button;
    live_.down |= bit;
    live_.pressed |= bit;
    live_.moved &= ~bit;
}

// A release off the window (negative position) keeps the last position.
void MMouse::release(uint32_t button, float x, float y) {
    if (button >= kButtons) return;
    std::lock_guard lock(mutex_);
    const uint32_t bit = 1u << button;
    if ((latched_.moved & bit) && x >= 0.0f && y >= 0.0f) positions_[button] = {x, y};
    live_.released |= bit;
    live_.down &= ~bit;
}

void MMouse::move(float x, float y) {
    std::lock_guard lock(mutex_);
    positions_[0] = {x, y};
    live_.movedThisFrame |= 1;
    live_.moved |= 1;
}

void MMouse::wheel(uint32_t channel, float dx, float dy) {
    if (channel >= kWheels) return;
    std::lock_guard lock(mutex_);
    wheel_[channel].x += dx;
    wheel_[channel].y += dy;
    latched_.wheel |= 1u << channel;
    live_.wheel |= 1u << channel;
    lastWheel_ = channel;
}

MInputPoint MMouse::position(uint32_t button) {
    std::lock_guard lock(mutex_);
    return positions_[button];
}

MInputPoint MMouse::startPosition(uint32_t button) {
    std::lock_guard lock(mutex_);
    return starts_[button];
}
