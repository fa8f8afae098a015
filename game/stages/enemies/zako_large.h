#pragma once
// The large air enemies, kinds 40 to 50: armoured aircraft that fly their
// move script, take many hits and fire volleys from several gun points. One
// row of constants a kind (zakoLargeKind); a gun point is the anchor of a
// marker frame that the sprite table holds just before the kind's body
// frame, so the picture and the guns are placed together.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/collision.h"
#include "game/core/obj_work.h"

struct ObjTask;

inline constexpr int32_t kZakoLargeFirstKind = 40;
inline constexpr int32_t kZakoLargeKinds = 11;
inline constexpr int kZakoLargeBoxes = 5;
inline constexpr int kZakoLargeGuns = 5;
// The pause every volley loses per rank, in hundredths of the attack rank.
inline constexpr int32_t kZakoLargePauseCut = 70;

struct ZakoLargeKind {
    int32_t sizeClass;
    float depth;
    int32_t hp;  // before enemyScaleHp
    uint64_t score;
    int32_t calls, interval, firstCall, pause;  // the volley, in frames
    HitBox boxes[kZakoLargeBoxes];
    int32_t boxCount;
    int32_t bodyFrame;  // 0: no picture
    int32_t cells;      // the body's cells
    int32_t cellStep;   // 0: a cell a frame by age; n: the animation steps every n frames
    int32_t guns;       // the marker frames just before the body frame
    int32_t flySound;   // 0 none, 1 on the first running frame, 2 at creation too
};

// The row of kind 40..50.
const ZakoLargeKind& zakoLargeKind(int32_t kind);
// Gun 0..guns-1 of the kind on the enemy: its position plus the marker's anchor.
ObjPoint zakoLargeGun(const ObjWork* work, int32_t kind, int32_t gun);

void TSKzako40Act(ObjTask* task);
void TSKzako40Draw(ObjTask* task, ObjWork* work);
void TSKzako40Attack(ObjTask* task, ObjWork* work);
void TSKzako41Act(ObjTask* task);
void TSKzako41Draw(ObjTask* task, ObjWork* work);
void TSKzako41Attack(ObjTask* task, ObjWork* work);
void TSKzako42Act(ObjTask* task);
void TSKzako42Draw(ObjTask* task, ObjWork* work);
void TSKzako42Attack(ObjTask* task, ObjWork* work);
void TSKzako43Act(ObjTask* task);
void TSKzako43Draw(ObjTask* task, ObjWork* work);
void TSKzako43Attack(ObjTask* task, ObjWork* work);
void TSKzako44Act(ObjTask* task);
void TSKzako44Draw(ObjTask* task, ObjWork* work);
void TSKzako44Attack(ObjTask* task, ObjWork* work);
void TSKzako45Act(ObjTask* task);
void TSKzako45Draw(ObjTask* task, ObjWork* work);
void TSKzako45Attack(ObjTask* task, ObjWork* work);
// Kind 46 has no picture and fires nothing.
void TSKzako46Act(ObjTask* task);
void TSKzako46Draw(ObjTask* task, ObjWork* work);
void TSKzako47Act(ObjTask* task);
void TSKzako47Draw(ObjTask* task, ObjWork* work);
void TSKzako47Attack(ObjTask* task, ObjWork* work);
void TSKzako48Act(ObjTask* task);
void TSKzako48Draw(ObjTask* task, ObjWork* work);
void TSKzako48Attack(ObjTask* task, ObjWork* work);
void TSKzako49Act(ObjTask* task);
void TSKzako49Draw(ObjTask* task, ObjWork* work);
void TSKzako49Attack(ObjTask* task, ObjWork* work);
// Kind 49's release: frees the work as every enemy's does.
void TSKzako49Free(ObjTask* task);
void TSKzako50Act(ObjTask* task);
void TSKzako50Draw(ObjTask* task, ObjWork* work);
void TSKzako50Attack(ObjTask* task, ObjWork* work);
