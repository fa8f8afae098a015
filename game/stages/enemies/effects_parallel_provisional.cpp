// Provisional, beside the effects' branch: the effects, popups and wreckage
// the enemy library makes. Each makes nothing. Dropped when the effects are
// merged.
#include "game/objects/effects.h"
#include "game/objects/popups.h"
#include "game/objects/wreckage.h"

void TSKeffectCreate(int32_t, int32_t, float, int32_t, int32_t, ObjRef, float, float) {}
void TSKspltScoreCreate(int32_t, float, float, int32_t, uint64_t) {}
void TSKzangCreate(int32_t, int32_t, int32_t, float, float) {}
