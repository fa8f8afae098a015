#pragma once
// The bullet-cancel queue. Enemy deaths, form breaks, kills, bombs and the
// continue queue a cancel; the enemy-shot update carries it out and marks
// the slots that don't match the shot it tests done; the game main update
// frees done slots and counts the queue's countdown down once an act pass,
// emptying the queue when it reaches 0. Owner 0 means every shot.
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
inline constexpr uint32_t kEshotCancelFree = 0xFFFFFFFFu;

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
// free (the countdown still rises).
void eshotCancelRequest(int32_t countdown, int32_t level, const ObjWork* owner, uint8_t closeFlag,
                        uint8_t secondFlag);
// The same for an owner known by its serial alone (one already released).
void eshotCancelRequestSerial(int32_t countdown, int32_t level, uint32_t ownerSerial, uint8_t closeFlag,
                              uint8_t secondFlag);
// Frees one slot.
void eshotCancelFreeSlot(EshotCancelSlot& slot);
