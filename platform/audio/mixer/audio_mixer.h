#pragma once
// The AudioEngine of our own: source voices mixed in 32-bit float at the
// output's rate and channel count. Nothing here talks to a device: whoever
// owns the output pulls frames with mix() (the SDL device's callback, or a
// test directly).
//
// Threads: the AudioEngine and AudioVoice calls come from one thread (the
// engine's), mix() from the output's thread; mutex_ guards every voice, its
// buffers and settings, and the pending changes. End-of-buffer callbacks run
// with mutex_ held.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/audio.h"

namespace platform {

class MixerVoice;

class AudioMixer : public AudioEngine {
public:
    AudioMixer(uint32_t sampleRate, uint32_t channels);
    ~AudioMixer() override;
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    AudioVoice* createSourceVoice(const AudioFormat& format, float maxFrequencyRatio,
                                  AudioVoiceCallback* callback) override;
    void destroyVoice(AudioVoice* voice) override;
    void commitChanges(uint32_t operationSet) override;
    uint32_t outputChannels() const override { return channels_; }
    uint32_t outputSampleRate() const override { return sampleRate_; }

    // Writes `frames` interleaved frames of outputChannels() samples: the sum
    // of every running voice, not clipped.
    void mix(float* out, size_t frames);

private:
    friend class MixerVoice;
    // Runs `apply` under the lock now, or at the commit of its operation set.
    void change(MixerVoice* voice, uint32_t operationSet, std::function<void()> apply);

    struct PendingChange {
        MixerVoice* voice;
        uint32_t operationSet;
        std::function<void()> apply;
    };

    const uint32_t sampleRate_;
    const uint32_t channels_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<MixerVoice>> voices_;
    std::vector<PendingChange> pending_;
};

}  // namespace platform
