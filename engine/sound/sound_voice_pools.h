#pragma once
// MSound's three fixed pools of voice slots (32, 8 and 1 slots) on the audio
// engine: starting a voice in a slot, the run state each slot should have,
// gains, and the flush that applies every change as one operation set. With
// no audio engine every call that would touch a voice does nothing (silent
// mode): slots then never hold a voice, so their sounds count as ended.
//
// Threads: main thread only, except VoiceContext::onBufferEnd, which the
// audio engine calls on its own thread (or at once on flush and destroy); it
// only clears the atomic `playing` flag.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/sound/sound_voice_record.h"
#include "platform/audio/audio.h"

class MSoundVoicePools {
public:
    static constexpr uint32_t kPoolCount = 3;
    static constexpr std::array<uint32_t, kPoolCount> kPoolSizes = {32, 8, 1};
    static constexpr float kMaxFrequencyRatio = 1024.0f;

    class VoiceContext final : public platform::AudioVoiceCallback {
    public:
        void onBufferEnd() override { playing.store(0); }
        std::atomic<uint8_t> playing{1};
        uint8_t stopRequested = 0;  // main thread only
    };

    // Null engine: silent mode.
    explicit MSoundVoicePools(std::unique_ptr<platform::AudioEngine> engine);
    ~MSoundVoicePools();
    MSoundVoicePools(const MSoundVoicePools&) = delete;
    MSoundVoicePools& operator=(const MSoundVoicePools&) = delete;

    bool silent() const { return engine_ == nullptr; }

    // Replaces the slot's voice with a new one playing the sample data; it
    // starts at the next flush. A slot beyond its pool is ignored.
    void start(uint32_t device, uint32_t slot, const MSoundSampleData& sampleData);
    // Run state 1 (started) or 0 (stopped), applied at the next flush; the
    // one-slot pool flushes at once.
    void setWanted(uint32_t device, uint32_t slot, uint32_t state);
    // The slot's buffer is flushed at the next flush (at once for the one-slot pool).
    void requestStop(uint32_t device, uint32_t slot);
    bool hasVoice(uint32_t device, uint32_t slot) const;
    // True while the slot's voice has not reported its buffer's end.
    bool isPlaying(uint32_t device, uint32_t slot) const;
    // Counts the slot's voice as ended although it never said so.
    void forgetEnd(uint32_t device, uint32_t slot);
    void setGain(uint32_t device, uint32_t slot, float frequencyRatio, float left, float right);
    void flush();

private:
    struct Slot {
        platform::AudioVoice* voice = nullptr;
        std::unique_ptr<VoiceContext> context;
        platform::AudioFormat format;
        uint32_t appliedRunState = 0;
        uint32_t wantedRunState = 0;
    };

    Slot* find(uint32_t device, uint32_t slot);
    const Slot* find(uint32_t device, uint32_t slot) const;
    void release(Slot& s);
    void flushIfSingle(uint32_t device);

    std::unique_ptr<platform::AudioEngine> engine_;
    std::array<std::vector<Slot>, kPoolCount> pools_;
    uint32_t operationSet_ = 1;
};
