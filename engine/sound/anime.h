#pragma once
// MAnime: an animation stepped by frames. Its length in frames is cut into
// steps (16 a frame), and each update applies the step index reached, eased,
// when it differs from the one applied last; the last step is applied on the
// update that reaches the length. An animation may repeat (a count, or -1 for
// ever) and may hold its end for one more update before it finishes.
//
// Threads: main thread, as MTask.

#include <cstdint>

#include "engine/task/task.h"

class MAnime : public MTask {
public:
    static constexpr uint32_t kStepsPerFrame = 16;

    explicit MAnime(uint32_t frames);

    void update() final;

    uint32_t frames() const { return frames_; }
    uint32_t steps() const { return steps_; }
    void setRepeatCount(int32_t count) { repeatCount_ = count; }
    // 0 linear; 1..10 ease in of that order, -1..-10 ease out; beyond 10 (or
    // -10) the curve of order e - 10 on each half, in then out (or out then in).
    void setEasing(int32_t easing) { easing_ = easing; }
    void setHoldAtEnd(bool hold) { holdAtEnd_ = hold; }

protected:
    // Applies step index 0 .. steps() - 1.
    virtual void apply(int32_t index) = 0;

private:
    void end();
    int32_t indexAt(uint32_t elapsed) const;
    int64_t ease(int64_t i) const;
    int64_t power(int64_t x, int32_t order) const;

    bool started_ = false;
    bool holding_ = false;
    int32_t lastIndex_ = -1;
    uint32_t steps_;
    uint32_t elapsed_ = 0;
    uint32_t frames_;
    int32_t repeatsLeft_ = 0;
    int32_t repeatCount_ = 1;
    int32_t easing_ = 0;
    bool holdAtEnd_ = false;
};
