#pragma once
// Joins the ground enemies' kinds to their shared act (zako_ground_common.cpp).

#include <cstdint>

#include "game/core/obj_work.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/zako_ground.h"

// The muzzle of aim slot k: the slot's offset plus its muzzle distance along
// its angle.
void zakoGroundMuzzle(const ObjWork* work, int32_t slot, float* x, float* y);
// State 0, state 100 (false when nothing more runs this frame), and the act
// of the usual shape over both.
// firstFrame, when given, tells whether this was the first running frame.
// The work's hit callback is `hit`; its flags give its start values.
void zakoGroundInit(ObjTask* task, const ZakoGroundKind& row, ObjWorkFn draw, ObjWorkFn attack,
                    ObjWorkFn hit = TSKenemyHit);
bool zakoGroundRun(ObjTask* task, const ZakoGroundKind& row, bool* firstFrame = nullptr);
void zakoGroundAct(ObjTask* task, const ZakoGroundKind& row, ObjWorkFn draw, ObjWorkFn attack,
                   ObjWorkFn hit = TSKenemyHit);
// The common hit; true when this hit began the enemy's death.
bool zakoGroundHitKills(ObjTask* task, ObjWork* work);
// 1024 units a turn in radians.
float zakoGroundMuzzleRadians(int32_t angle);
// Shadow (black, half alpha, one layer below), the tint reset and the
// point-blank tint, body, turret (frame 0 none) at the draw position, then
// the edge marker.
void zakoGroundDrawLayers(ObjWork* work, int32_t body, int32_t turret);
