#include "game/objects/fshot_fighter.h"

#include "game/core/obj_work.h"
#include "game/objects/fighter_counters.h"

bool fshotFighterAnyReady(const ObjWork* fighterWork) {
    if (fighterWork == nullptr) return false;
    for (int32_t gauge : fighterWork->family.fighter.teamGauges) {
        if (gauge >= kFighterGaugeFull) return true;
    }
    return false;
}
