#include "game/records/play_voice.h"

#include <cstdio>

#include "game/core/sound_requests.h"
#include "game/records/sound_lookup.h"

namespace {

constexpr int32_t kLastCount = 10;
constexpr int32_t kGameOverEvent = 11;
constexpr int32_t kContinueEvent = 12;

using VoiceTable = std::array<std::array<int32_t, kVoiceEvents>, kVoiceCharacters>;

int32_t playVoiceNamed(const char* prefix, int32_t event) {
    char name[40];
    if (event <= kLastCount) {
        std::snprintf(name, sizeof name, "%s_sys_count_%02d_00", prefix, event);
    } else if (event == kGameOverEvent) {
        std::snprintf(name, sizeof name, "%s_sys_gameover_00", prefix);
    } else if (event == kContinueEvent) {
        std::snprintf(name, sizeof name, "%s_sys_continue_00", prefix);
    } else {
        return -1;
    }
    return soundIdNamed(name);
}

// Built once from the sound-name table.
const VoiceTable& playVoiceTable() {
    static const VoiceTable table = [] {
        VoiceTable built{};
        for (int c = 0; c < kVoiceCharacters; ++c) {
            const char* prefix = playVoicePrefixes[size_t(c)];
            for (int e = 0; e < kVoiceEvents; ++e) built[size_t(c)][size_t(e)] = playVoiceNamed(prefix, e);
        }
        return built;
    }();
    return table;
}

}  // namespace

int32_t playVoiceId(int32_t character, int32_t event) {
    if (character < 0 || character >= kVoiceCharacters || event < 0 || event > kContinueEvent) return -1;
    return playVoiceTable()[size_t(character)][size_t(event)];
}

void playCharacterVoice(int32_t character, int32_t event) {
    const int32_t id = playVoiceId(character, event);
    if (id >= 0) SDL2_wheel_SoundPlaySE(id, false);
}
