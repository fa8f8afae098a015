#pragma once
// MFrameRateMeter: the frames-per-second count. Every frame counts; the
// frame on which a whole second (in counter ticks) has passed since the
// window's start publishes the frames of that window, and the start moves on
// by as many whole seconds as have passed.
//
// Threads: main thread only (the display's pre-loop hook).

#include <cstdint>

class MFrameRateMeter {
public:
    // One frame at counter value now, frequency ticks a second.
    void tick(double frequency, double now);
    int32_t count() const { return count_; }
    double windowStart() const { return windowStart_; }

private:
    bool started_ = false;
    double windowStart_ = 0.0;
    int32_t frames_ = 0;
    int32_t count_ = 0;
};
