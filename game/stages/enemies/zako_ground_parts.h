#pragma once
// Joins the ground enemies' kinds to their shared act (zako_ground_common.cpp).

#include <cstdint>

#include "game/core/obj_work.h"
#include "game/stages/enemies/zako_ground.h"

// The muzzle of aim slot k: the slot's offset plus its muzzle distance along
// its angle.
void zakoGroundMuzzle(const ObjWork* work, int32_t slot, float* x, float* y);
// State 0, state 100 (false when nothing more runs this frame), and the act
// of the usual shape over both.
void zakoGroundInit(ObjTask* task, const ZakoGroundKind& row, ObjWorkFn draw, ObjWorkFn attack);
bool zakoGroundRun(ObjTask* task, const ZakoGroundKind& row);
void zakoGroundAct(ObjTask* task, const ZakoGroundKind& row, ObjWorkFn draw, ObjWorkFn attack);
// Shadow (black, half alpha, one layer below), the tint reset and the
// point-blank tint, body, turret (frame 0 none) at the draw position, then
// the edge marker.
void zakoGroundDrawLayers(ObjWork* work, int32_t body, int32_t turret);
