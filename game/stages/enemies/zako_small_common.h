#pragma once
// What the small air enemies share: the aim toward the fighter, the
// velocity step along the heading, the homing turn and the first running
// frame.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_work.h"

struct HitBox;
struct ObjTask;

// Heading 0..1023 from (x, y) toward the fighter, truncated; 0 without one.
int32_t zakoSmallAim(float x, float y);
// velocity = (sin h, -cos h) x speed (the script's steerSpeed), the
// script speeds cleared, position += velocity.
void zakoSmallVelocityStep(ObjWork* work);
// Turns toward the fighter by at most 24 a frame until within 50 px
// (octagonal distance), then keeps the heading; moves along it.
void zakoSmallHome(ObjWork* work);
// State 0 of every small kind: a work with depth 510, TSKenemyHit, the
// script of the spawn param, hp by enemyScaleHp, the off-screen timer;
// state 100. Null when the pool is empty.
ObjWork* zakoSmallStart(ObjTask* task, int32_t hp);
// One hit box while hits are on, none while off.
void zakoSmallSetBox(ObjWork* work, const HitBox* box);
// enemyStep, the dying test and the first running frame (the task ends when
// a boss is present); false when the update does nothing more.
bool zakoSmallBegin(ObjTask* task, ObjWork* work);
// State 100: the script (when run), the task's age word, the update; any
// other state releases the task unless it persists.
void zakoSmallRun(ObjTask* task, ObjWorkFn update, bool runScript);
// Point-blank tint, the frame on the depth's layer, the exit marker.
void zakoSmallDraw(ObjWork* work, int32_t frame, float angle);
// One volley a burst, bursts 9999, burst count 0.
void zakoSmallSetSchedule(ObjWork* work, int32_t firstCountdown, int32_t pause);
// One shot of a type at an angle and speed from the enemy, or nothing while
// enemy shots are stopped; the type's flash first while fewer than 1024
// shots live.
void zakoSmallShot(ObjTask* task, int32_t type, int32_t angle, float speed);
