#pragma once
#include <atomic>

#include "platform/clock/clock.h"

namespace platform {

// A clock that moves only when told: advance() and sleep() move every counter
// by the same amount; the local time is whatever setLocalTime gave.
// Threads: the counters may be read and advanced from any thread.
class FakeClock final : public Clock {
public:
    void advance(uint32_t ms) { advanceMicroseconds(int64_t(ms) * 1000); }
    void advanceMicroseconds(int64_t us) { micros_ += us; }
    void setMilliseconds(uint32_t ms) { micros_ = int64_t(ms) * 1000; }
    void setLocalTime(const LocalTime& t) { local_ = t; }

    uint32_t milliseconds() override;
    int64_t counter() override;
    int64_t counterFrequency() override;
    uint32_t processMilliseconds() override;
    LocalTime localTime() override;
    void sleep(uint32_t ms) override;

private:
    std::atomic<int64_t> micros_{0};
    LocalTime local_{2026, 1, 4, 1, 0, 0, 0, 0};
};

}  // namespace platform
