#include "engine/render/frame_rate_meter.h"

void MFrameRateMeter::tick(double frequency, double now) {
    if (!started_) {
        started_ = true;
        windowStart_ = now;
    }
    ++frames_;
    if (frequency <= 0.0 || now - windowStart_ < frequency) return;
    count_ = frames_;
    while (now - windowStart_ >= frequency) windowStart_ += frequency;
    frames_ = 0;
}
