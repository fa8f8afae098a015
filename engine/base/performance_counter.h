#pragma once
// PerformanceCounter: a stopwatch on the high-resolution counter, started at
// construction. One global instance lives while the application object does;
// the display restarts it every frame.
//
// Threads: main thread only.

#include <cstdint>

class PerformanceCounter {
public:
    PerformanceCounter();

    void restart();
    int64_t elapsedTicks() const;
    double elapsedSeconds() const;
    int64_t frequency() const { return frequency_; }

private:
    int64_t frequency_;
    int64_t start_;
};

// The global stopwatch, or null outside the application object's life.
PerformanceCounter* performanceCounter();
void setPerformanceCounter(PerformanceCounter* counter);
