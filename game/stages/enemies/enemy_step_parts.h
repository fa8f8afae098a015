#pragma once
// The pieces of the common enemy step that live in files of their own.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;
struct EnemyFields;

// The motion stepper's one frame: the frame advances every
// motionTicksPerFrame frames and at motionLength ends, looping or holding.
void enemyRunAnimation(EnemyFields& e);
// An enemy that starts dying outside a kill: life 1, dying, no hit callback,
// no hit boxes.
void enemyStartDying(ObjWork* work);
// The octagonal distance max + min / 2.
float enemyOctagonalDistance(float dx, float dy);
// The heading 0..1023 from one point to another (0 up, clockwise).
int32_t enemyHeadingTo(float x0, float y0, float x1, float y1);
// The form change (lifeState 2) and the death sequence (lifeState 3).
void enemyStepFormChange(ObjTask* task, ObjWork* work);
void enemyStepDeath(ObjTask* task, ObjWork* work);
