// Provisional: the fighter's hits, misses, the bomb, the head-up display replace
// this file. Nothing hits the fighter yet.
#include "game/objects/fighter_hit.h"

uint64_t hudScoreCopy = 0;

void TSKfighterHit(ObjTask*, ObjWork*) {}
void fighterGiveUpHold(ObjWork*) {}
void fighterBurstEffect(ObjWork*) {}
