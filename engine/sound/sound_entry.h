#pragma once
// One playing of one voice record, from MSound::play until its voices have
// all reported their end after a stop. Main thread only.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/sound/sound.h"
#include "engine/sound/sound_voice_record.h"

struct MSound::Entry {
    static constexpr uint32_t kGroupPaused = 4;

    uint32_t device = 0;
    int32_t id = -1;
    SoundConfig* config = nullptr;
    SoundArchive* archive = nullptr;
    std::string label;
    std::string name;
    const MSoundVoiceRecord* record = nullptr;
    PlayRequest request;
    uint32_t pauseFlags = 0;
    float groupVolume = 1.0f;
    // One voice slot of the entry's pool per channel element of the record.
    std::vector<std::pair<const MSoundChannelElement*, uint32_t>> channels;
};
