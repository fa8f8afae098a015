#include "game/core/play_state.h"

int32_t stageNumber = 0;
int32_t menuResultCode = 0;
int32_t trainingStartStage = 0;
