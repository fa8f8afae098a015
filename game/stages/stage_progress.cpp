#include "game/stages/stage_services.h"

int32_t stageProgress = 0;
