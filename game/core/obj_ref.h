#pragma once
// ObjRef: how one object keeps another. A plain pointer to another object's
// task or work record dangles once that object is released, and worse, may
// point at a new object reusing the record. A reference is the task's pool
// index and its work's serial; it resolves to null once the task is released
// or its record taken by a new object (new work, new serial).
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

struct ObjRef {
    int32_t index = -1;
    uint32_t serial = 0;
};

// A reference to the task and its current work; null for a task without work.
ObjRef objRef(const ObjTask* task);
// The task referred to, or null once it is gone. Resolving touches the
// task's group (OBJtaskGroupTouches).
ObjTask* objRefTask(ObjRef ref);
// The work referred to, or null once it is gone.
ObjWork* objRefWork(ObjRef ref);
