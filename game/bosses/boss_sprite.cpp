#include "game/bosses/boss_sprite.h"

#include <algorithm>
#include <cmath>

#include "game/core/draw_store.h"
#include "game/core/sprite_frames.h"
#include "game/stages/enemies/bullet_patterns.h"

ObjPoint bossMarkerOffset(int32_t frame) {
    const FrameInfo info = OBJgetFrameInfo(frame);
    return {info.pivotX, info.pivotY};
}

void bossArmMarkerSlot(ObjWork* work, int32_t slot, int32_t frame, int32_t muzzle) {
    const ObjPoint offset = bossMarkerOffset(frame);
    enemySetAimSlot(work, slot, 16, muzzle, offset.x, offset.y);
}

ObjPoint bossSlotBase(ObjWork* work, int32_t slot) {
    const EnemyAimSlot& s = enemy(work).aimSlots[slot];
    return {work->x + s.offsetX, work->y + s.offsetY};
}

ObjPoint bossSlotMuzzle(ObjWork* work, int32_t slot) {
    const EnemyAimSlot& s = enemy(work).aimSlots[slot];
    const ObjPoint base = bossSlotBase(work, slot);
    const float radians = float(s.heading) * 6.2831855f / 1024.0f;
    return {base.x + float(s.param) * std::sin(radians), base.y - float(s.param) * std::cos(radians)};
}

void bossFreezeSlot(ObjWork* work, int32_t slot) { enemy(work).aimSlots[slot].armed = 0; }
void bossArmSlot(ObjWork* work, int32_t slot) { enemy(work).aimSlots[slot].armed = 1; }

int32_t bossDirectionFrame(int32_t base, int32_t heading) {
    return base + ((heading & 1023) + 32) % 1024 * 16 / 1024;
}

float bossSpriteSilhouetteAlpha(const EnemyFields& e) {
    if (e.entryWait < 1 || e.entryWait > 60) return 0.0f;
    return std::min(1.0f, float(e.entryWait) / 20.0f);
}

void bossSpriteTint(ObjWork* work, uint8_t r, uint8_t g, uint8_t b) {
    work->r = r;
    work->g = g;
    work->b = b;
}

void bossSpriteShadow(ObjWork* work, int32_t frame, float x, float y, int32_t layer) {
    bossSpriteTint(work, 0, 0, 0);
    OBJdrawSprite(work, frame, x + 4.0f, y + 4.0f, layer - 1, work->scaleX, work->scaleY, work->angle, 0.5f, 0);
    bossSpriteTint(work, 255, 255, 255);
}

void bossSpriteDraw(ObjWork* work, int32_t frame, float x, float y, int32_t layer, BossSpriteTint tint,
                    float silhouette) {
    bossSpriteTint(work, tint.r, tint.g, tint.b);
    OBJdrawSprite(work, frame, x, y, layer, work->scaleX, work->scaleY, work->angle, 1.0f, 0);
    if (silhouette > 0.0f) {
        OBJdrawSprite(work, frame, x, y, layer, work->scaleX, work->scaleY, work->angle, silhouette, 1);
    }
    bossSpriteTint(work, 255, 255, 255);
}
