#pragma once
// The boot scene (over the loading of the game's resources), the splash and
// the opening movie: TITL scenes that play one motion once and end when it
// has played through or the player skips it. The sequence runs them in that
// order before the title; the attract cycle comes back to the splash.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

struct ObjTask;

void TSKinitialize(ObjTask* task);
void TSKsplash(ObjTask* task);
void TSKopening(ObjTask* task);

// One boot scene's motion: file, object (the cache key too) and draw layer.
struct BootSceneMotion {
    const char* file;
    const char* object;
    int32_t layer;
};
inline constexpr const char* kBootSceneLabel = "anime_1";
// initialize, splash, opening, eng_opening.
extern const std::array<BootSceneMotion, 4> kBootSceneMotions;

// The frame the boot motion holds on until the resources are ready.
inline constexpr int32_t kBootPauseFrame = 340;

// The splash's voice cues: the work frames, then -1; five sets of three ids.
inline constexpr int kSplashVoiceSets = 5;
extern const std::array<int32_t, 4> kSplashCueFrames;
extern const std::array<std::array<int32_t, 3>, kSplashVoiceSets> kSplashVoices;
// The channels a skipped voice may still sound on.
inline constexpr int32_t kSplashVoiceChannelFirst = 20;
inline constexpr int32_t kSplashVoiceChannelLast = 25;

// The opening's voice cues, read once a run from "opning_config.txt"; the
// first entry is kOpeningCuesUnread until then.
inline constexpr int kOpeningCues = 13;
inline constexpr int32_t kOpeningCuesUnread = -2;
extern std::array<int32_t, kOpeningCues> openingVoiceCues;
inline constexpr const char* kOpeningCueFile = "resource/sound/voice/opning_config.txt";

// The scene's skip input this frame: the start request on the arcade
// platform (or button 1 too, when buttonOne), elsewhere button 1.
bool bootSceneSkipped(bool buttonOne);
// The root task's resources are loaded (true without a root task).
bool bootResourcesReady();
