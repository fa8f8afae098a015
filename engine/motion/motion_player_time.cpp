// The player's clock: how a step moves time and scan time, and which frame
// scans it asks its driver for on the way (loops, holds, backward play, a
// parameter driving time).
#include <cmath>

#include "engine/motion/motion_player.h"

namespace {

// Past this many single wraps the rest is done at once, so a huge step or a
// loop span too small to move the time still ends.
constexpr int kWrapSteps = 64;

}  // namespace

void MMotionPlayer::scan(MMotionScan kind) { driver_->scan(*this, kind); }

// An align or sync frame reached by a scan ends the step there.
bool MMotionPlayer::scanEnds(MMotionScan kind) {
    scan(kind);
    return alignReached_ || syncReached_;
}

void MMotionPlayer::advanceTime(float delta) {
    step_ = speed_ * delta;
    alignReached_ = false;
    if (directionMode_) selectByAngle(kMotionPlayKeepTime);
    if (!hasMotion()) return;
    if (timeSource_ >= 0) {
        followTimeSource();
        return;
    }
    if (!seekPending_ && !playing_) {
        if (!parameters_.empty()) scan(MMotionScan::Same);
        return;
    }
    // A sync frame holds the motion until a timeline is loaded again.
    if (alignReached_ || syncReached_) return;
    if (seekPending_ && seekEnds()) return;
    if (!hold_) {
        time_ += step_;
        scanTime_ = std::min(time_, lastTime_);
    }
    if (step_ >= 0.0f) {
        stepForward();
    } else {
        stepBackward();
    }
}

void MMotionPlayer::followTimeSource() {
    const float t = parameters_[size_t(timeSource_)].value;
    MMotionScan kind = MMotionScan::Same;
    if (seekPending_) {
        seekPending_ = false;
        kind = MMotionScan::Seek;
    } else if (t > scanTime_) {
        kind = MMotionScan::Forward;
    } else if (t < scanTime_) {
        kind = MMotionScan::Backward;
    }
    if (kind != MMotionScan::Same) time_ = scanTime_ = t;
    scan(kind);
}

// Backward play from a fresh start begins at the end; a replay from the start
// runs the frames from the start (or the end, going backward) up to the time.
bool MMotionPlayer::seekEnds() {
    if (step_ < 0.0f && time_ == 0.0f) time_ = scanTime_ = lastTime_;
    seekPending_ = false;
    const float target = scanTime_;
    if (replayFromStart_) {
        replayFromStart_ = false;
        if (step_ >= 0.0f) {
            scanTime_ = 0.0f;
            if (scanEnds(MMotionScan::Seek)) return true;
            scanTime_ = target;
            return scanEnds(MMotionScan::Forward);
        }
        if (lastTime_ > time_) {
            scanTime_ = lastTime_;
            if (scanEnds(MMotionScan::Seek)) return true;
            scanTime_ = target;
            return scanEnds(MMotionScan::Backward);
        }
    }
    return scanEnds(MMotionScan::Seek);
}

void MMotionPlayer::stepForward() {
    if (time_ < lastTime_) {
        if (!hold_) scan(MMotionScan::Forward);
        return;
    }
    scanTime_ = lastTime_;
    if (!loops()) {
        playing_ = false;
        if (!hold_) scan(MMotionScan::Forward);
        return;
    }
    if (scanEnds(MMotionScan::Forward)) return;
    scanTime_ = loopTime_;
    if (scanEnds(MMotionScan::Seek)) return;
    time_ = wrapForward(time_);
    scanTime_ = time_;
    scan(MMotionScan::Forward);
}

void MMotionPlayer::stepBackward() {
    const bool below = time_ < 0.0f || (loops() && time_ < loopTime_);
    if (!below) {
        if (!hold_) scan(MMotionScan::Backward);
        return;
    }
    if (!loops()) {
        time_ = scanTime_ = 0.0f;
        playing_ = false;
        if (!hold_) scan(MMotionScan::Backward);
        return;
    }
    scanTime_ = loopTime_;
    if (scanEnds(MMotionScan::Backward)) return;
    scanTime_ = lastTime_;
    if (scanEnds(MMotionScan::Seek)) return;
    time_ = wrapBackward(time_);
    scanTime_ = time_;
    scan(MMotionScan::Backward);
}

// Only called while loops() holds, so the span is positive.
float MMotionPlayer::wrapForward(float t) const {
    const float span = lastTime_ - loopTime_;
    for (int i = 0; i < kWrapSteps && t >= lastTime_; ++i) t = t - lastTime_ + loopTime_;
    if (t >= lastTime_) t = loopTime_ + std::fmod(t - loopTime_, span);
    return t < lastTime_ ? t : loopTime_;
}

float MMotionPlayer::wrapBackward(float t) const {
    const float span = lastTime_ - loopTime_;
    for (int i = 0; i < kWrapSteps && t < loopTime_; ++i) t = t - loopTime_ + lastTime_;
    if (t < loopTime_) {
        const float r = std::fmod(loopTime_ - t, span);
        t = r == 0.0f ? loopTime_ : lastTime_ - r;
    }
    return t >= loopTime_ ? t : loopTime_;
}
