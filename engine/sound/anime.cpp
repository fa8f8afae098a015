#include "engine/sound/anime.h"

#include <algorithm>

#include "engine/task/looper.h"

namespace {

// Whole frames this update stands for: the looper's frame delta (at least 1
// with a variable step), cut to a whole number.
uint32_t framesThisUpdate() {
    const MLooper* looper = MLooper::getInstance();
    const float delta = looper ? looper->getFrameDelta() : 1.0f;
    return uint32_t(std::max(delta, 0.0f));
}

}  // namespace

MAnime::MAnime(uint32_t frames) : steps_(frames == 0 ? 1 : frames * kStepsPerFrame), frames_(frames) {}

void MAnime::update() {
    if (!started_) {
        started_ = true;
        elapsed_ = 0;
        lastIndex_ = -1;
        repeatsLeft_ = repeatCount_;
    }
    if (holding_) {
        holding_ = false;
        setState(kFinished);
        return;
    }
    if (frames_ == 0) {
        apply(int32_t(steps_ - 1));
        end();
        return;
    }
    elapsed_ += framesThisUpdate();
    if (elapsed_ >= frames_) {
        if (repeatsLeft_ == -1 || --repeatsLeft_ != 0) {
            elapsed_ %= frames_;
            lastIndex_ = indexAt(elapsed_);
            apply(0);
            return;
        }
        elapsed_ = frames_;
        end();
    }
    const int32_t index = indexAt(elapsed_);
    if (index == lastIndex_) return;
    lastIndex_ = index;
    apply(index);
}

void MAnime::end() {
    if (holdAtEnd_) {
        holding_ = true;
    } else {
        setState(kFinished);
    }
}

int32_t MAnime::indexAt(uint32_t elapsed) const {
    return int32_t(ease(int64_t(steps_ - 1) * int64_t(elapsed) / int64_t(frames_)));
}

int64_t MAnime::ease(int64_t i) const {
    const int64_t last = int64_t(steps_) - 1;
    const int32_t e = easing_;
    if (e == 0) return i;
    if (e >= 1 && e <= 10) return power(i, e);
    if (e <= -1 && e >= -10) return last - power(last - i, -e);
    // Both halves on a doubled scale, each half's curve then halved.
    const int64_t x = 2 * i;
    if (e > 10) return x <= last ? power(x, e - 10) / 2 : last - power(2 * last - x, e - 10) / 2;
    return x <= last ? (last - power(last - x, -10 - e)) / 2 : (last + power(x - last, -10 - e)) / 2;
}

int64_t MAnime::power(int64_t x, int32_t order) const {
    int64_t r = x;
    for (int32_t k = 0; k < order; ++k) r = r * x / int64_t(steps_);
    return r;
}
