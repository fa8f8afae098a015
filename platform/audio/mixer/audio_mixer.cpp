#include "platform/audio/mixer/audio_mixer.h"

#include <algorithm>

#include "platform/audio/mixer/mixer_voice.h"

namespace platform {

AudioMixer::AudioMixer(uint32_t sampleRate, uint32_t channels)
    : sampleRate_(sampleRate), channels_(channels) {}

AudioMixer::~AudioMixer() {
    std::lock_guard lock(mutex_);
    for (auto& voice : voices_) voice->dropBuffers();
}

AudioVoice* AudioMixer::createSourceVoice(const AudioFormat& format, float maxFrequencyRatio,
                                          AudioVoiceCallback* callback) {
    const auto source = SampleSource::forFormat(format);
    if (!source || callback == nullptr) return nullptr;
    auto voice = std::make_unique<MixerVoice>(*this, *source, format.samplesPerSecond,
                                              maxFrequencyRatio, callback);
    std::lock_guard lock(mutex_);
    voices_.push_back(std::move(voice));
    return voices_.back().get();
}

void AudioMixer::destroyVoice(AudioVoice* voice) {
    std::lock_guard lock(mutex_);
    std::erase_if(pending_, [voice](const PendingChange& c) { return c.voice == voice; });
    const auto it = std::find_if(voices_.begin(), voices_.end(),
                                 [voice](const auto& v) { return v.get() == voice; });
    if (it == voices_.end()) return;
    (*it)->dropBuffers();
    voices_.erase(it);
}

void AudioMixer::commitChanges(uint32_t operationSet) {
    std::lock_guard lock(mutex_);
    const auto commits = [operationSet](const PendingChange& c) {
        return operationSet == kAudioCommitAll || c.operationSet == operationSet;
    };
    for (auto& c : pending_)
        if (commits(c)) c.apply();
    std::erase_if(pending_, commits);
}

void AudioMixer::change(MixerVoice* voice, uint32_t operationSet, std::function<void()> apply) {
    std::lock_guard lock(mutex_);
    if (operationSet == kAudioCommitNow)
        apply();
    else
        pending_.push_back({voice, operationSet, std::move(apply)});
}

void AudioMixer::mix(float* out, size_t frames) {
    std::fill(out, out + frames * channels_, 0.0f);
    std::lock_guard lock(mutex_);
    for (auto& voice : voices_) voice->render(out, frames);
}

}  // namespace platform
