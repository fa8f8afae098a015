#pragma once
// What the sprite-built mid-bosses share: firing points from the pivots of
// marker frames, turrets held in the enemy's aim slots (frozen by clearing
// the armed flag, re-armed by setting it), muzzles along a slot's heading,
// the sixteen-direction turret frames and the sprite draws with the body
// tint, the shadow and the entry silhouette.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_work.h"

// Marker frame `frame`'s offset from the boss: (pivot x, -pivot y).
ObjPoint bossMarkerOffset(int32_t frame);
// Aim slot `slot` over the marker's offset: armed, aimed at the fighter now,
// turn limit 16, the muzzle length as its parameter.
void bossArmMarkerSlot(ObjWork* work, int32_t slot, int32_t frame, int32_t muzzle);
// The slot's base (the boss position plus its offset) and its muzzle (the
// base plus the slot's parameter along its heading).
ObjPoint bossSlotBase(ObjWork* work, int32_t slot);
ObjPoint bossSlotMuzzle(ObjWork* work, int32_t slot);
// A frozen slot stops turning; a re-armed one turns again.
void bossFreezeSlot(ObjWork* work, int32_t slot);
void bossArmSlot(ObjWork* work, int32_t slot);
// The sixteen-direction frame of a heading (any integer, wrapped first).
int32_t bossDirectionFrame(int32_t base, int32_t heading);
// The entry silhouette's alpha: min(1, wait / 20) for waits 1..60, else 0.
float bossSpriteSilhouetteAlpha(const EnemyFields& e);

// The owner's colour for the sprites that follow.
void bossSpriteTint(ObjWork* work, uint8_t r, uint8_t g, uint8_t b);
// The shadow: black, one layer below, alpha 0.5; white again after.
void bossSpriteShadow(ObjWork* work, int32_t frame, float x, float y, int32_t layer);
// A sprite in the given tint at alpha 1.0, and its additive silhouette copy
// when the alpha is above 0; white again after.
struct BossSpriteTint {
    uint8_t r, g, b;
};
void bossSpriteDraw(ObjWork* work, int32_t frame, float x, float y, int32_t layer, BossSpriteTint tint,
                    float silhouette);
