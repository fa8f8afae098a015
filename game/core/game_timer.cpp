#include "game/core/game_timer.h"

#include "platform/clock/clock.h"

util::Timer gameTimer;

namespace util {

Timer::Timer() : impl_(std::make_unique<Impl>()) {
    impl_->frequency = platform::currentClock().counterFrequency();
}

Timer::~Timer() = default;

void Timer::start() {
    if (!impl_->stopped) return;
    impl_->stopped = false;
    impl_->last = now();
    impl_->frozen = {};
}

Timer::Reading Timer::now() const {
    if (impl_->stopped) return impl_->frozen;
    const int64_t counter = platform::currentClock().counter();
    const int64_t frequency = impl_->frequency;
    if (counter < 0 || frequency <= 0) return {0, 4294967295u};
    const uint64_t ticks = uint64_t(counter);
    const uint64_t hertz = uint64_t(frequency);
    return {uint32_t(ticks / hertz), uint32_t((ticks % hertz) * 1000000u / hertz)};
}

int32_t Timer::getElapsedMicroseconds() {
    const Reading current = now();
    const Reading last = impl_->last;
    // 32-bit arithmetic throughout: a wrapped difference reads as negative.
    const uint32_t elapsed = (current.seconds - last.seconds) * 1000000u - last.microseconds + current.microseconds;
    impl_->last = current;
    const auto signedElapsed = int32_t(elapsed);
    return signedElapsed < 0 ? 0 : signedElapsed;
}

}  // namespace util
