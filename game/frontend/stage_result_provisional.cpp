// Provisional: the stage-result scene replaces this file.
#include "game/frontend/stage_result_provisional.h"

int32_t stageResultActive = 0;
