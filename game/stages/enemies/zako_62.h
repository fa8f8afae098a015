#pragma once
// Kind 62, the stage-3 hulk: a slow motion-built mid-boss with eighteen
// turrets (aim slots 0..17 over marker frames), two forms and a fixed
// cycle of attack phases per form (1, 2, 3 in the first, 5, 6, 7 in the
// second; 4 is the form change). While it lives it fades in the global
// wave motion "3boss_b_wave" and raises the stage-3 wave flag the field
// tint reads; its death brings the stage-3 boss through the enemy step.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_work_views.h"

struct HitBox;
struct ObjTask;
struct ObjWork;

inline constexpr int32_t kZako62Turrets = 18;
inline constexpr int32_t kZako62Boxes = kZako62Turrets + 1;  // the turrets, then the hull
inline constexpr int32_t kZako62FormFrames = 7200;

// The wave motion's slot (-1 none), made by the first hulk and shared by
// any other; its intensity 0..1 and the opacity last handed to it (-1 none).
extern int32_t zako62WaveSlot;
extern float zako62WaveIntensity;
extern int32_t zako62WaveShown;

void TSKzako62Act(ObjTask* task);
void TSKzako62Init(ObjTask* task);
void TSKzako62Update(ObjTask* task);
// The attack callback: the muzzles as the turrets stand, then the pattern.
void TSKzako62Attack(ObjTask* task, ObjWork* work);
// Damage from the other party when it resolves; the killing hit starts the
// death motion and sets off an explosion at every turret.
void TSKzako62Hit(ObjTask* task, ObjWork* work);
void TSKzako62Draw(ObjTask* task, ObjWork* work);
// Releases the wave slot, frees the record, lowers the wave flag.
void TSKzako62Free(ObjTask* task);

// The hit boxes as the last init wrote them (turrets 0..17, the hull).
const HitBox* zako62HitBoxes();
// Turret k's marker frame and barrel length.
int32_t zako62MarkerFrame(int32_t turret);
int32_t zako62Barrel(int32_t turret);
// The hover's speed at hover frame t: trunc(10 sin(2t x 2 pi / 1024)) / 100.
float zako62HoverSpeed(int32_t t);
// A turret's side muzzle, 5 pixels from the muzzle along heading + 256
// (side 1) or heading - 256 (side -1).
ObjPoint zako62SideMuzzle(ObjPoint muzzle, int32_t heading, int32_t side);
