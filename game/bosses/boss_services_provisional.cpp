// Provisional: the boss family replaces this file.
#include "game/bosses/boss_services.h"

uint8_t trueRouteFlag = 0;
