#include "game/records/sound_lookup.h"

#include "game/core/sound_ids.h"
#include "game/core/sound_requests.h"

int soundIdNamed(std::string_view name) {
    if (name.empty()) return -1;
    for (int id = 0; id < kSoundIdCount; ++id) {
        if (name == soundNameForId(id)) return id;
    }
    return -1;
}

void soundPlayNamed(std::string_view name) {
    const int id = soundIdNamed(name);
    if (id >= 0) SDL2_wheel_SoundPlaySE(id, false);
}
