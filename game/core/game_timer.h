#pragma once
// util::Timer: the game's microsecond stopwatch on the high-resolution
// counter of the clock seam (platform/clock). The game has one, gameTimer,
// built by static initialisation, started by the application main and read
// once a frame by the root task's frame step.
//
// Threads: main thread only.

#include <cstdint>
#include <memory>

namespace util {

class Timer {
public:
    struct Reading {
        uint32_t seconds = 0;
        uint32_t microseconds = 0;
    };

    // Stopped; the counter's frequency is read now, from the installed clock.
    Timer();
    virtual ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Starts a stopped timer (the last reading becomes now); a running one
    // is left alone.
    void start();
    // The frozen reading while stopped, else the counter's; a counter that
    // fails reads (0, 4294967295).
    Reading now() const;
    // Microseconds since the last reading, which becomes now; 0 when the
    // difference is negative.
    int32_t getElapsedMicroseconds();

private:
    struct Impl {
        Reading last;
        Reading frozen;
        int64_t frequency = 0;
        bool stopped = true;
    };
    std::unique_ptr<Impl> impl_;
};

}  // namespace util

extern util::Timer gameTimer;
