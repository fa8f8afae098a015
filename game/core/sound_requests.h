#pragma once
// The porting layer's sound requests: game code names an effect or voice by
// sound id (0..943) and music by music number (0..66). These apply the
// master levels of the sound folder's volume texts, the player's settings
// ("SOUND_OUT", "SE_VOLUME", "VOICE_VOLUME", "BGM_VOLUME", "SOUNDTYPE",
// "REF_SOUNDFOLDER" from config.txt), the retrigger guards, the music duck
// and the boss-music layer mix, then hand the sound to GameTask's sound
// methods. Called by the game main (init, update) and the game families.
//
// Threads: main thread only; the state is one global record.

#include <array>
#include <cstdint>
#include <string>

#include "game/core/sound_ids.h"

inline constexpr int kSoundStateIds = kSoundIdCount + 1;

struct SoundLayerState {
    std::array<int32_t, kSoundStateIds> soundGuard{};
    std::array<int32_t, kSoundStateIds> soundLoaded{};
    std::array<int32_t, kSoundStateIds> soundFileVolume{};
    std::array<int32_t, kSoundStateIds> soundExtra{};
    std::array<std::string, kSoundStateIds> soundFileName{};
    std::array<int32_t, kMusicCount> musicLoaded{};
    std::array<int32_t, kMusicCount> musicFileVolume{};
    std::array<int32_t, kMusicCount> musicExtra{};
    std::array<std::string, kMusicCount> musicFileName{};
    int32_t masterMusic = 0;
    int32_t masterEffects = 0;
    int32_t masterVoices = 0;
    int32_t currentMusicNumber = -1;
    int32_t duckFrames = 0;
    // The boss-music layer cross-fade: the target flag moves the position
    // one step a frame; the second layer weighs position, the first 100 - it.
    int32_t layerTarget = 0;
    int32_t layerPosition = 0;
    int32_t firstLayerWeight = 100;
    int32_t secondLayerWeight = 0;
};

SoundLayerState& soundLayerState();

// "sound_duz3" when "REF_SOUNDFOLDER" is 0 or 2, otherwise "sound".
const char* soundFolder();
// trunc(10^(dB/200) x 128) x level / 128 of name N in a volume text: N "_dB"
// is the gain in tenths of a decibel, N the level 0..128. A damaged text's
// result is held to -4096..4096 (32 times full either way).
int32_t soundLevelOf(const char* path, const std::string& name);
// The volume of an id or a music number with the masters and the settings.
int32_t soundMixedVolume(int id);
int32_t musicMixedVolume(int number);

// True in the attract cycle while the platform's attract sound is off.
bool soundAttractSilenced();

void SDL2_wheel_SoundInit();
void SDL2_wheel_SoundLoad(const char* name, int id, int channel, int32_t extra);
void SDL2_wheel_SoundLoadVoice(const char* name, int id, int channel);
void SDL2_wheel_SoundLoadMusic(const char* name, int number, int32_t extra);
void SDL2_wheel_SoundPlaySE(int id, bool force);
void SDL2_wheel_SoundPlayMusic(int number);
void SDL2_wheel_SoundStopSEGroup();
void SDL2_wheel_SoundStopMusic();
void SDL2_wheel_SoundFadeOutMusic(int frames);
void SDL2_wheel_SoundPauseAll();
void SDL2_wheel_SoundResumeAll();
void SDL2_wheel_SoundApplyVolumes();
// Silences the boss layers and the music at once; SDL2_wheel_SoundUpdate
// brings them back over the last four of the frames.
void SDL2_wheel_SoundDuckMusic(int frames);
// Once a frame: guards, duck and layer mix.
void SDL2_wheel_SoundUpdate();

// The channel wrappers; volumes 0..128.
void SDL2_wheel_SoundSetVolumeMusic(int32_t volume);
void SDL2_wheel_SoundStopChannel(int channel);
void SDL2_wheel_SoundPauseChannel(int channel);
void SDL2_wheel_SoundResumeChannel(int channel);

// True when the game runs one act pass a frame; the music fade-out only
// fades then. Set by the game main update from its act-pass count.
extern bool soundNormalSpeed;
