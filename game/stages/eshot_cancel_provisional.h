#pragma once
// Provisional: the bullet-cancel queue. Enemy deaths and bombs queue a
// cancel; the enemy-shot update carries it out and marks each slot done; the
// game main update frees done slots and counts the queue's countdown down
// once an act pass. The issue that builds the enemy library replaces this.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

struct ObjWork;

struct EshotCancelSlot {
    uint32_t ownerSerial;  // 0xFFFFFFFF: the slot is free; 0: no owner
    int32_t level;         // the kill multiplier level handed on, -1 none
    uint8_t closeFlag;     // the fighter was within point-blank range of the kill
    uint8_t secondFlag;
    uint8_t done;          // set by the enemy-shot update
};

inline constexpr int kEshotCancelSlots = 32;

struct EshotCancelQueue {
    std::array<EshotCancelSlot, kEshotCancelSlots> slots;
    int32_t countdown;       // frames; the largest requested
    int32_t cancelledCount;  // items made by the current cancel
    int32_t spare;
};

extern EshotCancelQueue eshotCancelQueue;

// Every slot free, the countdown and both further words 0.
void eshotCancelClear();
// Raises the countdown to at least the given frames and takes the first
// free slot with the owner's serial (0 without one); dropped when none is
// free.
void eshotCancelRequest(int32_t countdown, int32_t level, const ObjWork* owner, uint8_t closeFlag,
                        uint8_t secondFlag);
// Frees one slot.
void eshotCancelFreeSlot(EshotCancelSlot& slot);
