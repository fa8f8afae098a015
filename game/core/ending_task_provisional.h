#pragma once
// Provisional: the ending placeholder as a task of the object pool (group 13,
// ENDI), which the game-control sequence creates and waits for, until the
// screen effects move onto the pool (ending_task_provisional.cpp).
//
// Threads: main thread only.

struct ObjTask;

// Lives for two act calls and is released on the third; its release stops the music.
void TSKendingAct(ObjTask* task);
