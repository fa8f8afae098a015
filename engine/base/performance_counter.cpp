#include "engine/base/performance_counter.h"

#include "platform/clock/clock.h"

namespace {
PerformanceCounter* globalCounter = nullptr;
}

PerformanceCounter::PerformanceCounter()
    : frequency_(platform::currentClock().counterFrequency()), start_(platform::currentClock().counter()) {}

void PerformanceCounter::restart() { start_ = platform::currentClock().counter(); }

int64_t PerformanceCounter::elapsedTicks() const { return platform::currentClock().counter() - start_; }

double PerformanceCounter::elapsedSeconds() const { return double(elapsedTicks()) / double(frequency_); }

PerformanceCounter* performanceCounter() { return globalCounter; }

void setPerformanceCounter(PerformanceCounter* counter) { globalCounter = counter; }
