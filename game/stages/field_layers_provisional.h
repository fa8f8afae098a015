#pragma once
// Provisional: what ground objects (wreckage, ground effects) read of the
// background layers until the layer tasks are built here: each layer's last
// displacement, its draw offset and the shared tint. Nothing moves the
// layers yet, so the shifts and offsets stay 0 and the tint white.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/core/obj_work_views.h"

// Per layer index 0..3 (follow slots 1..4): (previous x - new x, new y -
// previous y). A follower subtracts x from its own x and adds y to its y.
extern std::array<ObjPoint, 4> fieldLayerShift;
// Per layer index 0..3: where the layer is drawn beside its scroll position.
extern std::array<ObjPoint, 4> fieldLayerOffset;

// The background's current tint, 0..255 each.
struct FieldLayerTint {
    int32_t r, g, b;
};
extern FieldLayerTint fieldLayerSharedTint;

// The shift of follow slot 1..4; (0, 0) for any other slot.
ObjPoint fieldLayerShiftOf(int32_t slot);
// The draw offset of follow slot 1..4; (0, 0) for any other slot.
ObjPoint fieldLayerOffsetOf(int32_t slot);
