#pragma once
// The constant tables behind sound_ids.h; only sound_ids.cpp reads them.

#include "game/core/sound_ids.h"

namespace sound_tables {
extern const SoundIdEntry kSoundIds[kSoundIdCount];
extern const char* const kMusicNames[kMusicCount];
extern const char* const kChannelNames[kSoundChannelCount];
}  // namespace sound_tables
