#pragma once
// Movement scripts: timed rows of the stage's tables (stage_tables.h) that
// set an enemy's size, speed, heading, followed layer and attack switch as it
// ages. The work keeps the script as (stage, param), never as a pointer.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// Row ops the interpreter knows; others are skipped.
enum EnemyScriptOp : int32_t {
    kScriptRest = 0,      // the script rests on this row for good
    kScriptSize = 1,      // half size = a / 200, b / 200
    kScriptLayer = 2,     // follows layer a (task flag bit 8)
    kScriptNoAttack = 6,  // the no-attack switch = a
    kScriptSpeed = 7,     // every speed = a / 100
    kScriptHeading = 8,   // every heading = a (1024 units a turn)
    kScriptEnd = 9,       // task state -1; the rows go on
};

// Cursor 0; param -1: no script; else the current stage's script of that
// param (none where the table has none). For a stage outside 0..5 the script
// is left as it was.
void enemySelectMoveScript(ObjWork* work, int32_t param);

// Runs every row whose frame is at or below the task's age; returns true.
bool enemyMoveScript(ObjTask* task, ObjWork* work);
