// The order of the start-up sound registrations.
#include "game/core/game_main_resources.h"

#include "game/core/sound_ids.h"

namespace {

constexpr int32_t kTitleEffect = 3;  // never played, so never loaded
constexpr int32_t kLastEffect = 63;
constexpr int32_t kFirstVoice = 65;
constexpr int32_t kFirstPlainVoice = 90;  // 65..89 are the first ending's, loaded last
constexpr int32_t kLastVoice = 918;
constexpr int32_t kBossTunes = 8;
constexpr int32_t kBossTuneEvenChannel = 30;
constexpr int32_t kBossTuneOddChannel = 29;
constexpr int32_t kCreditsTune = 66;

// Each arrangement: its stage tunes, its boss tunes, then the rest.
constexpr int32_t kArrangements = 3;
constexpr int32_t kStageTunesFirst[kArrangements] = {24, 38, 52};
constexpr int32_t kBossTunesFirst[kArrangements] = {0, 8, 16};
constexpr int32_t kOtherTunesFirst[kArrangements] = {29, 43, 57};
constexpr int32_t kStageTuneCount = 5;
constexpr int32_t kBossTuneCount = 8;
constexpr int32_t kOtherTuneCount = 9;

void addRange(std::vector<StartupSound>& loads, StartupSound::Kind kind, int32_t first, int32_t count) {
    for (int32_t n = first; n < first + count; ++n) loads.push_back({kind, n, 0});
}

}  // namespace

std::vector<StartupSound> startupSoundLoads() {
    std::vector<StartupSound> loads;
    for (int32_t id = 0; id <= kLastEffect; ++id) {
        if (id != kTitleEffect) loads.push_back({StartupSound::kEffect, id, soundChannelForId(id)});
    }
    for (int32_t id = kFirstPlainVoice; id <= kLastVoice; ++id) {
        loads.push_back({StartupSound::kVoice, id, soundChannelForId(id)});
    }
    for (int32_t id = kFirstVoice; id < kFirstPlainVoice; ++id) {
        loads.push_back({StartupSound::kVoice, id, soundChannelForId(id)});
    }
    for (int32_t i = 0; i < kBossTunes; ++i) {
        const int32_t channel = i % 2 == 0 ? kBossTuneEvenChannel : kBossTuneOddChannel;
        loads.push_back({StartupSound::kBossTune, kBossLayerFirstId + i, channel});
    }
    for (int a = 0; a < kArrangements; ++a) {
        addRange(loads, StartupSound::kMusic, kStageTunesFirst[a], kStageTuneCount);
        addRange(loads, StartupSound::kMusic, kBossTunesFirst[a], kBossTuneCount);
        addRange(loads, StartupSound::kMusic, kOtherTunesFirst[a], kOtherTuneCount);
    }
    loads.push_back({StartupSound::kMusic, kCreditsTune, 0});
    return loads;
}
