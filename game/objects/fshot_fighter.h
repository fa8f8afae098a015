#pragma once
// The fighter as its fire, its shots, its gun units and the effects see it:
// the first task of group 9 and its work, whose fighter view holds the
// counters these read. One place, so the fire follows the fighter's own
// accessors when they change.
//
// Threads: main thread only.

struct ObjTask;
struct ObjWork;

// The fighter's task with its work, or null.
ObjTask* fshotFighterTask();
// The fighter's work, or null.
ObjWork* fshotFighterWork();
// Some team gauge of the fighter is full (100000).
bool fshotFighterAnyReady(const ObjWork* fighterWork);
