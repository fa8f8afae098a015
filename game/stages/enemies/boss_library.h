#pragma once
// What every mid-boss and boss shares beside the enemy step: the 232 numbered
// motion states (a node and a label of the boss's motion file) that
// bossSetMotion starts on the boss's motion handles, and the two boss gauges
// that the head-up display shows and that play the gauge voice messages.
//
// Threads: main thread only.

#include <cstdint>

struct ObjWork;

inline constexpr int32_t kBossMotionStates = 232;

// One motion state: empty node and label for the states that name nothing.
struct BossMotionState {
    const char* node;
    const char* label;
    uint8_t noLoop;  // the animation loop flag is cleared
    uint8_t death;   // the animation runs on while dying
};

// The state's row; states outside 0..231 name nothing.
const BossMotionState& bossMotionState(int32_t state);

// Resets the work's animation words to the state (cell 0, 30 cells, a frame
// a cell, looping unless the state says not); with a first motion handle,
// starts the node and label on it paused (the enemy step sets its frame)
// and takes its length as the cell count; the second handle, when there is
// one, gets the same motion paused.
void bossSetMotion(ObjWork* work, int32_t state);

struct BossGauge {
    int32_t partLives[10];
    int32_t maximum;
    int32_t lastLife;
};
// Gauge 1 and gauge 2; the stage load clears them.
extern BossGauge bossGauges[2];
void bossGaugesClear();

// Only with show 1: gauge 1 when gauge is not 0, else gauge 2, gets the ten
// part lives and the maximum, last life 0.
void bossGaugeRegister(int32_t show, int32_t maximum, const int32_t* partLives, int32_t ignored, int32_t gauge);
// For gauge 1 then gauge 2: the fighter's event-14 voice when the life falls
// to 24576 or below from above; with class 4, speaker 4's line 1 of event 14
// when it falls to half the maximum or below from above.
void bossGaugeVoice(int32_t life, int32_t gaugeSlot, int32_t sizeClass);
// The voices a gauge that last saw `previous` owes at `life`: kBossVoiceLow
// and, with class 4, kBossVoiceHalf.
inline constexpr int32_t kBossVoiceLow = 1;
inline constexpr int32_t kBossVoiceHalf = 2;
int32_t bossGaugeVoices(const BossGauge& gauge, int32_t previous, int32_t life, int32_t sizeClass);
