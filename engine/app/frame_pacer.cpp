#include "engine/app/frame_pacer.h"

#include <cmath>

#include "platform/clock/clock.h"

double pacingPeriod(int32_t integerStep, int64_t frequency, int32_t speed) {
    return double(integerStep) * double(frequency) / (double(speed) * 60.0 / 100.0);
}

void MFramePacer::pace(double period) {
    if (!(period > 0.0) || !std::isfinite(period)) return;
    platform::Clock& clock = platform::currentClock();
    if (deadline_ == 0.0) deadline_ = double(clock.counter());
    double elapsed = double(clock.counter()) - deadline_;
    while (elapsed < period) {
        clock.sleep(1);
        elapsed = double(clock.counter()) - deadline_;
    }
    do {
        elapsed -= period;
        deadline_ += period;
    } while (elapsed >= period);
}

MFramePacer& framePacer() {
    static MFramePacer pacer;
    return pacer;
}
