#pragma once
// The one clock through which everything reads time: the millisecond counter,
// the high-resolution counter, the process's processor time, the local
// calendar time and sleeping. Tests install a FakeClock and advance it by hand.
//
// Threads: any thread may read the clock. Installing a clock with setClock is
// done while no other thread reads it (at start-up or between test cases).

#include <cstdint>

namespace platform {

struct LocalTime {
    int year = 0;
    int month = 0;      // 1..12
    int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
    int day = 0;        // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps around at 2^32.
    virtual uint32_t milliseconds() = 0;
    // High-resolution ticks and their count per second.
    virtual int64_t counter() = 0;
    virtual int64_t counterFrequency() = 0;
    // Processor time of the process, in milliseconds.
    virtual uint32_t processMilliseconds() = 0;
    virtual LocalTime localTime() = 0;
    virtual void sleep(uint32_t ms) = 0;
};

// The installed clock: the system clock unless a test installed another.
Clock& currentClock();
// Installs a clock (not owned); nullptr restores the system clock.
void setClock(Clock* clock);

}  // namespace platform
