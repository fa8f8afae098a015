// Provisional: the game main's initialisation and release replace this file.
#include "game/core/game_main.h"

#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"

uint8_t attractMode = 0;

void gameMainInit() {
    // The sequence acts first in every pass from the next update on.
    if (ObjTask* sequence = OBJtaskCreate(TSKgameCtrlAct, 0, objTag("GCTR"))) sequence->flags |= kObjTaskPersistent;
}

void gameMainRelease() {}
