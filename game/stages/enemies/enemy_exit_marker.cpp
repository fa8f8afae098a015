#include "game/core/draw_store.h"
#include "game/core/obj_work.h"
#include "game/stages/enemies/enemy_step.h"

void enemyDrawExitMarker(ObjWork* work) {
    const int32_t side = enemy(work).exitSide;
    if (work->exitMarkerAlpha <= 0.0f || side < 1 || side > 4) return;
    const bool vertical = side <= 2;
    const float x = side == 1 ? 0.0f : side == 2 ? 224.0f : work->x;
    const float y = side == 3 ? 0.0f : side == 4 ? 266.0f : work->y;
    work->r = 255;
    work->g = work->b = 0;
    const float scaleX = vertical ? 1.0f : 2.5f;
    const float scaleY = vertical ? 2.5f : 1.0f;
    OBJdrawSprite(work, 1754, x, y, 401, scaleX, scaleY, 0.0f, work->exitMarkerAlpha, 1);
    work->r = work->g = work->b = 255;
}
