#pragma once
// The shape every mid-boss and boss follows, once: the act with its three
// task states, the init from a row of values, the body tint, the turret
// refresh from the motion's "turret%02d" locators, the aim, the attack
// blocks, the phase/step machine run from a table of rows, the linked parts
// and the hit boxes. A boss file gives its rows, its attack table, its
// turret callback and any row actions; nothing here names a kind.
//
// The boss fields are the enemy view of ObjWork: the turret positions are
// `locators` (with `turretSeen`, one bit a turret once its locator was
// found), the aim words `aimWords`, the linked parts `partLink[0]` and
// `partLink[1]` (A and B), the smoke offsets `smokeOffsets`, the hit switch
// `noHitBoxes`, the phase machine `phase`, `step`, `stepCount`.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"

struct HitBox;

// What an init fills, by kind.
struct BossInitRow {
    void (*release)(ObjTask* task);
    ObjWorkFn draw, hit, attack;
    float depth;
    int32_t formCount;
    int32_t formHp[kEnemyParts];      // each form's hit points
    int32_t formHpHard[kEnemyParts];  // instead on difficulty setting 2
    uint64_t score;
    int32_t sizeClass;
    const char* motionFile;  // slot A on layer 430, slot B on 431; null: no slots, no motion
    int32_t firstMotion;
    int32_t entryWait;
    bool stopsMusic;  // the stage music stops before the fly-in sound
    int32_t flySound = 5;  // -1: none
};

// The act: state 0 runs init (the task ends when it made no record), state
// 100 the movement script, the age and update; other states release the
// task unless it is persistent.
void bossAct(ObjTask* task, void (*init)(ObjTask*), void (*update)(ObjTask*));
// The common init: the record, callbacks, depth, script, form hit points
// (hard, then x 0.8 in NOVICE), score, timers, the idle attack block, both
// motion slots (slot B additive), the first motion, entry wait and the
// fly-in sound.
// False (task ended) when the pool had no record.
bool bossInit(ObjTask* task, const BossInitRow& row);
// The form's hit points for the difficulty setting and the game mode.
int32_t bossFormHp(int32_t normal, int32_t hard);

// The body tint (green, blue): 255, blue 160 at point-blank, both 160 at
// hit-flash 3 or 4, 255 while dying; and its slot colour word.
struct BossTint {
    int32_t green, blue;
};
BossTint bossBodyTint(ObjWork* work);
uint32_t bossTintWord(BossTint tint);
// Writes the tint into slot A when it is open.
void bossApplyTint(ObjWork* work);
// Stops the movement script and zeroes speed and velocity.
void bossHalt(ObjWork* work);
// With the entry wait over: the table, or none while the hit switch is set.
void bossInstallHitBoxes(ObjWork* work, const HitBox* table, int32_t count);

// Turret positions 0..count-1 from slot A's "turret%02d" locators; a missing
// locator keeps the last position.
void bossRefreshTurrets(ObjWork* work, int32_t count);
// Turret n's position: its last locator, the boss position before any.
ObjPoint bossTurret(ObjWork* work, int32_t n);
// Heading 0..1023 from (x, y) to the fighter, truncated toward zero; 0
// without a fighter.
int32_t bossAimAngle(float x, float y);
int32_t bossAimFrom(ObjWork* work, int32_t turret);
// The firing boss: its record and itself as the shots' owner.
struct BossGun {
    ObjWork* work;
    ObjRef owner;
};
BossGun bossGun(ObjTask* task, ObjWork* work);
// enemyShot, enemyShotFan and enemyShotLine from turret n's position.
void bossShot(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed);
void bossFan(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
             int32_t step);
void bossLine(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
              float speedStep);
// r(n): (rand() mod 10000) x n / 10000.
int32_t bossRand(int32_t n);

// One attack: its mode and block values.
struct BossAttack {
    int32_t mode, calls, interval, firstAfter, bursts, pause, pauseCut;
};
// bossResetAttack, then the attack's values.
void bossStartAttack(ObjWork* work, const BossAttack& attack);

// Step conditions of the phase machine.
enum BossStepCondition : uint8_t {
    kBossOnScreen,  // off-screen timer 0, entry wait 0, motion shown
    kBossReady,     // motion ended and attack mode 0
    kBossEnd,       // motion ended
    kBossCounter,   // step counter above 10
    kBossAlways,
    kBossAttackOver,  // attack mode 0, whatever the motion
};
bool bossReady(const EnemyFields& e);

// One row of a phase machine: when the work stands at (phase, step) and the
// condition holds, the motion starts (-1 none), the attack of the kind's
// table starts (-1 none), the action runs (null none), the step counter
// becomes `counter` and the work goes to (nextPhase, nextStep).
struct BossStepRow {
    int8_t phase, step;
    BossStepCondition condition;
    int16_t motion;
    int8_t attack;
    void (*action)(ObjWork* work);
    int8_t counter;
    int8_t nextPhase, nextStep;
    bool returns;  // the frame ends without the counter's + 1
};
// Runs the row of the work's phase and step; true when a returning row ran.
bool bossRunSteps(ObjWork* work, const BossStepRow* rows, int32_t count, const BossAttack* attacks);

// A linked part: ended through its end state (10) when it still resolves;
// the link is cleared either way.
void bossEndLink(ObjRef& link);
// Every one of the ten links.
void bossEndLinks(ObjWork* work);
// Fires a shot (a laser) from turret n as a linked part: an old link is
// ended first; a refused shot leaves the link empty.
void bossLinkShot(ObjRef& link, const BossGun& gun, int32_t turret, int32_t type, int32_t angle);
// The same from any point for any owner (a part's gun firing for its boss).
void bossLinkShotAt(ObjRef& link, int32_t type, int32_t angle, ObjRef owner, ObjPoint at);
// Moves the part, when it resolves, to the point.
void bossPlaceLink(ObjRef link, ObjPoint at);

// Pairs of damage smoke at a life: (32768 - life) / 3276, 0 to 10.
int32_t bossSmokePairs(int32_t life);
// The damage smoke sprites (not while dying), on layer 431 or the one given.
void bossDrawSmoke(ObjWork* work);
void bossDrawSmokeOn(ObjWork* work, int32_t layer);
// Slot B's silhouette alpha, min(1, wait / 20) for entry waits 1..60, else 0.
void bossSilhouette(ObjWork* work);
