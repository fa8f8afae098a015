#pragma once
// The item carriers, kinds 57 (item 12, only in the special mode), 58 (the
// change item) and 59 (the bomb item): they fly in, slow to a hover, drift
// on, and at the first hit that drives their life below 0 release their
// item and back off the screen. They never fire, score nor die.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// Carriers alive by kind 57..59: raised once a carrier's work exists,
// lowered by its release. The carrier counters' arming reads them.
extern int32_t itemCarrierLive[3];
int32_t itemCarrierLiveOf(int32_t kind);

void TSKitemCarrier57Act(ObjTask* task);
void TSKitemCarrier58Act(ObjTask* task);
void TSKitemCarrier59Act(ObjTask* task);
void TSKitemCarrier57Update(ObjTask* task);
void TSKitemCarrier58Update(ObjTask* task);
void TSKitemCarrier59Update(ObjTask* task);
void TSKitemCarrier57Draw(ObjTask* task, ObjWork* work);
void TSKitemCarrier58Draw(ObjTask* task, ObjWork* work);
void TSKitemCarrier59Draw(ObjTask* task, ObjWork* work);
void TSKitemCarrier57Hit(ObjTask* task, ObjWork* work);
void TSKitemCarrier58Hit(ObjTask* task, ObjWork* work);
void TSKitemCarrier59Hit(ObjTask* task, ObjWork* work);
void TSKitemCarrier57Free(ObjTask* task);
void TSKitemCarrier58Free(ObjTask* task);
void TSKitemCarrier59Free(ObjTask* task);
