#include "engine/sound/sound_config.h"

const MSoundVoiceRecord* MSound::SoundArchive::findVoice(const std::string& name) const {
    if (!loaded_) return nullptr;
    const auto it = voices_.find(name);
    return it == voices_.end() ? nullptr : &it->second;
}

void MSound::SoundArchive::addVoice(const std::string& name, MSoundVoiceRecord record) {
    voices_.insert_or_assign(name, std::move(record));
}

MSound::SoundArchive* MSound::SoundConfig::archive(const std::string& label) const {
    const auto it = archives_.find(label);
    return it == archives_.end() ? nullptr : it->second.get();
}

MSound::SoundArchive& MSound::SoundConfig::addArchive(const std::string& label) {
    auto& slot = archives_[label];
    if (!slot) slot = std::make_unique<SoundArchive>(label);
    return *slot;
}
