#pragma once
// The bullet patterns every attack callback fires through (one bullet, a fan,
// a line of rising speed, fans of fans and of lines) and the enemies' twenty
// aim slots, turrets that turn toward the fighter at a limited rate.
//
// Every routine fires nothing while enemyShotStop is set, shows its type's
// flash once a call while fewer than 1024 shots live (a nested routine shows
// its own too), wraps every angle into 0..1023 and hands the owner, the
// speeds (hundredths of a pixel a frame) and the place on to TSKeshotCreate.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_ref.h"

struct ObjWork;

void enemyShot(int32_t type, int32_t angle, float speed, ObjRef owner, float x, float y);
// count bullets, bullet i at angle + i x step - h, h = (count / 2) x step,
// less step / 2 for an even count.
void enemyShotFan(int32_t type, int32_t angle, float speed, int32_t count, int32_t step, ObjRef owner, float x,
                  float y);
// count bullets on one angle at speed + i x speedStep; returns the angle.
int32_t enemyShotLine(int32_t type, int32_t angle, float speed, int32_t count, float speedStep, ObjRef owner,
                      float x, float y);
void enemyShotFanOfFans(int32_t type, int32_t angle, float speed, int32_t count, int32_t step, int32_t innerCount,
                        int32_t innerStep, ObjRef owner, float x, float y);
void enemyShotFanOfLines(int32_t type, int32_t angle, float speed, int32_t count, int32_t step, int32_t lineCount,
                         float speedStep, ObjRef owner, float x, float y);
void enemyShotFanOfFanLines(int32_t type, int32_t angle, float speed, int32_t count, int32_t step,
                            int32_t innerCount, int32_t innerStep, int32_t lineCount, float speedStep, ObjRef owner,
                            float x, float y);

// Arms aim slot 0..19 at the offset from the enemy, aimed at the fighter
// now; returns the parameter.
int32_t enemySetAimSlot(ObjWork* work, int32_t slot, int32_t turnLimit, int32_t param, float offsetX,
                        float offsetY);
// Turns every armed slot toward the fighter (heading 0 without one) by at
// most its turn limit; called at the end of enemyStep.
void enemyStepAimSlots(ObjWork* work);
