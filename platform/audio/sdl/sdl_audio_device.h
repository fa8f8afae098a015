#pragma once
// The AudioEngine on the machine's sound device: SDL opens the device in the
// format it prefers, and our AudioMixer is pulled at exactly that rate and
// channel count from SDL's callback. SDL is never asked to resample (its
// resampler drops the tail of a stream); only the sample type is converted.
//
// Threads: the AudioEngine calls come from the engine's thread; SDL's audio
// thread calls fill(). The mixer's own lock keeps the two apart, and closing
// the device waits for a running callback to return.

#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/audio/audio.h"
#include "platform/audio/mixer/audio_mixer.h"

namespace platform {

inline constexpr const char* kNoSoundDeviceMessage = "No sound device could be opened: the game plays silent.";

class SdlAudioDevice final : public AudioEngine {
public:
    // Null when SDL's audio can't start or no device opens; the first such
    // failure of the process says so on standard error, once.
    static std::unique_ptr<SdlAudioDevice> open();
    ~SdlAudioDevice() override;

    AudioVoice* createSourceVoice(const AudioFormat& format, float maxFrequencyRatio,
                                  AudioVoiceCallback* callback) override {
        return mixer_->createSourceVoice(format, maxFrequencyRatio, callback);
    }
    void destroyVoice(AudioVoice* voice) override { mixer_->destroyVoice(voice); }
    void commitChanges(uint32_t operationSet) override { mixer_->commitChanges(operationSet); }
    uint32_t outputChannels() const override { return mixer_->outputChannels(); }
    uint32_t outputSampleRate() const override { return mixer_->outputSampleRate(); }

    const SDL_AudioSpec& spec() const { return spec_; }

private:
    SdlAudioDevice() = default;
    bool start();
    static void SDLCALL callback(void* self, Uint8* stream, int length);
    void fill(Uint8* stream, int length);

    bool audioStarted_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    SDL_AudioCVT convert_{};
    bool converts_ = false;
    std::unique_ptr<AudioMixer> mixer_;
    std::vector<Uint8> scratch_;
};

}  // namespace platform
