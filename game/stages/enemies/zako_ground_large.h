#pragma once
// The large ground enemies of stages 4 and 5, kinds 70 to 77: the armoured
// trains (70, 71: a head that makes three cars), the twin laser emplacements
// (72, 73), the gun platforms (74, 76, 77) and the heavy tank (75). They ride
// a layer as the small ground enemies do (zako_ground.h); what they share is
// zako_ground_large_common.cpp, each family its own file.
//
// Their attacks are tables of bullet-routine calls (ZakoGroundLargeCall), one a
// kind or mode, each call firing at a range of rank levels on the shots of
// a burst its index selects.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/collision.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_work.h"

struct ObjTask;

struct ZakoGroundLargeKind {
    int32_t kind;
    int32_t hp, hpStage5;  // base hit points; hpStage5 0: the same in stage 5
    int32_t score;
    int32_t shotsPerVolley, shotInterval, firstCountdown, shotsLeft, volleyPause, pauseRankCut;
    int32_t fireAlways;      // fires while a boss is present
    int32_t leavesWreck;     // the common death's debris
    int32_t keepAfterDeath;  // stays on the field as a wreck
    HitBox box;
    int32_t aimFrame;  // the marker frame of aim slot 0; 0 none
    int32_t muzzle;    // aim slot 0's muzzle distance
};

// The row of kinds 70 to 77, null for any other.
const ZakoGroundLargeKind* zakoGroundLargeKind(int32_t kind);

// A range of stage frames, both ends included.
struct ZakoFrameWindow {
    int32_t first, last;
};
bool zakoGroundLargeInWindows(const ZakoFrameWindow* windows, int32_t count, int32_t frame);

// Stage 5 ends kinds 70 to 73 past its frame 12000.
bool zakoGroundLargeCutOff();

enum class ZakoGroundLargeRoutine : int32_t { shot, fan, line, fanOfLines, fanOfFans, fanOfFanLines };

// One call of an attack table: it fires at rank levels levelLo..levelHi on
// the shots of a burst whose index i has i % every == at (every 0: i == at),
// from the gun's muzzle along the gun's angle, or at the fighter.
struct ZakoGroundLargeCall {
    int32_t levelLo, levelHi;
    int32_t every, at;
    ZakoGroundLargeRoutine routine;
    int32_t type;
    float speed;
    int32_t count, step;       // bullets and spread, or the outer fan's
    int32_t inner, innerStep;  // the inner fan of fans of fans and of fan lines
    int32_t lines;             // bullets a line
    float speedStep;
    bool atFighter;
    bool poweredUp;  // only while the fighter is powered up
};

// Fires every call of the table that the rank level and the shot index
// select; returns how many fired.
int32_t zakoGroundLargeFire(const ZakoGroundLargeCall* calls, int32_t count, ObjTask* task, int32_t shotIndex, int32_t angle,
                      float x, float y);

// State 0 of every large kind: the work (none: the task ends, nothing
// written), script, life by stage, score, class 2, the attack timer and the
// flags of the row, aim slot 0 left for the first frame.
bool zakoGroundLargeInit(ObjTask* task, const ZakoGroundLargeKind& row, ObjWorkFn draw, ObjWorkFn attack, ObjWorkFn hit);
// The script, the age and the enemy step of a running frame; false (the
// task ended) when the enemy has left.
bool zakoGroundLargeStep(ObjTask* task);
// The kind's box on or off (always off while the hits-off field is set).
void zakoGroundLargeBox(ObjWork* work, const HitBox* box, bool on);
// The first running frame's aim slot 0 from the row's marker frame.
void zakoGroundLargeArmSlot(ObjWork* work, const ZakoGroundLargeKind& row, int32_t turnLimit);
// A reference to the shot TSKeshotCreate has just made (the newest of its
// group), none for null.
ObjRef zakoGroundLargeNewShotRef(ObjWork* shot);
// The sprite frame's attachment point, relative to the enemy.
ObjPoint zakoGroundLargeMarker(int32_t frame);

void TSKzako70Act(ObjTask* task);
void TSKzako70Attack(ObjTask* task, ObjWork* work);
void TSKzako70Draw(ObjTask* task, ObjWork* work);

void TSKzako72Act(ObjTask* task);
void TSKzako72Update(ObjTask* task);
void TSKzako72Attack(ObjTask* task, ObjWork* work);
void TSKzako72Draw(ObjTask* task, ObjWork* work);
void TSKzako72Free(ObjTask* task);

void TSKzako74Act(ObjTask* task);
void TSKzako74Attack(ObjTask* task, ObjWork* work);
void TSKzako74Draw(ObjTask* task, ObjWork* work);
void TSKzako74Hit(ObjTask* task, ObjWork* work);

void TSKzako75Act(ObjTask* task);
void TSKzako75Update(ObjTask* task);
void TSKzako75Attack(ObjTask* task, ObjWork* work);
void TSKzako75Draw(ObjTask* task, ObjWork* work);
void TSKzako75Hit(ObjTask* task, ObjWork* work);

void TSKzako76Act(ObjTask* task);
void TSKzako76Attack(ObjTask* task, ObjWork* work);
void TSKzako76Draw(ObjTask* task, ObjWork* work);
void TSKzako76Hit(ObjTask* task, ObjWork* work);

void TSKzako77Act(ObjTask* task);
void TSKzako77Attack(ObjTask* task, ObjWork* work);
void TSKzako77Draw(ObjTask* task, ObjWork* work);
