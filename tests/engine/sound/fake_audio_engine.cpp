#include "tests/engine/sound/fake_audio_engine.h"

void FakeVoice::start(uint32_t set) {
    engine_.change(this, set, [this] { running = true; });
}

void FakeVoice::stop(uint32_t set) {
    engine_.change(this, set, [this] { running = false; });
}

void FakeVoice::setFrequencyRatio(float r, uint32_t set) {
    engine_.change(this, set, [this, r] { ratio = r; });
}

void FakeVoice::setOutputMatrix(uint32_t sourceChannels, uint32_t outputs, const float* l,
                                uint32_t set) {
    std::vector<float> copy(l, l + sourceChannels * outputs);
    engine_.change(this, set, [this, copy] { levels = copy; });
}

void FakeVoice::flushSourceBuffers() {
    ++flushes;
    dropBuffers();
}

void FakeVoice::finish() {
    buffers.clear();
    callback_->onBufferEnd();
}

void FakeVoice::dropBuffers() {
    const size_t ended = buffers.size();
    buffers.clear();
    if (engine_.reportsEnds)
        for (size_t i = 0; i < ended; ++i) callback_->onBufferEnd();
}

platform::AudioVoice* FakeAudioEngine::createSourceVoice(const platform::AudioFormat& format, float,
                                                         platform::AudioVoiceCallback* callback) {
    voices.push_back(std::make_unique<FakeVoice>(*this, format, callback));
    return voices.back().get();
}

void FakeAudioEngine::destroyVoice(platform::AudioVoice* voice) {
    auto* fake = static_cast<FakeVoice*>(voice);
    fake->dropBuffers();
    fake->destroyed = true;
    fake->running = false;
    std::erase_if(pending_, [fake](const Pending& p) { return p.voice == fake; });
}

void FakeAudioEngine::commitChanges(uint32_t set) {
    for (auto& p : pending_)
        if (set == platform::kAudioCommitAll || p.set == set) p.apply();
    std::erase_if(pending_, [set](const Pending& p) {
        return set == platform::kAudioCommitAll || p.set == set;
    });
}

void FakeAudioEngine::change(FakeVoice* voice, uint32_t set, std::function<void()> apply) {
    if (set == platform::kAudioCommitNow)
        apply();
    else
        pending_.push_back({voice, set, std::move(apply)});
}

std::vector<FakeVoice*> FakeAudioEngine::liveVoices() const {
    std::vector<FakeVoice*> live;
    for (const auto& v : voices)
        if (!v->destroyed) live.push_back(v.get());
    return live;
}
