#include "game/stages/enemies/boss_library.h"

#include <array>
#include <cstring>

#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"

BossGauge bossGauges[2] = {};

namespace {

constexpr int32_t kBossLowLife = 24576;
constexpr int32_t kBossVoiceEvent = 14;

struct BossStateRun {
    int32_t first, last;
    const char* node;
    const char* label;
    uint8_t noLoop, death;
};

// Every state that names something, in ranges of one node and label.
constexpr BossStateRun kBossStateRuns[] = {
    {0, 0, "st01boss_form1", "appear", 0, 0},
    {1, 1, "st01boss_form1", "form1_default", 0, 0},
    {14, 14, "st01boss_form2", "form2_change", 0, 0},
    {15, 15, "st01boss_form2", "form2_default", 0, 0},
    {16, 16, "st01boss_form2", "form2_att1_start", 0, 0},
    {17, 17, "st01boss_form2", "form2_att1_wait", 0, 0},
    {18, 18, "st01boss_form2", "form2_att1_end", 0, 0},
    {19, 19, "st01boss_form2", "form2_att1_start", 0, 0},
    {20, 20, "st01boss_form2", "form2_att1_wait", 0, 0},
    {21, 21, "st01boss_form2", "form2_att1_start", 0, 0},
    {22, 22, "st01boss_form2", "death", 0, 1},
    {23, 23, "st02boss_form1", "appear", 0, 0},
    {24, 24, "st02boss_form1", "form1_default", 0, 0},
    {34, 34, "st02boss_form1", "form1_att1_start", 0, 0},
    {35, 35, "st02boss_form1", "form1_att1_wait", 0, 0},
    {36, 36, "st02boss_form1", "form1_att1_start", 0, 0},
    {37, 37, "st02boss_form2", "form2_change", 0, 0},
    {38, 38, "st02boss_form2", "form2_default", 0, 0},
    {45, 45, "st02boss_form2", "death", 0, 1},
    {46, 46, "death", "deafault", 0, 0},
    {47, 47, "death", "death", 1, 1},
    {48, 61, "st03boss", "default", 0, 0},
    {62, 64, "st03boss", "form2_default", 0, 0},
    {65, 65, "st03boss", "form2_att1", 0, 0},
    {70, 70, "st03boss", "form2_death", 0, 1},
    {71, 71, "st04boss", "st04boss_0", 0, 0},
    {72, 72, "st04boss", "st04boss_1", 1, 0},
    {73, 83, "st04boss", "st04boss_2", 0, 0},
    {84, 95, "st04boss", "st04boss_3", 0, 0},
    {96, 96, "st04boss", "st04boss_5", 0, 0},
    {97, 97, "st04boss", "st04boss_6", 1, 0},
    {98, 102, "st04boss", "st04boss_6", 0, 0},
    {103, 103, "st04boss", "death", 0, 1},
    {104, 117, "st05boss", "form1_default", 0, 0},
    {118, 132, "st05boss", "form2_default", 0, 0},
    {133, 136, "st05boss", "form2_death", 0, 0},
    {137, 137, "st05boss", "form2_death", 0, 1},
    {138, 138, "st05boss2", "appear_wait", 0, 0},
    {139, 139, "st05boss2", "appear", 0, 0},
    {140, 152, "st05boss2", "form1_default", 0, 0},
    {153, 153, "st05boss2", "form2_change", 0, 0},
    {154, 156, "st05boss2", "form2_default", 0, 0},
    {161, 161, "st05boss2", "form2_death", 0, 1},
    {162, 162, "st01mboss", "appear", 1, 0},
    {163, 172, "st01mboss", "form1_default", 0, 0},
    {199, 199, "st04mboss", "appear", 1, 0},
    {200, 209, "st04mboss", "form1_default", 0, 0},
    {210, 210, "st05mboss", "appear", 1, 0},
    {211, 220, "st05mboss", "form1_default", 0, 0},
    {221, 221, "st05mboss2", "form_1", 1, 0},
    {222, 225, "st05mboss2", "form_1", 0, 0},
    {226, 226, "st05mboss2", "trans_form", 0, 0},
    {227, 227, "st05mboss2", "form_2", 0, 0},
    {228, 228, "st05mboss2", "trans_form", 0, 0},
    {229, 231, "st05mboss2", "form_2", 0, 0},
};

// The attack rounds: start, wait, end repeated from the first state.
struct BossAttackRounds {
    int32_t first, rounds;
    const char* node;
    const char* start;
    const char* wait;
    const char* end;
};
constexpr BossAttackRounds kBossAttackRounds[] = {
    {2, 4, "st01boss_form1", "form1_att1_start", "form1_att1_wait", "form1_att1_end"},
    {25, 3, "st02boss_form1", "form1_att1_start", "form1_att1_wait", "form1_att1_end"},
    {39, 2, "st02boss_form2", "form2_att1_start", "form2_att1_wait", "form2_att1_end"},
};

constexpr std::array<BossMotionState, kBossMotionStates> makeBossMotionStates() {
    std::array<BossMotionState, kBossMotionStates> table{};
    for (BossMotionState& state : table) state = {"", "", 0, 0};
    for (const BossStateRun& run : kBossStateRuns) {
        for (int32_t s = run.first; s <= run.last; ++s) table[size_t(s)] = {run.node, run.label, run.noLoop, run.death};
    }
    for (const BossAttackRounds& rounds : kBossAttackRounds) {
        for (int32_t r = 0; r < rounds.rounds; ++r) {
            const size_t s = size_t(rounds.first + 3 * r);
            table[s] = {rounds.node, rounds.start, 0, 0};
            table[s + 1] = {rounds.node, rounds.wait, 0, 0};
            table[s + 2] = {rounds.node, rounds.end, 0, 0};
        }
    }
    return table;
}

constexpr std::array<BossMotionState, kBossMotionStates> kBossMotionStateTable = makeBossMotionStates();
constexpr BossMotionState kBossNoState = {"", "", 0, 0};

void bossStartPaused(int32_t slot, const BossMotionState& row) {
    SDL2_wheel_MotionPlay(slot, -1, row.node, row.label);
    SDL2_wheel_MotionPause(slot);
}

}  // namespace

const BossMotionState& bossMotionState(int32_t state) {
    return state >= 0 && state < kBossMotionStates ? kBossMotionStateTable[size_t(state)] : kBossNoState;
}

void bossSetMotion(ObjWork* work, int32_t state) {
    EnemyFields& e = enemy(work);
    const BossMotionState& row = bossMotionState(state);
    e.motionTick = 0;
    e.motionFrame = 0;
    e.motionTicksPerFrame = 1;
    e.motionEnded = 0;
    e.motionState = state;
    e.motionRunning = 1;
    e.motionLength = 30;
    e.motionLoops = 1;
    if (work->motionSlot0 == -1) return;
    if (row.noLoop != 0) e.motionLoops = 0;
    if (row.death != 0) e.deathMotion = 1;
    bossStartPaused(work->motionSlot0, row);
    e.motionLength = SDL2_wheel_MotionGetLength(work->motionSlot0);
    if (work->motionSlot1 != -1) bossStartPaused(work->motionSlot1, row);
}

void bossGaugesClear() {
    for (BossGauge& gauge : bossGauges) gauge = {};
}

void bossGaugeRegister(int32_t show, int32_t maximum, const int32_t* partLives, int32_t, int32_t gauge) {
    if (show != 1) return;
    BossGauge& g = bossGauges[gauge != 0 ? 0 : 1];
    for (int i = 0; i < 10; ++i) g.partLives[i] = partLives != nullptr ? partLives[i] : 0;
    g.maximum = maximum;
    g.lastLife = 0;
}

int32_t bossGaugeVoices(const BossGauge& gauge, int32_t previous, int32_t life, int32_t sizeClass) {
    int32_t voices = 0;
    if (life <= kBossLowLife && previous > kBossLowLife) voices |= kBossVoiceLow;
    const int32_t half = gauge.maximum / 2;
    if (half >= life && half < previous && sizeClass == 4) voices |= kBossVoiceHalf;
    return voices;
}

void bossGaugeVoice(int32_t life, int32_t, int32_t sizeClass) {
    for (BossGauge& g : bossGauges) {
        const int32_t previous = g.lastLife;
        g.lastLife = life;
        const int32_t voices = bossGaugeVoices(g, previous, life, sizeClass);
        if ((voices & kBossVoiceLow) != 0) charVoiceMessage(fighterGetType(), kBossVoiceEvent);
        if ((voices & kBossVoiceHalf) != 0) charVoiceMessageSpeaker4(kBossVoiceEvent, 1);
    }
}
