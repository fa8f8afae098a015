#pragma once
// What the large air enemies' files share: the act and draw of every kind
// and the guns an attack fires from.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_ref.h"
#include "game/core/obj_work.h"

struct ObjTask;

// The act of a kind: state 0 sets the work up from the kind's row, state 100
// runs the script and the step, any other state releases the task.
void zakoLargeAct(ObjTask* task, int32_t kind, ObjWorkFn draw, ObjWorkFn attack);
// The tint, the body frame (none for kind 46) and the exit marker.
void zakoLargeDraw(ObjWork* work, int32_t kind);

// An attack's inputs: the owner, the guns' positions, the call index and the
// rank level.
struct ZakoLargeFire {
    ObjRef owner;
    ObjPoint guns[5];
    int32_t call;
    int32_t level;
};
ZakoLargeFire zakoLargeFire(ObjTask* task, int32_t kind);
// The heading from gun g to the fighter, taken into the aim word when take
// is set and read back from it otherwise.
int32_t zakoLargeAim(ObjWork* work, const ZakoLargeFire& fire, int32_t g, int32_t word, bool take);
void zakoLargeShot(const ZakoLargeFire& fire, int32_t g, int32_t type, int32_t angle, float speed);
void zakoLargeFan(const ZakoLargeFire& fire, int32_t g, int32_t type, int32_t angle, float speed, int32_t count,
                  int32_t step);
