// Provisional: the rank and item carriers replace this file.
#include "game/stages/stage_services.h"

int32_t stageProgress = 0;
