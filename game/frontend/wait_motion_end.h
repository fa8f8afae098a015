#pragma once
// The draw callback of an object whose only picture is one motion (a stage's
// title): queues the work's first motion slot while it is open.
//
// Threads: main thread only.

struct ObjTask;
struct ObjWork;

// Queues the work's first motion slot on its own draw layer at alpha 1.0,
// untinted; nothing when the slot is -1.
void TSKwaitMotionEnd(ObjTask* task, ObjWork* work);
