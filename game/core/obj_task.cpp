#include "game/core/obj_task.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <type_traits>

namespace {

// Plain zeroed storage: an array of records would be built by a constructor
// at start-up (a reference's null index is not zero), touching all of it
// before the first task exists. A record is made in place the first time it
// is handed out; until then the free list goes on with the records never
// used, in index order.
static_assert(std::is_trivially_destructible_v<ObjTask>, "a freed record is reused without being destroyed");
alignas(ObjTask) unsigned char poolBytes[sizeof(ObjTask) * kObjTaskPoolSize];
ObjTaskGroup groups[kObjTaskGroups];
ObjTask* freeHead = nullptr;
int firstUnused = kObjTaskPoolSize;  // none before the pool is first emptied
int everUsed = 0;                    // records made so far, from the start
uint32_t touches[kObjTaskGroups] = {};
const ObjTask* setAside = nullptr;

ObjTask* record(int index) { return reinterpret_cast<ObjTask*>(poolBytes) + index; }

ObjTask* makeRecord(int index) {
    ObjTask* task = ::new (record(index)) ObjTask{};
    task->tag = kObjTagNone;
    return task;
}

ObjTask* nextFree() {
    if (freeHead != nullptr) return freeHead;
    return firstUnused < kObjTaskPoolSize ? record(firstUnused) : nullptr;
}

ObjTask* takeFree(ObjTaskFn act, int group, uint32_t tag) {
    ObjTask* task = nextFree();
    if (task == nullptr || group < 0 || group >= kObjTaskGroups) return nullptr;
    if (task == freeHead) {
        freeHead = task->freeNext;
    } else {
        makeRecord(firstUnused++);
        everUsed = std::max(everUsed, firstUnused);
    }
    task->act = act;
    task->group = group;
    OBJtaskInit(task);
    task->tag = tag;
    ++touches[group];
    return task;
}

void linkAfter(ObjTask* anchor, ObjTask* task) {
    task->prev = anchor;
    task->next = anchor->next;
    anchor->next->prev = task;
    anchor->next = task;
}

[[noreturn]] void unreleasedWork(const ObjTask* task) {
    const uint32_t tag = task->ownerTag;
    std::printf("not release object task! (group is %d '%c%c%c%c')\n", task->ownerGroup, char(tag >> 24),
                char(tag >> 16), char(tag >> 8), char(tag));
    std::exit(-1);
}

template <class Keep>
void releaseWhere(Keep keep) {
    for (int group = 0; group < kObjTaskGroups; ++group) {
        OBJtaskWalk(group, [&](ObjTask* task) {
            if ((task->flags & kObjTaskPersistent) == 0 && !keep(task)) OBJtaskRelease(task);
        });
    }
}

}  // namespace

void OBJtaskPoolInit() {
    // Only records used before hold anything to clear.
    for (int i = 0; i < everUsed; ++i) makeRecord(i);
    firstUnused = 0;
    freeHead = nullptr;
    for (uint32_t& count : touches) ++count;
    for (ObjTaskGroup& group : groups) {
        group = ObjTaskGroup{};
        group.head.next = &group.tail;
        group.tail.prev = &group.head;
    }
}

ObjTask* OBJtaskCreate(ObjTaskFn act, int group, uint32_t tag) {
    ObjTask* task = takeFree(act, group, tag);
    if (task != nullptr) linkAfter(&groups[group].head, task);
    return task;
}

ObjTask* OBJtaskCreateTail(ObjTaskFn act, int group, uint32_t tag) {
    ObjTask* task = takeFree(act, group, tag);
    if (task != nullptr) linkAfter(groups[group].tail.prev, task);
    return task;
}

void OBJtaskInit(ObjTask* task) {
    if (task->work != nullptr) unreleasedWork(task);
    task->flags = kObjTaskLive;
    task->parent = {};
    task->aux = 0;
    task->release = nullptr;
    task->tag = kObjTagNone;
    task->state = kObjStateInit;
    for (int32_t& word : task->actWords) word = 0;
}

void OBJtaskRelease(ObjTask* task) {
    // A second release of the same record would put it on the free list
    // twice and hand it to two owners.
    if ((task->flags & kObjTaskLive) == 0) return;
    if (task->release != nullptr) task->release(task);
    ++touches[task->group];
    task->prev->next = task->next;
    task->next->prev = task->prev;
    task->flags = 0;
    task->ownerGroup = task->group;
    task->ownerTag = task->tag;
    task->freeNext = freeHead;
    freeHead = task;
    task->tag = kObjTagNone;
    task->group = 0;
}

ObjTask* OBJtaskCreateSetUp(ObjTaskFn act, int group, uint32_t tag) {
    ObjTask* task = OBJtaskCreateTail(act, group, tag);
    if (task == nullptr) return nullptr;
    act(task);
    if (task->work != nullptr) return task;
    OBJtaskRelease(task);
    return nullptr;
}

void OBJtaskReleaseUnlessPersistent(ObjTask* task) {
    if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
}

void OBJtaskReleaseAll(ObjTask* keep) {
    releaseWhere([keep](const ObjTask* task) { return task == keep; });
}

void OBJtaskReleaseByTag(uint32_t tag) {
    releaseWhere([tag](const ObjTask* task) { return task->tag != tag; });
}

int OBJtaskCountByTag(int group, uint32_t tag) {
    int count = 0;
    OBJtaskWalk(group, [&](const ObjTask* task) { count += task->tag == tag ? 1 : 0; });
    return count;
}

ObjTaskGroup& OBJtaskGroup(int group) {
    ++touches[group];
    return groups[group];
}

uint32_t OBJtaskGroupTouches(int group) { return touches[group]; }

void OBJtaskTouch(const ObjTask* task) {
    if (task != setAside) ++touches[task->group];
}

const ObjTask* OBJtaskSetAside(const ObjTask* task) {
    const ObjTask* before = setAside;
    setAside = task;
    return before;
}

ObjTask* OBJtaskPool() { return record(0); }
ObjTask* OBJtaskFreeHead() { return nextFree(); }
