// Provisional: the play start replaces this file; of its header only
// playStart is defined here.
#include "game/core/obj_task.h"
#include "game/core/play_start.h"
#include "game/core/replay_files.h"
#include "game/objects/fighter_services.h"

void playStart() {
    if (OBJtaskCreate(TSKinfoAct, 13, objTag("INFO"))) OBJtaskCreate(TSKfighterAct, 9, objTag("FIGH"));
    replayIoMode = 0;
}
