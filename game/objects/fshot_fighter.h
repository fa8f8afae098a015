#pragma once
// The fighter as its fire, its shots and its gun units see it.
//
// Threads: main thread only.

struct ObjWork;

// Some team gauge of this fighter is full (100000); false for null.
bool fshotFighterAnyReady(const ObjWork* fighterWork);
