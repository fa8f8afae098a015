#pragma once
// ObjTask: every live thing of the game is one fixed record of a static pool
// of 20000, linked into one of 32 ordered group lists and stepped by calling
// its act once per act pass. Nothing here allocates.
//
// Walking contract: a walk reads the current record, calls what it calls,
// then follows the current record's next field. Release leaves the released
// record's prev/next untouched, so a task may release itself (or be released
// by a callback) mid-walk and the walk goes on with its former successor.
// The last released record is the first one reused.
//
// Threads: main thread only (the game's frame step).

#include <cstdint>

#include "game/core/obj_ref.h"

struct ObjWork;
struct ObjTask;

using ObjTaskFn = void (*)(ObjTask* task);

inline constexpr int kObjTaskPoolSize = 20000;
inline constexpr int kObjTaskGroups = 32;
inline constexpr uint32_t kObjTaskLive = 1u << 0;
inline constexpr uint32_t kObjTaskPersistent = 1u << 29;
inline constexpr uint32_t kObjTagNone = 0xFFFFFFFFu;
inline constexpr int32_t kObjStateInit = 0;
inline constexpr int32_t kObjStateRun = 100;
inline constexpr int32_t kObjStateEnd = -1;

// "FIGH" -> the word whose bytes from most to least significant are F, I, G, H.
constexpr uint32_t objTag(const char (&text)[5]) {
    return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) |
           (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
}

struct ObjTask {
    uint32_t flags;
    int32_t group;
    uint32_t tag;
    ObjTask* prev;
    ObjTask* next;
    ObjTask* freeNext;
    ObjRef parent;  // the spawner; null once it is gone
    intptr_t aux;
    ObjTaskFn act;
    ObjTaskFn release;
    int32_t state;
    int32_t actWords[6];
    int32_t spare[3];
    ObjWork* work;
    // The group and tag of the record's last owner, kept through release so
    // that a record released with its work still held can be named.
    int32_t ownerGroup;
    uint32_t ownerTag;
};

struct ObjTaskGroup {
    ObjTask head;
    ObjTask tail;
};

// Empties the pool: every record free in index order, every group empty.
void OBJtaskPoolInit();
// A task linked after the group's head (stepped first from the next walk
// on), or null when the pool is empty or the group is not 0..31.
ObjTask* OBJtaskCreate(ObjTaskFn act, int group, uint32_t tag);
// The same, linked before the group's tail (stepped last, in creation order).
ObjTask* OBJtaskCreateTail(ObjTaskFn act, int group, uint32_t tag);
// A task at the tail of the group with its set-up run at once; null, and
// nothing left behind, when the pool has no task or its set-up got no work.
ObjTask* OBJtaskCreateSetUp(ObjTaskFn act, int group, uint32_t tag);
// Clears a record for a new owner; ends the process when the record still
// holds the work of its previous owner.
void OBJtaskInit(ObjTask* task);
// Calls the task's release function, unlinks it and puts it first on the free list.
void OBJtaskRelease(ObjTask* task);
// What an act does in a state it doesn't know: the task goes unless it is
// persistent.
void OBJtaskReleaseUnlessPersistent(ObjTask* task);
// Releases every task but keep and the persistent ones.
void OBJtaskReleaseAll(ObjTask* keep);
void OBJtaskReleaseByTag(uint32_t tag);
int OBJtaskCountByTag(int group, uint32_t tag);

// The group's list; reaching it counts as a touch of the group.
ObjTaskGroup& OBJtaskGroup(int group);
ObjTask* OBJtaskPool();  // the kObjTaskPoolSize records
ObjTask* OBJtaskFreeHead();

// Touches: how many times each group's list was reached (OBJtaskGroup, and
// so every walk) or changed (create, release), or one of its tasks resolved
// through a reference (objRefTask), except the one task set aside. Objects
// reach one another only these ways, so a reader that keeps what it read of
// a group knows it still holds while the count stands: the collision pass
// keeps its target rectangles across hit callbacks this way, setting the hit
// target aside (it reads that one again itself).
uint32_t OBJtaskGroupTouches(int group);
void OBJtaskTouch(const ObjTask* task);
// Returns the task set aside before.
const ObjTask* OBJtaskSetAside(const ObjTask* task);

// Calls fn(task) for each task of the group, head to tail, by the walking contract.
template <class Fn>
void OBJtaskWalk(int group, Fn&& fn) {
    ObjTaskGroup& list = OBJtaskGroup(group);
    for (ObjTask* task = list.head.next; task != &list.tail;) {
        ObjTask* current = task;
        fn(current);
        task = current->next;
    }
}
