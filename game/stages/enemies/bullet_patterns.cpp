#include "game/stages/enemies/bullet_patterns.h"

#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/objects/eshot.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/enemy_step.h"

namespace {

bool patternsOff() { return enemyShotStop == 1; }

void patternFlash(int32_t type, float x, float y) {
    if (eshotLiveCount < kEshotLiveLimit) TSKeshotFlash(type, x, y);
}

// The first angle of a fan of count around angle.
int32_t patternFanStart(int32_t angle, int32_t count, int32_t step) {
    const int32_t half = (count / 2) * step - (count % 2 == 0 ? step / 2 : 0);
    return angle - half;
}

}  // namespace

void enemyShot(int32_t type, int32_t angle, float speed, ObjRef owner, float x, float y) {
    if (patternsOff()) return;
    patternFlash(type, x, y);
    TSKeshotCreate(type, angle & 1023, speed, 0, 0, owner, x, y);
}

void enemyShotFan(int32_t type, int32_t angle, float speed, int32_t count, int32_t step, ObjRef owner, float x,
                  float y) {
    if (patternsOff() || count < 1) return;
    patternFlash(type, x, y);
    const int32_t first = patternFanStart(angle, count, step);
    for (int32_t i = 0; i < count; ++i) TSKeshotCreate(type, (first + i * step) & 1023, speed, 0, 0, owner, x, y);
}

int32_t enemyShotLine(int32_t type, int32_t angle, float speed, int32_t count, float speedStep, ObjRef owner,
                      float x, float y) {
    if (patternsOff() || count < 1) return angle;
    patternFlash(type, x, y);
    for (int32_t i = 0; i < count; ++i) {
        TSKeshotCreate(type, angle & 1023, speed + float(i) * speedStep, 0, 0, owner, x, y);
    }
    return angle;
}

void enemyShotFanOfFans(int32_t type, int32_t angle, float speed, int32_t count, int32_t step, int32_t innerCount,
                        int32_t innerStep, ObjRef owner, float x, float y) {
    if (patternsOff() || innerCount == 0 || count < 1) return;
    patternFlash(type, x, y);
    const int32_t first = patternFanStart(angle, count, step);
    for (int32_t i = 0; i < count; ++i) {
        enemyShotFan(type, (first + i * step) & 1023, speed, innerCount, innerStep, owner, x, y);
    }
}

void enemyShotFanOfLines(int32_t type, int32_t angle, float speed, int32_t count, int32_t step, int32_t lineCount,
                         float speedStep, ObjRef owner, float x, float y) {
    if (patternsOff() || count < 1) return;
    patternFlash(type, x, y);
    const int32_t first = patternFanStart(angle, count, step);
    for (int32_t i = 0; i < count; ++i) {
        enemyShotLine(type, (first + i * step) & 1023, speed, lineCount, speedStep, owner, x, y);
    }
}

void enemyShotFanOfFanLines(int32_t type, int32_t angle, float speed, int32_t count, int32_t step,
                            int32_t innerCount, int32_t innerStep, int32_t lineCount, float speedStep, ObjRef owner,
                            float x, float y) {
    if (patternsOff() || count < 1 || innerCount == 0) return;
    patternFlash(type, x, y);
    const int32_t first = patternFanStart(angle, count, step);
    for (int32_t i = 0; i < count; ++i) {
        enemyShotFanOfLines(type, (first + i * step) & 1023, speed, innerCount, innerStep, lineCount, speedStep,
                            owner, x, y);
    }
}

int32_t enemySetAimSlot(ObjWork* work, int32_t slot, int32_t turnLimit, int32_t param, float offsetX,
                        float offsetY) {
    if (slot < 0 || slot >= kEnemyAimSlots) return param;
    EnemyAimSlot& aim = enemy(work).aimSlots[slot];
    aim.offsetX = offsetX;
    aim.offsetY = offsetY;
    aim.armed = 1;
    aim.heading = enemyAngleToPlayer(work->x + offsetX, work->y + offsetY);
    aim.turnLimit = turnLimit;
    aim.param = param;
    return param;
}

void enemyStepAimSlots(ObjWork* work) {
    for (EnemyAimSlot& aim : enemy(work).aimSlots) {
        if (aim.armed == 0) continue;
        const int32_t target = enemyAngleToPlayer(work->x + aim.offsetX, work->y + aim.offsetY);
        aim.heading = SDL2_wheel_AngleClamp(target, aim.heading, aim.turnLimit);
    }
}
