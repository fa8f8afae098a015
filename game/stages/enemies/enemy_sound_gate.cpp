#include "game/stages/enemies/enemy_sound_gate.h"

#include "game/core/sound_requests.h"

int32_t enemySoundCooldowns[kEnemySoundGates] = {};

namespace {

struct EnemySoundGateRow {
    int32_t soundId;
    int32_t frames;
};
constexpr EnemySoundGateRow kEnemySoundGateRows[kEnemySoundGates] = {{17, 4}, {6, 1}, {11, 4}, {5, 1}, {18, 4}, {19, 4}};

}  // namespace

int32_t enemySoundGateId(EnemySoundGate gate) { return kEnemySoundGateRows[int32_t(gate)].soundId; }
int32_t enemySoundGateFrames(EnemySoundGate gate) { return kEnemySoundGateRows[int32_t(gate)].frames; }

void enemySoundGatePlay(EnemySoundGate gate) {
    int32_t& cooldown = enemySoundCooldowns[int32_t(gate)];
    if (soundAttractSilenced() || cooldown > 0) return;
    cooldown = enemySoundGateFrames(gate);
    SDL2_wheel_SoundPlaySE(enemySoundGateId(gate), false);
}

void enemySoundGatesCountDown() {
    for (int32_t& cooldown : enemySoundCooldowns)
        if (cooldown > 0) --cooldown;
}

void enemySoundGatesClear() {
    for (int32_t& cooldown : enemySoundCooldowns) cooldown = 0;
}
