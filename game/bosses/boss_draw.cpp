#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"

void TSKmbossDraw(ObjTask*, ObjWork* work) { bossSilhouette(work); }

void TSKbossDraw(ObjTask*, ObjWork* work) {
    bossSilhouette(work);
    bossDrawSmoke(work);
}
