#pragma once
// The fighter's counters: score, the four team gauges, energy, rank, bonus
// counter, destruction count, combo, misses, life and the words the
// sequence, the stages and the tutorial ask for. They live in the fighter
// view of the fighter's ObjWork (the first task of group 9). Without a
// fighter a reader returns 0 (false) and a writer does nothing, unless said.
// Every addition clamps to its cap.
//
// Threads: main thread only.

#include <cstdint>

struct ObjWork;

inline constexpr int32_t kFighterGaugeFull = 100000;
inline constexpr int32_t kFighterEnergyMax = 10000;
inline constexpr int32_t kFighterRankMax = 50;
inline constexpr int32_t kFighterDestructionMax = 999999;
inline constexpr uint64_t kFighterScoreMax = 9999999999999999ull;
inline constexpr int32_t kFighterSubScores = 9;
inline constexpr int32_t kFighterLifeMax = 6;
inline constexpr int32_t kFighterCreditMax = 10;

// The fighter's record, or null without a fighter.
ObjWork* fighterGetWork();

// Power-up.
void fighterSetPowerUp(int32_t on);
bool fighterIsPowerUp();
bool fighterIsPowerFading();
// Entry flag; the home point of the entry flight becomes (112, 220).
void fighterSetEntry(int32_t on);

// Energy 0..10000. fighterAddEnergy: crossing up to 2500 while not powered
// up plays SE 36 and flashes; reaching 10000 plays SE 37, flashes and, with
// voice 1 outside the stage clear, voice event 16.
void fighterSetEnergy(int32_t energy);
void fighterAddEnergy(int32_t amount, int32_t voice);
int32_t fighterGetEnergy();
int32_t fighterGetFireLock();
// Invulnerability = max(current, frames).
void fighterSetInvincible(int32_t frames);

// Score (unsigned 64-bit, capped at 9999999999999999); each addition also
// stores the total in the sub-score slot of stageNumber.
void fighterAddScore(uint64_t amount);
uint64_t fighterGetScore();

// Team gauges, by fighter type 0..3 (a type is ready at exactly 100000).
// fighterAddGauge: crossing above 84000 with voice 1 gives voice event 9;
// reaching 100000 plays SE 41 and, with voice 1, voice event 8.
int32_t fighterGetGauge(int32_t type);
void fighterAddGauge(int32_t type, int32_t amount, int32_t voice);
bool fighterAnyReady();
int32_t fighterCountReady();

// Life (the play's lives): not below 0.
void fighterDecLife();
void fighterSetLives(int32_t lives);
int32_t fighterGetLives();

// Flags the sequence and the stages steer the fighter with. The weapons-on
// flag gates fire, power-up, blow and the give-up hold (the late start flag
// and the continue's second control flag set it); the absent flag is the
// second start flag; the running flag gates gauge refill, energy drain and
// the bonus and destruction decay.
void fighterSetWeaponsOn(int32_t on);
int32_t fighterGetWeaponsOn();
void fighterSetControl(int32_t on);
int32_t fighterGetControl();
void fighterSetAbsent(int32_t on);
void fighterSetPowerDrain(int32_t on);
int32_t fighterGetWeaponMode();  // 0 shot, 1 laser

// Bonus counter, capped by mode: 1000 NOVICE and CASUAL, 3000 ORIGINAL,
// 10000 EXPERT and score attack.
void fighterSetBonusCounter(int32_t count);
int32_t fighterGetBonusCounter();
int32_t fighterBonusCap();

// Stock counter 0..6.
void fighterDecStock();
void fighterSetStock(int32_t stock);
int32_t fighterGetStock();
bool fighterIsBombActive();

// Rank 0..50.
void fighterSetRank(int32_t rank);
void fighterAddRank(int32_t amount);
void fighterSubRank(int32_t amount);
int32_t fighterGetRank();

// Type 0..3; setting it restarts the weapon-change timer and puts both gun
// units back on the fighter. Without a fighter, the selected leader type.
void fighterSetType(int32_t type);
int32_t fighterGetType();
// The secret items taken in the play.
int32_t fighterGetSecretItems();
// The game system setting (gameSystem) when 0..3, else 0.
int32_t gameGetSubSystem();

// Credit count: 1 on the play's first credit, one more (at most 10) at each
// fighterResetPosition.
void fighterResetCreditCount();
int32_t fighterGetCreditCount();
// The entry word (5 at score-attack and training starts).
void fighterSetEntryWord(int32_t word);
int32_t fighterGetEntryWord();
// While set, losing the last life goes to game over without the continue.
void fighterSetNoContinue(int32_t on);
int32_t fighterGetNoContinue();
// The hold word; 0 also clears the give-up hold count and its done flag.
void fighterSetHold(int32_t hold);
int32_t fighterGetHold();

// Shield: k 1 -> 360 frames, 2 -> 120, 0 -> 0, other k leave it; k counts as
// 0 while the player select, the game over or the stage result runs. The
// shield display level becomes 100 in every case.
void fighterSetShieldTimer(int32_t k);
int32_t fighterShieldLevel();
void fighterSetShieldLevel(int32_t level);

int32_t fighterGetCombo();
// Steps and keep percentages of the destruction count, by mode.
int32_t destructionStepA();
int32_t destructionStepB();
int32_t destructionStepC();
int32_t modeKeepPercent();
// Destruction count, capped at 999999; ignored while a boss fights.
void fighterAddDestruction(int32_t amount);
int32_t fighterGetDestruction();

// The blow attack. The tutorial's words: its cooldown timer is the blow
// cooldown, its cooldown hold word the blow-off flag, its short counter the
// blow display timer.
bool fighterIsBlowing();
bool fighterIsBlowArmed();
void fighterSetBlowCooldown(int32_t frames);
int32_t fighterGetBlowCooldown();
void fighterSetBlowOff(int32_t off);
int32_t fighterGetBlowOff();
int32_t fighterGetBlowDisplay();
void fighterSetBlowMarker(int32_t selector);
float fighterGetFactor();  // 1.0
int32_t fighterGetMissCount();

// The tutorial's other words: the gauge mode (0, 1 or 2), the page-5 word
// and two lesson flags (index 0 and 1).
void fighterSetGaugeMode(int32_t mode);
int32_t fighterGetGaugeMode();
void fighterSetPage5Word(int32_t word);
int32_t fighterGetPage5Word();
void fighterSetLessonFlag(int32_t which, int32_t on);
int32_t fighterGetLessonFlag(int32_t which);

// What the play-end step reads: the score, the nine sub-scores (the total at
// each stage), the rank as the record's maxRank and the credit count as its
// fighterWord. Zeros without a fighter.
struct FighterRecord {
    uint64_t score;
    uint64_t subScores[kFighterSubScores];
    int32_t maxRank;
    uint32_t fighterWord;
};
FighterRecord fighterRecord();
