#pragma once
// The sound-id and music-number name tables, their archive groups, channels
// and retrigger guards. Read by the sound requests (sound_requests.h) and by
// the start-up loads that register the ids. Constant data; any thread.

#include <cstdint>

inline constexpr int kSoundIdCount = 944;   // ids 944..1023 have no name
inline constexpr int kMusicCount = 67;
inline constexpr int kSoundChannelCount = 32;
inline constexpr int kBossLayerFirstId = 920;

struct SoundIdEntry {
    const char* name;  // "" for an empty id
    int8_t channel;    // the channel the start-up loads give it, -1 none
};

// "" for an empty or out-of-range id.
const char* soundNameForId(int id);
// The channel the start-up loads give the id; -1 for none.
int soundChannelForId(int id);
// "se", "voice", "bgm1", "bgm2", "bgm3", or nullptr for an id outside every archive.
const char* soundGroupForId(int id);
// Frames before the same id may sound again.
int soundRetriggerGuard(int id);
// "" for a number outside 0..66.
const char* musicNameForNumber(int number);
// The archive of a music number; nullptr outside 0..66. The staff-roll tune
// 66 lives with the first arrangement.
const char* musicGroupForNumber(int number);
// "CH00".."CH31"; "" outside.
const char* soundChannelName(int channel);
