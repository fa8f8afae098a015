#include "platform/clock/fake_clock.h"

namespace platform {

uint32_t FakeClock::milliseconds() { return uint32_t(micros_.load() / 1000); }

int64_t FakeClock::counter() { return micros_.load(); }

int64_t FakeClock::counterFrequency() { return 1000000; }

uint32_t FakeClock::processMilliseconds() { return milliseconds(); }

LocalTime FakeClock::localTime() { return local_; }

void FakeClock::sleep(uint32_t ms) { advance(ms); }

}  // namespace platform
