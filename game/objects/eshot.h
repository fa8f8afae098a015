#pragma once
// Enemy shots: every bullet and laser an enemy or boss fires, `ESHT` tasks of
// group 11 (group 18 for the shootable types 156-159), made by
// TSKeshotCreate from one of 188 types (eshot_tables.h). The update
// (eshot_update.cpp) moves each type, carries out the bullet cancel and the
// power-up rules; the lasers 161 and 162 (eshot_laser.cpp) grow a motion and
// a strip of 40 hit boxes.
//
// A shot keeps its parent as an ObjRef and the parent's serial from creation
// (-1 without one): a released parent is never read, the bullet cancel
// matches the kept serial and bursts hand the same reference on.
//
// Threads: main thread only (act, collision and draw passes).

#include <cstdint>

#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"

struct HitBox;
struct ObjTask;
struct ObjWork;

inline constexpr int32_t kEshotGroup = 11;
inline constexpr int32_t kEshotSpecialGroup = 18;
inline constexpr uint32_t kEshotTag = objTag("ESHT");
inline constexpr int32_t kEshotLiveLimit = 1024;
inline constexpr int32_t kEshotLaserStrips = 16;
inline constexpr int32_t kEshotLaserBoxes = 40;
inline constexpr int32_t kEshotLaserLayer = 609;

// The live shots: +1 at a shot's first act, -1 at its release, never below 0.
extern int32_t eshotLiveCount;
// Pixels a frame added to most new shots; the rank step sets it.
extern float eshotSpeedBonus;
// While above 0 the class-3 shots turn into items; the fighter's hit sets it
// to 4 and the game main update counts it down.
extern int32_t eshotConvertCountdown;
// The stage-4 boss's signal: while 1 every type-172 shot bursts.
extern int32_t st4BurstSignal;
// The round-robin cursor that hands out the laser strips.
extern int32_t eshotLaserNext;

// A new shot of `type` (0..187) at `angle` (1024 a turn) and `speed`
// (hundredths of a pixel a frame), or null when refused: 1024 live, the
// stop flag, a place outside -4..228 by -4..272 (lasers never refused for
// their place), or no free task.
ObjWork* TSKeshotCreate(int32_t type, int32_t angle, float speed, int32_t param1, int32_t param2, ObjRef parent,
                        float x, float y);
// The class's muzzle flash (effect 82 + class) at (x, y).
void TSKeshotFlash(int32_t type, float x, float y);
// The class's vanish effect (87 + class) with the shot's angle and speed.
void TSKeshotVanish(ObjWork* work);

void TSKeshotAct(ObjTask* task);
void TSKeshotUpdate(ObjTask* task);
void TSKeshotDraw(ObjTask* task, ObjWork* work);
void TSKeshotHit(ObjTask* task, ObjWork* work);
void TSKeshotKill(ObjTask* task);

// Strip 0..15 of 40 boxes, or null outside.
HitBox* eshotLaserHitBoxes(int32_t index);
// Every strip's offsets back to 0, 0 (half-size 4 by 4) and the cursor 0:
// the stage load.
void eshotLaserClear();
// The laser's own step (types 161 and 162), part of TSKeshotUpdate; false
// while the play is frozen (the update then stops).
bool eshotLaserStep(ObjTask* task, ObjWork* work, bool cellChanged);
// A shooter that keeps its laser starts it over on the same shot: back to
// state 0 with no charge, so it charges, fires and grows again.
void eshotLaserRestart(ObjWork* work);
