// Provisional, beside the fighter's branch: the fighter accessors the enemy
// library calls that no code of this branch defines yet. Each does nothing
// or answers as if there were no fighter. Dropped when the fighter is merged.
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_hit.h"

int32_t rankCounter = 0;

ObjWork* fighterGetWork() { return nullptr; }
bool fighterIsPowerUp() { return false; }
void fighterSetEntry(int32_t) {}
void fighterSetInvincible(int32_t) {}
bool fighterAnyReady() { return false; }
int32_t fighterCountReady() { return 0; }
void fighterSetWeaponsOn(int32_t) {}
void fighterSetControl(int32_t) {}
void fighterSetAbsent(int32_t) {}
void fighterSetPowerDrain(int32_t) {}
int32_t fighterGetBonusCounter() { return 0; }
int32_t fighterGetRank() { return 0; }
int32_t gameGetSubSystem() { return 0; }
int32_t fighterGetCreditCount() { return 0; }
int32_t fighterGetCombo() { return 0; }
int32_t destructionStepA() { return 0; }
int32_t destructionStepB() { return 0; }
int32_t fighterGetDestruction() { return 0; }
