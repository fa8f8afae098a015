#include "game/core/sound_ids.h"

#include "game/core/sound_tables.h"

const char* soundNameForId(int id) {
    return id >= 0 && id < kSoundIdCount ? sound_tables::kSoundIds[id].name : "";
}

int soundChannelForId(int id) {
    return id >= 0 && id < kSoundIdCount ? sound_tables::kSoundIds[id].channel : -1;
}

const char* soundGroupForId(int id) {
    if (id >= 0 && id <= 63) return "se";
    if (id >= 64 && id <= 918) return "voice";
    if (id >= 920 && id <= 927) return "bgm1";
    if (id >= 928 && id <= 935) return "bgm2";
    if (id >= 936 && id <= 943) return "bgm3";
    return nullptr;
}

int soundRetriggerGuard(int id) {
    if (id == 2 || id == 34) return 5;
    if ((id >= 8 && id <= 20) || id == 30 || id == 31 || (id >= 43 && id <= 45)) return 4;
    if (id == 32 || id == 33) return 3;
    return 1;
}

const char* musicNameForNumber(int number) {
    return number >= 0 && number < kMusicCount ? sound_tables::kMusicNames[number] : "";
}

const char* musicGroupForNumber(int number) {
    if ((number >= 0 && number <= 7) || (number >= 24 && number <= 37) || number == 66) return "bgm1";
    if ((number >= 8 && number <= 15) || (number >= 38 && number <= 51)) return "bgm2";
    if ((number >= 16 && number <= 23) || (number >= 52 && number <= 65)) return "bgm3";
    return nullptr;
}

const char* soundChannelName(int channel) {
    return channel >= 0 && channel < kSoundChannelCount ? sound_tables::kChannelNames[channel] : "";
}
