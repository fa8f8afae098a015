#pragma once
// An audio engine that only records: which voices exist, what they were
// given, whether they run. Ends are reported on flush and destroy like our
// mixer does, unless a test makes it a back end that never reports them.
#include <functional>
#include <memory>
#include <vector>

#include "platform/audio/audio.h"

class FakeAudioEngine;

class FakeVoice final : public platform::AudioVoice {
public:
    FakeVoice(FakeAudioEngine& engine, const platform::AudioFormat& format,
              platform::AudioVoiceCallback* callback)
        : format(format), engine_(engine), callback_(callback) {}

    void submitBuffer(const platform::AudioBuffer& buffer) override { buffers.push_back(buffer); }
    void start(uint32_t set) override;
    void stop(uint32_t set) override;
    void setFrequencyRatio(float r, uint32_t set) override;
    void setOutputMatrix(uint32_t sourceChannels, uint32_t outputs, const float* levels,
                         uint32_t set) override;
    void flushSourceBuffers() override;

    // The buffer played to its end by itself.
    void finish();
    void dropBuffers();

    platform::AudioFormat format;
    std::vector<platform::AudioBuffer> buffers;
    bool running = false;
    bool destroyed = false;
    float ratio = 1.0f;
    std::vector<float> levels;  // levels[channels * output + source]
    int flushes = 0;

private:
    FakeAudioEngine& engine_;
    platform::AudioVoiceCallback* callback_;
};

class FakeAudioEngine final : public platform::AudioEngine {
public:
    platform::AudioVoice* createSourceVoice(const platform::AudioFormat& format, float,
                                            platform::AudioVoiceCallback* callback) override;
    void destroyVoice(platform::AudioVoice* voice) override;
    void commitChanges(uint32_t set) override;
    uint32_t outputChannels() const override { return 2; }
    uint32_t outputSampleRate() const override { return 48000; }

    void change(FakeVoice* voice, uint32_t set, std::function<void()> apply);
    std::vector<FakeVoice*> liveVoices() const;

    bool reportsEnds = true;
    std::vector<std::unique_ptr<FakeVoice>> voices;  // every voice ever made, in order

private:
    struct Pending {
        FakeVoice* voice;
        uint32_t set;
        std::function<void()> apply;
    };
    std::vector<Pending> pending_;
};
