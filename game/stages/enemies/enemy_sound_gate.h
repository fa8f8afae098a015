#pragma once
// The enemies' gated sound effects: a sound plays only outside the attract
// cycle (or with the platform's attract sound on), only once its own
// cooldown has run out, and only while sound is on in the settings. The
// cooldown restarts whenever the first two hold, heard or not.
//
// Threads: main thread only.

#include <cstdint>

enum class EnemySoundGate : int32_t {
    groundBeam,    // SE 17 "beam_l": ground kinds 26 and 27 opening, 4 frames
    groundMove,    // SE 6 "ground_move01": ground kinds 66 and 67 coming, 1 frame
    hiddenTarget,  // SE 11 "explode_m1": the hidden targets' deaths, 4 frames
    enemyFly,      // SE 5 "enemyfly": large aircraft arriving, 1 frame
    beamMedium,    // SE 18 "beam_m": the heavy tank's aimed shots, 4 frames
    beamSmall,     // SE 19 "beam_s": the heavy tank's volleys, 4 frames
};
inline constexpr int32_t kEnemySoundGates = 6;

// Frames left of each gate's cooldown (covered by the state hash).
extern int32_t enemySoundCooldowns[kEnemySoundGates];

// The gate's sound id and cooldown in frames.
int32_t enemySoundGateId(EnemySoundGate gate);
int32_t enemySoundGateFrames(EnemySoundGate gate);
// Plays the gate's sound under its rules.
void enemySoundGatePlay(EnemySoundGate gate);
// Once an act pass in play: every cooldown one frame nearer 0.
void enemySoundGatesCountDown();
// The stage load: every cooldown run out.
void enemySoundGatesClear();
