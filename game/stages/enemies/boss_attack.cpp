#include "game/stages/enemies/boss_attack.h"

#include "game/core/obj_work.h"

void bossResetAttack(ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.attackArmed = 1;
    e.shotsPerVolley = e.shotInterval = e.shotCountdown = e.shotsLeft = e.shotIndex = 0;
    e.volleysLeft = e.volleyPause = e.volleyIndex = 0;
    work->pauseRankCut = 100;
    e.burstEnded = 0;
    e.attackPattern = 0;
    for (int32_t& word : e.aimWords) word = 0;
}
