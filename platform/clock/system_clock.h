#pragma once
#include "platform/clock/clock.h"

namespace platform {

// The real clock: monotonic counters, the process CPU-time clock and the
// local time zone.
class SystemClock final : public Clock {
public:
    uint32_t milliseconds() override;
    int64_t counter() override;
    int64_t counterFrequency() override;
    uint32_t processMilliseconds() override;
    LocalTime localTime() override;
    void sleep(uint32_t ms) override;
};

}  // namespace platform
