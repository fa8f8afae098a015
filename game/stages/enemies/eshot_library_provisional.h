#pragma once
// Provisional: the least of the enemy shots and of the boss library that the
// enemy step and the damage call, until the enemy-shot issue (creation,
// update, lasers, bullet cancel, bullet patterns and the boss library)
// builds them and deletes this file.
//
// Threads: main thread only.

#include <cstdint>
#include <vector>

struct ObjWork;

// One TSKeshotCreate call as it was asked for.
struct EshotCall {
    int32_t type, heading, speed, param1, param2;
    float x, y;
};
// Every TSKeshotCreate call since the last clear (tests read them).
std::vector<EshotCall>& eshotCalls();

// Records the call and makes no shot: returns null.
ObjWork* TSKeshotCreate(int32_t type, int32_t heading, int32_t speed, int32_t param1, int32_t param2,
                        ObjWork* parent, float x, float y);
// Does nothing.
void TSKeshotFlash(int32_t type, float x, float y);
// The live enemy shots: 0.
int32_t eshotLiveCount();
// Do nothing.
void bossGaugeRegister(int32_t show, int32_t maximum, const int32_t* partLives, int32_t ignored, int32_t gauge);
void bossGaugeVoice(int32_t life, int32_t gaugeSlot, int32_t sizeClass);
void enemyStepAimSlots(ObjWork* work);
