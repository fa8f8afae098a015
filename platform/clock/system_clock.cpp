#include "platform/clock/system_clock.h"

#include <ctime>

namespace platform {

namespace {
int64_t nanoseconds(clockid_t id) {
    timespec ts{};
    clock_gettime(id, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}
}  // namespace

uint32_t SystemClock::milliseconds() {
    return uint32_t(nanoseconds(CLOCK_MONOTONIC) / 1000000);
}

int64_t SystemClock::counter() { return nanoseconds(CLOCK_MONOTONIC); }

int64_t SystemClock::counterFrequency() { return 1000000000; }

uint32_t SystemClock::processMilliseconds() {
    return uint32_t(nanoseconds(CLOCK_PROCESS_CPUTIME_ID) / 1000000);
}

LocalTime SystemClock::localTime() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm t{};
    localtime_r(&ts.tv_sec, &t);
    return LocalTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_wday, t.tm_mday,
                     t.tm_hour, t.tm_min, t.tm_sec, int(ts.tv_nsec / 1000000)};
}

void SystemClock::sleep(uint32_t ms) {
    timespec ts{time_t(ms / 1000), long(ms % 1000) * 1000000};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

}  // namespace platform
