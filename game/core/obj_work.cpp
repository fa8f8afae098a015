#include "game/core/obj_work.h"

#include <cstdint>
#include <new>
#include <type_traits>

#include "game/core/draw_store.h"
#include "game/core/obj_task.h"
#include "game/core/sprite_frames.h"

void (*objMotionSlotRelease)(int32_t slot) = nullptr;

namespace {

// Plain zeroed storage: an array of records would be built by a constructor
// at start-up, touching all 10 MB of it before the first object exists. A
// record is made in place when it is handed out.
static_assert(std::is_trivially_destructible_v<ObjWork>, "a freed record is reused without being destroyed");
alignas(ObjWork) unsigned char poolBytes[sizeof(ObjWork) * kObjWorkPoolSize];
void* freeList[kObjWorkPoolSize];
int freeCount = -1;
bool handedOut[kObjWorkPoolSize];
uint32_t nextSerial = 1;

void fillFreeList() {
    if (freeCount >= 0) return;
    freeCount = kObjWorkPoolSize;
    // Handed out from the start of the pool on.
    for (int i = 0; i < kObjWorkPoolSize; ++i) freeList[i] = poolBytes + sizeof(ObjWork) * (kObjWorkPoolSize - 1 - i);
}

// The record's place in the pool, or -1 for a record the caller owns.
int poolIndex(const ObjWork* work) {
    const auto at = reinterpret_cast<uintptr_t>(work);
    const auto begin = reinterpret_cast<uintptr_t>(poolBytes);
    if (at < begin || at >= begin + sizeof(poolBytes)) return -1;
    return int((at - begin) / sizeof(ObjWork));
}

void setDefaults(ObjWork* work) {
    work->r = work->g = work->b = work->a = 255;
    work->alpha = 1.0f;
    work->scaleX = 1.0f;
    work->scaleY = 1.0f;
    work->exitMarkerAlpha = 1.0f;
    work->enemyAgeLimit = 6000;
    work->motionShown = 1;
    work->visible = 1;
    work->pauseRankCut = 100;
    work->leavesWreck = 1;
    work->enemyFlagB = 1;
    work->enemyTimer = 7200;
    work->diesWithBoss = 1;
    work->motionSlot0 = -1;
    work->motionSlot1 = -1;
    work->serial = nextSerial++;
}

void releaseSlot(int32_t& slot) {
    if (slot == -1) return;
    if (objMotionSlotRelease != nullptr) objMotionSlotRelease(slot);
    slot = -1;
}

}  // namespace

void OBJworkInit(ObjWork* work) {
    if (work == nullptr) return;
    *work = ObjWork{};
    setDefaults(work);
}

ObjWork* OBJworkNew() {
    fillFreeList();
    if (freeCount == 0) return nullptr;
    ObjWork* work = ::new (freeList[--freeCount]) ObjWork{};
    handedOut[poolIndex(work)] = true;
    setDefaults(work);
    return work;
}

ObjWork* OBJworkSetUp(ObjTask* task, const ObjWorkShape& shape) {
    ObjWork* work = OBJworkNew();
    task->work = work;
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return nullptr;
    }
    task->release = shape.release;
    work->draw = shape.draw;
    work->hit = shape.hit;
    work->depth = shape.depth;
    work->rotate = 1;
    task->state = kObjStateRun;
    return work;
}

void OBJworkFree(ObjWork* work) {
    if (work == nullptr) return;
    const int index = poolIndex(work);
    if (index >= 0 && !handedOut[index]) return;
    releaseSlot(work->motionSlot0);
    releaseSlot(work->motionSlot1);
    OBJdrawObjResetOwned(work);
    delete[] work->frameSheets;
    delete[] work->sameSheet;
    work->frameSheets = nullptr;
    work->sameSheet = nullptr;
    // A record the caller owns (OBJworkInit) stays the caller's.
    if (index < 0) return;
    fillFreeList();
    handedOut[index] = false;
    work->serial = 0;  // no reference resolves to a freed record
    freeList[freeCount++] = static_cast<void*>(work);
}

void OBJworkSetFrames(ObjWork* work, int32_t firstId, int32_t n) {
    if (work == nullptr || n < 0) return;
    // Families index the attached rows from frameTable on: never past the table's end.
    const int64_t rows = static_cast<int64_t>(OBJframeTable().size());
    if (firstId < 0 || firstId >= rows) {
        n = 0;
    } else if (n > rows - firstId) {
        n = static_cast<int32_t>(rows - firstId);
    }
    delete[] work->frameSheets;
    delete[] work->sameSheet;
    work->frameSheets = new int32_t[static_cast<size_t>(n)];
    work->sameSheet = new uint8_t[static_cast<size_t>(n)];
    const int32_t firstSheet = OBJframeRow(firstId).sheet;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t sheet = OBJframeRow(firstId + i).sheet;
        work->frameSheets[i] = sheet;
        work->sameSheet[i] = sheet == firstSheet ? 1 : 0;
    }
    work->frameTable = n > 0 ? &OBJframeRow(firstId) : nullptr;
    work->frameCount = n;
}

uint32_t OBJworkNextSerial() { return nextSerial; }
