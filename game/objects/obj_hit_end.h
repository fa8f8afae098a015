#pragma once
// objHitEnd: the hit callback of objects that end on their first contact
// (effects install it). Clears the work's hit callback, so the collision pass
// tests it no further, and sets the task's state to -1, so its act releases it.
//
// Threads: main thread only, inside the collision pass.

struct ObjTask;
struct ObjWork;

void objHitEnd(ObjTask* task, ObjWork* work);
