#include "game/objects/shot_timers_provisional.h"

int32_t eshotConvertCountdown = 0;
