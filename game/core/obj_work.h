#pragma once
// ObjWork: the state of one live game object (position, drawing, collision,
// the family's counters). A task's act makes it in its first state with
// OBJworkNew; the task's release function frees it with OBJworkFree. Records
// come from a fixed pool, so creating objects never allocates.
//
// Another object's record is kept as an ObjRef (obj_ref.h), never as a pointer.
// The families' own fields are one of the views of obj_work_views.h, reached
// through fighter(), enemy(), shot(), effect(), item(), scene() and staffRoll().
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_ref.h"
#include "game/core/obj_work_views.h"

struct HitBox;
struct ObjTask;
struct SpriteFrame;
struct ObjWork;

using ObjWorkFn = void (*)(ObjTask* task, ObjWork* work);

inline constexpr int kObjWorkPoolSize = 20000;
// The families' words: what a replay's work image of 2,472 bytes holds after
// its 140 bytes of common values (an even count, for the 64-bit score).
inline constexpr int kObjWorkFamilyWords = 582;

// Zeroed: a zeroed ObjRef resolves to nothing, as serial 0 is no object's.
union ObjFamilyWords {
    ObjFamilyWords() : words{} {}
    int32_t words[kObjWorkFamilyWords];
    FighterFields fighter;
    EnemyFields enemy;
    ShotFields shot;
    EffectFields effect;
    ItemFields item;
    BombFields bomb;
    SceneFields scene;
    WreckFields wreck;
    PopupFields popup;
    GunFields gun;
    LayerFields layer;
    StaffRollFields staffRoll;
};
static_assert(sizeof(ObjFamilyWords) == 4 * kObjWorkFamilyWords, "every view fits the words");

struct ObjWork {
    // What the collision pass reads of every target, together at the front:
    // one cache line a record when it walks a crowded group.
    ObjWorkFn hit;
    const HitBox* hitBoxes;
    float x, y;
    int32_t hitBoxCount;
    int32_t ground;
    int32_t groundHittable;
    uint8_t r, g, b, a;
    float alpha;
    ObjWorkFn draw;
    ObjWorkFn attack;
    ObjRef lastCollider;
    float depth;
    float vx, vy;
    int32_t speedX, speedY;
    float sizeX, sizeY;
    float scaleX, scaleY;
    int32_t* frameSheets;
    uint8_t* sameSheet;
    int32_t spriteBase;
    int32_t animFrame, animCount, animCounter, animStep;
    float angle;
    int32_t life;
    int32_t flip;
    int32_t kind;
    int32_t heading;
    float speed;
    float exitMarkerAlpha;
    int32_t age;
    int32_t enemyAgeLimit;
    uint8_t rotate;
    int32_t hitsOff;
    uint8_t motionShown;
    uint8_t visible;
    int32_t pauseRankCut;  // the attack schedule's pause cut per rank
    int32_t leavesWreck;
    uint8_t enemyFlagB;
    int32_t enemyTimer;  // frames left, counted down by the enemy library
    int32_t diesWithBoss;  // an ordinary enemy dies with its boss
    const SpriteFrame* frameTable;
    int32_t frameCount;
    ObjRef parentWork;
    int32_t motionSlot0, motionSlot1;
    uint32_t serial;
    // 0 new, 1 alive, 2 changing form, 3 dying; 10 written by an owner
    // detaches a linked object (a boss part, a laser).
    int32_t lifeState;
    ObjFamilyWords family;  // the families' own fields
};

inline FighterFields& fighter(ObjWork* work) { return work->family.fighter; }
inline EnemyFields& enemy(ObjWork* work) { return work->family.enemy; }
inline ShotFields& shot(ObjWork* work) { return work->family.shot; }
inline EffectFields& effect(ObjWork* work) { return work->family.effect; }
inline ItemFields& item(ObjWork* work) { return work->family.item; }
inline BombFields& bomb(ObjWork* work) { return work->family.bomb; }
inline SceneFields& scene(ObjWork* work) { return work->family.scene; }
inline WreckFields& wreck(ObjWork* work) { return work->family.wreck; }
inline PopupFields& popup(ObjWork* work) { return work->family.popup; }
inline GunFields& gun(ObjWork* work) { return work->family.gun; }
inline LayerFields& bgLayer(ObjWork* work) { return work->family.layer; }
inline StaffRollFields& staffRoll(ObjWork* work) { return work->family.staffRoll; }

// Releases a motion slot; installed by the owner of the motion slots.
extern void (*objMotionSlotRelease)(int32_t slot);

// A fresh record with its defaults and the next serial, or null when the pool
// is empty. Serials count from 1 for the whole run: 0 means "no object".
ObjWork* OBJworkNew();
// What the set-up of most play objects gives their new work: the task's
// release, the draw and hit callbacks and the depth; such a work is drawn
// rotated.
struct ObjWorkShape {
    void (*release)(ObjTask* task);
    ObjWorkFn draw;
    ObjWorkFn hit;
    float depth;
};
// A new work of that shape for the task, which then runs; null, with the
// task ended, when the pool is empty.
ObjWork* OBJworkSetUp(ObjTask* task, const ObjWorkShape& shape);
// Zero-fills a record the caller owns and gives it the defaults and the next serial.
void OBJworkInit(ObjWork* work);
// Releases the record's motion slots, resets its queued draw entries, frees
// its frame arrays and returns it to the pool. A pool record freed already is
// left alone, so it never goes back to the pool twice.
void OBJworkFree(ObjWork* work);
// Attaches n consecutive rows of the sprite-frame table starting at firstId.
void OBJworkSetFrames(ObjWork* work, int32_t firstId, int32_t n);
// The serial the next record gets.
uint32_t OBJworkNextSerial();
