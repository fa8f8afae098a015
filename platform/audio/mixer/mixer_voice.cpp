#include "platform/audio/mixer/mixer_voice.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "platform/audio/mixer/audio_mixer.h"

namespace platform {
namespace {

constexpr float kMinFrequencyRatio = 1.0f / 1024.0f;
constexpr double kFixedOne = 4294967296.0;

uint32_t wholeFrames(uint64_t position) { return uint32_t(position >> 32); }

}  // namespace

MixerVoice::MixerVoice(AudioMixer& mixer, const SampleSource& source, uint32_t sourceRate,
                       float maxFrequencyRatio, AudioVoiceCallback* callback)
    : mixer_(mixer),
      source_(source),
      sourceRate_(sourceRate),
      maxRatio_(std::max(maxFrequencyRatio, 1.0f)),
      callback_(callback),
      outputs_(mixer.outputChannels()),
      outputRate_(mixer.outputSampleRate()),
      matrix_(size_t(source.channels()) * outputs_, 0.0f) {
    // Until told otherwise, channel n goes to output n and a mono source to both sides.
    const uint32_t channels = source_.channels();
    for (uint32_t o = 0; o < outputs_; ++o) {
        const uint32_t c = channels == 1 && o < 2 ? 0 : o;
        if (c < channels) matrix_[size_t(channels) * o + c] = 1.0f;
    }
}

void MixerVoice::submitBuffer(const AudioBuffer& buffer) {
    std::lock_guard lock(mixer_.mutex_);
    buffers_.push_back(playbackOf(buffer));
}

MixerVoice::Playback MixerVoice::playbackOf(const AudioBuffer& buffer) const {
    Playback p;
    p.buffer = buffer;
    p.frames = source_.frameCount(buffer);
    if (buffer.loopCount == 0 || buffer.loopBegin >= p.frames) return p;
    const uint32_t room = p.frames - buffer.loopBegin;
    p.loopBegin = buffer.loopBegin;
    p.loopLength = buffer.loopLength == 0 ? room : std::min(buffer.loopLength, room);
    p.loopsLeft = buffer.loopCount;
    return p;
}

void MixerVoice::start(uint32_t operationSet) {
    mixer_.change(this, operationSet, [this] { running_ = true; });
}

void MixerVoice::stop(uint32_t operationSet) {
    mixer_.change(this, operationSet, [this] { running_ = false; });
}

// A ratio that is not a number (a damaged pitch) can't be clamped: the
// voice keeps the ratio it has.
void MixerVoice::setFrequencyRatio(float ratio, uint32_t operationSet) {
    if (std::isnan(ratio)) return;
    const float clamped = std::clamp(ratio, kMinFrequencyRatio, maxRatio_);
    mixer_.change(this, operationSet, [this, clamped] { ratio_ = clamped; });
}

void MixerVoice::setOutputMatrix(uint32_t sourceChannels, uint32_t outputs, const float* levels,
                                 uint32_t operationSet) {
    const uint32_t channels = source_.channels();
    std::vector<float> matrix(matrix_.size(), 0.0f);
    for (uint32_t o = 0; o < std::min(outputs, outputs_); ++o)
        for (uint32_t c = 0; c < std::min(sourceChannels, channels); ++c)
            matrix[size_t(channels) * o + c] = levels[size_t(sourceChannels) * o + c];
    mixer_.change(this, operationSet, [this, matrix = std::move(matrix)] { matrix_ = matrix; });
}

void MixerVoice::flushSourceBuffers() {
    std::lock_guard lock(mixer_.mutex_);
    dropBuffers();
}

void MixerVoice::dropBuffers() {
    while (!buffers_.empty()) {
        buffers_.pop_front();
        callback_->onBufferEnd();
    }
}

void MixerVoice::render(float* out, size_t frames) {
    for (size_t i = 0; i < frames && running_; ++i) {
        dropEndedBuffers();
        if (buffers_.empty()) return;
        mixFrame(buffers_.front(), out + i * outputs_);
        advance(buffers_.front());
    }
    if (running_) dropEndedBuffers();
}

void MixerVoice::dropEndedBuffers() {
    while (!buffers_.empty() && wholeFrames(buffers_.front().position) >= buffers_.front().frames) {
        buffers_.pop_front();
        callback_->onBufferEnd();
    }
}

void MixerVoice::mixFrame(const Playback& p, float* out) const {
    const uint32_t frame = wholeFrames(p.position);
    const uint32_t next = nextFrame(p, frame);
    const float t = float(double(uint32_t(p.position)) / kFixedOne);
    const uint8_t* data = p.buffer.data.data();
    const uint32_t channels = source_.channels();
    for (uint32_t c = 0; c < channels; ++c) {
        const float a = source_.sample(data, frame, c);
        const float s = a + (source_.sample(data, next, c) - a) * t;
        for (uint32_t o = 0; o < outputs_; ++o) out[o] += matrix_[size_t(channels) * o + c] * s;
    }
}

// The frame interpolated towards: the loop's start at its end while it still
// repeats, the last frame itself at the end of the data.
uint32_t MixerVoice::nextFrame(const Playback& p, uint32_t frame) const {
    const uint32_t next = frame + 1;
    if (p.loopsLeft > 0 && next == p.loopBegin + p.loopLength) return p.loopBegin;
    return next < p.frames ? next : frame;
}

void MixerVoice::advance(Playback& p) const {
    p.position += step();
    const uint32_t loopEnd = p.loopBegin + p.loopLength;
    if (p.loopsLeft == 0 || wholeFrames(p.position) < loopEnd) return;
    const uint64_t length = uint64_t(p.loopLength) << 32;
    const uint64_t beyond = p.position - (uint64_t(loopEnd) << 32);
    if (p.loopsLeft == kAudioLoopInfinite) {
        p.position = (uint64_t(p.loopBegin) << 32) + beyond % length;
        return;
    }
    const uint64_t laps = std::min<uint64_t>(beyond / length + 1, p.loopsLeft);
    p.position -= laps * length;
    p.loopsLeft -= uint32_t(laps);
}

uint64_t MixerVoice::step() const {
    return uint64_t(double(ratio_) * sourceRate_ / outputRate_ * kFixedOne);
}

}  // namespace platform
