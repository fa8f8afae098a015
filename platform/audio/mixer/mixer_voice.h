#pragma once
// One source voice of the AudioMixer: a queue of buffers played through our
// own linear-interpolating resampler (source rate x frequency ratio against
// the output rate, in 32.32 fixed point, so loop points and lengths are exact)
// and spread over the output channels by its level matrix.
//
// Threads: the AudioVoice calls come from the engine's thread and take the
// mixer's lock (or queue a pending change); every other member is called by
// the AudioMixer with its lock held.

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/audio/audio.h"
#include "platform/audio/mixer/sample_source.h"

namespace platform {

class AudioMixer;

class MixerVoice final : public AudioVoice {
public:
    MixerVoice(AudioMixer& mixer, const SampleSource& source, uint32_t sourceRate,
               float maxFrequencyRatio, AudioVoiceCallback* callback);

    void submitBuffer(const AudioBuffer& buffer) override;
    void start(uint32_t operationSet) override;
    void stop(uint32_t operationSet) override;
    void setFrequencyRatio(float ratio, uint32_t operationSet) override;
    void setOutputMatrix(uint32_t sourceChannels, uint32_t outputs, const float* levels,
                         uint32_t operationSet) override;
    void flushSourceBuffers() override;

    // With the mixer locked: adds `frames` frames of this voice into `out`.
    void render(float* out, size_t frames);
    // With the mixer locked: drops every buffer, reporting each end.
    void dropBuffers();

private:
    struct Playback {
        AudioBuffer buffer;
        uint32_t frames = 0;
        uint32_t loopBegin = 0;
        uint32_t loopLength = 0;
        uint32_t loopsLeft = 0;
        uint64_t position = 0;  // 32.32 fixed point, in source frames
    };

    Playback playbackOf(const AudioBuffer& buffer) const;
    void dropEndedBuffers();
    void mixFrame(const Playback& p, float* out) const;
    uint32_t nextFrame(const Playback& p, uint32_t frame) const;
    void advance(Playback& p) const;
    uint64_t step() const;

    AudioMixer& mixer_;
    SampleSource source_;
    uint32_t sourceRate_;
    float maxRatio_;
    AudioVoiceCallback* callback_;
    uint32_t outputs_;
    uint32_t outputRate_;
    bool running_ = false;
    float ratio_ = 1.0f;
    std::vector<float> matrix_;  // matrix_[channels * output + source]
    std::deque<Playback> buffers_;
};

}  // namespace platform
