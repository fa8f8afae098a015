#pragma once
// Provisional: the least of the fighter and the head-up display that the
// play start leans on, until the fighter family is built here (see
// README.md).
//
// Threads: main thread only.

struct ObjTask;

// The fighter (group 9, FIGH; the first task of group 9 is the fighter every
// fighter accessor reads) and the head-up display (group 13, INFO), made by
// the play start. Each takes its work record; neither does more yet.
void TSKfighterAct(ObjTask* task);
void TSKinfoAct(ObjTask* task);
