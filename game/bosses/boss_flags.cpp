#include "game/bosses/boss_flags.h"

uint8_t bossVisualFlag = 0;
uint8_t bossIntroHold = 0;
ObjPoint bossIntroPoint{};
uint8_t st4BossEntered = 0;
uint8_t st4BossDying = 0;
uint8_t st05DirectBoss2 = 0;
uint8_t st05mboss2LeaveFlag = 0;
uint8_t trueRouteFlag = 0;

void bossFlagsClear() {
    bossVisualFlag = 0;
    bossIntroHold = 0;
    bossIntroPoint = {};
    st4BossEntered = 0;
    st4BossDying = 0;
    st05DirectBoss2 = 0;
    st05mboss2LeaveFlag = 0;
    trueRouteFlag = 0;
}
