// The root task's sound methods: one channel and one volume per sound id.
#include <algorithm>

#include "game/core/game_task.h"
#include "game/core/sound_ids.h"

namespace {

float gainOf(int32_t volume) { return std::min(1.0f, float(volume) / 128.0f); }

}  // namespace

void GameTask::playSound(int32_t id) {
    const char* group = soundGroupForId(id);
    if (!soundReady || !soundDevice || !group || id >= kSoundIds || !*soundNameForId(id)) return;
    const std::string channel = soundChannelName(soundChannel[size_t(id)]);
    soundDevice->stopGroup(channel);
    const float gain = gainOf(soundVolume[size_t(id)]);
    const int32_t playing = soundDevice->findSound(group, soundNameForId(id));
    if (playing >= 0) soundDevice->setSoundVolume(playing, gain);
    soundDevice->play(group, soundNameForId(id), gain, channel);
}

void GameTask::setSoundVolume(int32_t id, int32_t volume) {
    if (id < 0 || id >= kSoundIds) return;
    soundVolume[size_t(id)] = volume;
    const char* group = soundGroupForId(id);
    if (!soundReady || !soundDevice || !group || !*soundNameForId(id)) return;
    const int32_t playing = soundDevice->findSound(group, soundNameForId(id));
    if (playing >= 0) soundDevice->setSoundVolume(playing, gainOf(volume));
}

void GameTask::playBGM(int32_t music) {
    const char* group = musicGroupForNumber(music);
    if (!soundReady || !soundDevice || !group) return;
    currentMusic = music;
    soundDevice->stopGroup("BGM");
    musicSound = soundDevice->play(group, musicNameForNumber(music), gainOf(musicVolume), "BGM");
    // Replaces a fade-out of the previous music still running on the group.
    soundDevice->fadeGroupVolume("BGM", 1.0f, 1.0f, 1);
}

void GameTask::fadeOutSound(int32_t id, int32_t frames) {
    const char* group = soundGroupForId(id);
    if (!soundReady || !soundDevice || !group || id >= kSoundIds) return;
    const int32_t playing = soundDevice->findSound(group, soundNameForId(id));
    soundDevice->fadeSoundVolume(playing, float(soundVolume[size_t(id)]) / 128.0f, 0.0f, uint32_t(std::max(frames, 0)));
}

void GameTask::stopAllSounds() {
    if (!soundReady || !soundDevice) return;
    for (int id = 0; id < kSoundIds; ++id) {
        const char* group = soundGroupForId(id);
        if (group && *soundNameForId(id)) soundDevice->stopSounds(group, soundNameForId(id));
    }
}
