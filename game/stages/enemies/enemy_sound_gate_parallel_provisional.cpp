// Provisional: the spawn- and shot-sound gate of the ground enemies until the
// ground family's own lands; then this file goes and its callers use that.
// A sound plays unless it played fewer than `cooldown` stage frames ago.
#include <array>

#include "game/core/sound_requests.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kSoundGateNever = -1000000;
std::array<int32_t, kSoundStateIds> soundGateLastFrame = [] {
    std::array<int32_t, kSoundStateIds> frames{};
    frames.fill(kSoundGateNever);
    return frames;
}();

}  // namespace

void enemySoundGateProvisional(int32_t se, int32_t cooldown) {
    if (se < 0 || se >= kSoundStateIds) return;
    int32_t& last = soundGateLastFrame[size_t(se)];
    // A new stage counts its frames from -1 again: an older stamp is no gate.
    if (stageFrame >= last && stageFrame - last < cooldown) return;
    last = stageFrame;
    SDL2_wheel_SoundPlaySE(se, false);
}
