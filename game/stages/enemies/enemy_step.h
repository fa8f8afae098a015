#pragma once
// The common enemy step, called once a frame by the update of every enemy,
// mid-boss and boss: movement by script and steering, entering and leaving
// the screen, the timers, the attack schedule, the form change and the death
// sequence of each size class (a boss's ends the stage through
// seqStageClear, the stage-5 boss's may call the true last boss).
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// False when the enemy has left the screen for good (the caller then sets
// the task's state to -1); a boss (class 4) never leaves this way.
bool enemyStep(ObjTask* task, ObjWork* work);

// Heading 0..1023 from (x, y) to the fighter (0 up, clockwise); 0 without one.
int32_t enemyAngleToPlayer(float x, float y);
// The fighter's position; both outputs untouched without a fighter.
void enemyPlayerPos(float* x, float* y);
// Depth by followed layer 0..4: 440, 14, 104, 204, 304; others leave it.
void enemySetLayerDepth(ObjWork* work);
// True while the fighter is within the point-blank radius of the enemy's
// class (from its position plus aimOffset); tints the enemy (255, 255, 160)
// then, white otherwise. False while dying or with no fighter gauge ready.
bool enemyPointBlankTint(ObjWork* work);
// The red edge marker of an enemy off the screen's side it will enter or left
// by (sprite 1754, layer 401), while its exitMarkerAlpha is above 0.
void enemyDrawExitMarker(ObjWork* work);

// The attack schedule's one run (part of enemyStep; exposed for the bosses'
// tests): counts the shot countdown, calls the attack callback, starts the
// next volley.
void enemyRunAttack(ObjTask* task, ObjWork* work);
