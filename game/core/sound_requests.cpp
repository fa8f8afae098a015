#include "game/core/sound_requests.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/wheel_config.h"
#include "game/records/settings_file.h"
#include "game/core/wheel_log.h"
#include "game/records/paths.h"
#include "platform/arcade/apm.h"

bool soundNormalSpeed = true;

namespace {

constexpr int kFirstVoiceId = 64;
constexpr int kLastVoiceId = 919;
constexpr int kBossLayerLastId = 943;
constexpr int kFirstOrdinaryMusic = 24;
// A text's level is 0 to 128 (full) and its gain at most 0 dB; louder asks
// are capped when mixed. Beyond 32 times full, a level is as loud as that,
// so that the products of two levels and a weight stay within 32 bits.
constexpr double kLoudestSoundLevel = 4096.0;
constexpr double kLoudestGain = 0x1p40;

SoundLayerState state;

// The settings as they stand, so a volume the configuration menu changes is
// heard before it is saved.
bool soundOut() { return gameSettings.SOUND_OUT != 0; }
bool validId(int id) { return id >= 0 && id < kSoundStateIds; }
bool validMusic(int number) { return number >= 0 && number < kMusicCount; }

// A volume text of the sound folder, found from wherever the program started.
std::string folderPath(const char* rest) {
    return makeResourcePath(std::string("resource/") + soundFolder() + "/" + rest);
}

std::string filledPath(const char* pattern, const char* name) {
    char path[512];
    std::snprintf(path, sizeof path, pattern, soundFolder(), name);
    return path;
}

int32_t musicBase() { return state.masterMusic * gameSettings.BGM_VOLUME / 128; }

int32_t cappedBankVolume(int32_t volume, int id) {
    if (volume <= 128) return volume;
    SDL2_wheel_Log("SDL2_wheel_SoundSetVolumeBank = %d, bank = %d, name=%s", volume, id,
                   state.soundFileName[size_t(id)].c_str());
    return 128;
}

int32_t cappedMusicVolume(int32_t volume, int number) {
    if (volume <= 128) return volume;
    SDL2_wheel_Log("SDL2_wheel_SoundSetVolumeMusic = %d, no = %d", volume, number);
    return 128;
}

bool attractSilenced() {
    bool advertize = true;
    return attractMode && _ApmSystemSetting_getAdvertizeSound(&advertize) && !advertize;
}

bool soundReady() {
    const GameTask* task = GameTask::getInstance();
    return task && task->soundReady && task->soundDevice;
}

void setIdVolume(int id, int32_t volume) {
    if (GameTask* task = GameTask::getInstance()) task->setSoundVolume(id, volume);
}

// The arrangement chosen by "SOUNDTYPE" of a first-arrangement music number.
int arranged(int n) {
    const int type = gameSettings.SOUNDTYPE;
    if (type != 1 && type != 2) return n;
    const int m = n >= 0 && n <= 7 ? n + 8 * type : n;
    return m >= 24 && m <= 37 ? m + 14 * type : m;
}

void loadBossLayers(int m) {
    const int first = kBossLayerFirstId + m;
    if (state.soundLoaded[size_t(first)] || m % 2 != 0) return;
    SDL2_wheel_SoundLoad(soundNameForId(first), first, 30, -1);
    SDL2_wheel_SoundLoad(soundNameForId(first + 1), first + 1, 29, -1);
}

void playBossMusic(int m) {
    loadBossLayers(m);
    const int first = kBossLayerFirstId + m;
    state.currentMusicNumber = m;
    setIdVolume(first, cappedBankVolume(soundMixedVolume(first), first));
    SDL2_wheel_SoundPlaySE(first, false);
    if (m % 2 != 0 || m > 6 || !state.soundLoaded[size_t(first + 1)]) return;
    const int32_t second =
        musicBase() * state.soundFileVolume[size_t(first + 1)] * state.secondLayerWeight / 10000;
    setIdVolume(first + 1, second);
    SDL2_wheel_SoundPlaySE(first + 1, false);
}

void updateDuck() {
    if (state.duckFrames <= 0) return;
    const int32_t old = state.duckFrames--;
    if (state.duckFrames >= 4) return;
    const int32_t percent = (5 - old) * 25;
    for (int id = kBossLayerFirstId; id <= kBossLayerLastId; ++id) {
        setIdVolume(id, soundMixedVolume(id) * percent / 100);
    }
    if (validMusic(state.currentMusicNumber)) {
        SDL2_wheel_SoundSetVolumeMusic(musicMixedVolume(state.currentMusicNumber) * percent / 100);
    }
}

void updateLayerMix() {
    const int32_t before = state.layerPosition;
    if (state.layerTarget && state.layerPosition < 100) ++state.layerPosition;
    if (!state.layerTarget && state.layerPosition > 0) --state.layerPosition;
    state.secondLayerWeight = state.layerPosition;
    state.firstLayerWeight = 100 - state.layerPosition;
    const int m = state.currentMusicNumber;
    // Boss music 23 has its first layer alone: the last boss-layer id.
    if (state.layerPosition == before || m < 0 || kBossLayerFirstId + m > kBossLayerLastId) return;
    const int32_t weights[2] = {state.firstLayerWeight, state.secondLayerWeight};
    for (int layer = 0; layer < 2; ++layer) {
        const int id = kBossLayerFirstId + m + layer;
        if (id > kBossLayerLastId || !state.soundLoaded[size_t(id)]) continue;
        setIdVolume(id, musicBase() * weights[layer] * state.soundFileVolume[size_t(id)] / 10000);
    }
}

void forChannels(int first, int last, void (*action)(int)) {
    for (int channel = first; channel <= last; ++channel) action(channel);
}

}  // namespace

bool soundAttractSilenced() { return attractSilenced(); }

SoundLayerState& soundLayerState() { return state; }

const char* soundFolder() {
    const int folder = gameSettings.REF_SOUNDFOLDER;
    return folder == 0 || folder == 2 ? "sound_duz3" : "sound";
}

// Worked in doubles, which hold every product of ordinary levels and gains
// exactly, so the truncations are those of whole numbers; a damaged text's
// gain or level is held to a range the arithmetic and the volume products
// can take.
int32_t soundLevelOf(const char* path, const std::string& name) {
    const int64_t tenths = SDL2_wheel_ConfigFileGetInt(path, (name + "_dB").c_str(), 0);
    const int64_t level = SDL2_wheel_ConfigFileGetInt(path, name.c_str(), 0);
    const double gain = std::trunc(std::min(std::pow(10.0, (double(tenths) / 10.0) / 20.0) * 128.0, kLoudestGain));
    const double volume = std::trunc(gain * double(level) / 128.0);
    return int32_t(std::clamp(volume, -kLoudestSoundLevel, kLoudestSoundLevel));
}

int32_t soundMixedVolume(int id) {
    if (!validId(id)) return 0;
    const int32_t fileVolume = state.soundFileVolume[size_t(id)];
    if (id < kFirstVoiceId) return state.masterEffects * gameSettings.SE_VOLUME / 128 * fileVolume / 100;
    if (id <= kLastVoiceId) return state.masterVoices * gameSettings.VOICE_VOLUME / 128 * fileVolume / 100;
    return musicBase() * fileVolume / 100;
}

int32_t musicMixedVolume(int number) {
    return validMusic(number) ? musicBase() * state.musicFileVolume[size_t(number)] / 100 : 0;
}

void SDL2_wheel_SoundInit() {
    state = SoundLayerState{};
    const std::string master = folderPath("master_volume.txt");
    state.masterMusic = soundLevelOf(master.c_str(), "VANTORLIB_BGM");
    state.masterEffects = soundLevelOf(master.c_str(), "VANTORLIB_SE");
    state.masterVoices = soundLevelOf(master.c_str(), "VANTORLIB_VOICE");
}

void SDL2_wheel_SoundLoad(const char* name, int id, int channel, int32_t extra) {
    if (!validId(id) || state.soundLoaded[size_t(id)]) return;
    state.soundLoaded[size_t(id)] = 1;
    state.soundExtra[size_t(id)] = extra;
    const bool music = id > kLastVoiceId;
    const std::string text = folderPath(music ? "music/bgm_volume.txt" : "chunk/se_volume.txt");
    state.soundFileVolume[size_t(id)] = soundLevelOf(text.c_str(), name);
    state.soundFileName[size_t(id)] =
        filledPath(music ? "resource/%s/music/%s.ogg" : "resource/%s/chunk/%s.wav", name);
    if (!soundOut()) return;
    GameTask* task = GameTask::getInstance();
    if (task && id < GameTask::kSoundIds) task->soundChannel[size_t(id)] = channel;
    const int32_t volume =
        state.masterEffects * gameSettings.SE_VOLUME / 128 * state.soundFileVolume[size_t(id)] / 100;
    setIdVolume(id, cappedBankVolume(volume, id));
}

void SDL2_wheel_SoundLoadVoice(const char* name, int id, int channel) {
    if (!validId(id) || state.soundLoaded[size_t(id)]) return;
    state.soundLoaded[size_t(id)] = 1;
    state.soundExtra[size_t(id)] = 0;
    const std::string text = folderPath("voice/voice_volume.txt");
    state.soundFileVolume[size_t(id)] = soundLevelOf(text.c_str(), name);
    state.soundFileName[size_t(id)] = filledPath("resource/%s/voice/%s.wav", name);
    if (!soundOut()) return;
    GameTask* task = GameTask::getInstance();
    if (task && id < GameTask::kSoundIds) task->soundChannel[size_t(id)] = channel;
    const int32_t volume =
        state.masterVoices * gameSettings.VOICE_VOLUME / 128 * state.soundFileVolume[size_t(id)] / 100;
    setIdVolume(id, cappedBankVolume(volume, id));
}

void SDL2_wheel_SoundLoadMusic(const char* name, int number, int32_t extra) {
    if (!validMusic(number)) return;
    const std::string text = folderPath("music/bgm_volume.txt");
    state.musicFileVolume[size_t(number)] = soundLevelOf(text.c_str(), name);
    state.musicFileName[size_t(number)] = filledPath("resource/%s/music/%s.ogg", name);
    state.musicExtra[size_t(number)] = extra;
    state.musicLoaded[size_t(number)] = 1;
}

void SDL2_wheel_SoundPlaySE(int id, bool force) {
    if (!validId(id) || !soundGroupForId(id)) return;
    if (!force && attractSilenced()) return;
    if (state.soundGuard[size_t(id)] >= 1) return;
    state.soundGuard[size_t(id)] = soundRetriggerGuard(id);
    if (!soundOut()) return;
    if (GameTask* task = GameTask::getInstance()) task->playSound(id);
}

void SDL2_wheel_SoundPlayMusic(int number) {
    if (attractSilenced() && !toolMode) {
        SDL2_wheel_SoundStopMusic();
        return;
    }
    if (!soundOut()) return;
    const int m = arranged(number);
    if (!musicGroupForNumber(m) || m == state.currentMusicNumber) return;
    SDL2_wheel_SoundStopMusic();
    SDL2_wheel_SoundResumeAll();
    if (m < kFirstOrdinaryMusic) {
        playBossMusic(m);
        return;
    }
    state.currentMusicNumber = m;
    SDL2_wheel_SoundSetVolumeMusic(cappedMusicVolume(musicMixedVolume(m), m));
    GameTask* task = GameTask::getInstance();
    if (!task) return;
    if (state.musicLoaded[size_t(m)]) {
        task->playBGM(m);
    } else if (soundReady()) {
        task->soundDevice->stopGroup("BGM");
    }
}

void SDL2_wheel_SoundStopSEGroup() { forChannels(20, 25, SDL2_wheel_SoundStopChannel); }

void SDL2_wheel_SoundStopMusic() {
    SDL2_wheel_SoundStopChannel(29);
    SDL2_wheel_SoundStopChannel(30);
    state.currentMusicNumber = -1;
    if (soundReady()) GameTask::getInstance()->soundDevice->stopGroup("BGM");
}

void SDL2_wheel_SoundFadeOutMusic(int frames) {
    const int m = state.currentMusicNumber;
    if (soundNormalSpeed && m >= 0) {
        GameTask* task = GameTask::getInstance();
        if (m <= 7 && task) task->fadeOutSound(kBossLayerFirstId + m, frames);
        if (soundReady()) {
            SoundDevice* device = task->soundDevice;
            device->fadeGroupVolume("BGM", device->getGroupVolume("BGM"), 0.0f, uint32_t(std::max(frames, 0)));
        }
    } else {
        SDL2_wheel_SoundStopMusic();
    }
    state.currentMusicNumber = -1;
}

void SDL2_wheel_SoundPauseAll() {
    forChannels(27, 30, SDL2_wheel_SoundPauseChannel);
    if (soundReady()) GameTask::getInstance()->soundDevice->pauseGroup("BGM");
}

void SDL2_wheel_SoundResumeAll() {
    forChannels(27, 30, SDL2_wheel_SoundResumeChannel);
    if (soundReady()) GameTask::getInstance()->soundDevice->resumeGroup("BGM");
}

void SDL2_wheel_SoundApplyVolumes() {
    for (int id = 0; id < kSoundStateIds; ++id) setIdVolume(id, soundMixedVolume(id));
    if (validMusic(state.currentMusicNumber)) {
        SDL2_wheel_SoundSetVolumeMusic(musicMixedVolume(state.currentMusicNumber));
    }
}

void SDL2_wheel_SoundDuckMusic(int frames) {
    state.duckFrames = frames;
    for (int id = kBossLayerFirstId; id <= kBossLayerLastId; ++id) setIdVolume(id, 0);
    SDL2_wheel_SoundSetVolumeMusic(0);
}

void SDL2_wheel_SoundUpdate() {
    for (int32_t& guard : state.soundGuard) {
        if (guard > 0) --guard;
    }
    updateDuck();
    updateLayerMix();
}

void SDL2_wheel_SoundSetVolumeMusic(int32_t volume) {
    GameTask* task = GameTask::getInstance();
    if (!task) return;
    task->musicVolume = volume;
    const char* group = musicGroupForNumber(task->currentMusic);
    if (!soundReady() || !group) return;
    const int32_t playing = task->soundDevice->findSound(group, musicNameForNumber(task->currentMusic));
    if (playing >= 0) task->soundDevice->setSoundVolume(playing, std::min(1.0f, float(volume) / 128.0f));
}

void SDL2_wheel_SoundStopChannel(int channel) {
    if (soundReady() && *soundChannelName(channel)) GameTask::getInstance()->soundDevice->stopGroup(soundChannelName(channel));
}

void SDL2_wheel_SoundPauseChannel(int channel) {
    if (soundReady() && *soundChannelName(channel)) GameTask::getInstance()->soundDevice->pauseGroup(soundChannelName(channel));
}

void SDL2_wheel_SoundResumeChannel(int channel) {
    if (soundReady() && *soundChannelName(channel)) GameTask::getInstance()->soundDevice->resumeGroup(soundChannelName(channel));
}
