// Provisional: the rank and item carriers replace this file.
#include "game/stages/stage_services.h"

int32_t itemCarrierChangeTimer = 0;
int32_t itemCarrierBombTimer = 0;
int32_t stageProgress = 0;
