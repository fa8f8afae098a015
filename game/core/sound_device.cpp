#include "game/core/sound_device.h"

#include "engine/sound/sound.h"
#include "engine/sound/sound_anime.h"

int32_t MSoundDevice::play(const std::string& archive, const std::string& name, float volume,
                           const std::string& group) {
    MSound::PlayRequest request;
    request.volume = volume;
    request.group = group;
    return sound_.play(archive, name, &request);
}

int32_t MSoundDevice::findSound(const std::string& archive, const std::string& name) {
    return sound_.findSound(archive, name);
}

void MSoundDevice::setSoundVolume(int32_t sound, float volume) { sound_.setSoundVolume(sound, volume); }

float MSoundDevice::getGroupVolume(const std::string& group) { return sound_.getGroupVolume(group); }

void MSoundDevice::stopGroup(const std::string& group) { sound_.stopGroup(group); }

void MSoundDevice::stopSounds(const std::string& archive, const std::string& name) {
    sound_.stopSounds(archive, name);
}

void MSoundDevice::pauseGroup(const std::string& group) { sound_.pauseGroup(group); }

void MSoundDevice::resumeGroup(const std::string& group) { sound_.resumeGroup(group); }

void MSoundDevice::fadeGroupVolume(const std::string& group, float from, float to, uint32_t frames) {
    sound_.fadeGroupVolume(group, from, to, frames);
}

void MSoundDevice::fadeSoundVolume(int32_t sound, float from, float to, uint32_t frames) {
    sound_.addAnime(new MSoundVoiceVolumeAnime(sound, from, to, frames));
}
