#pragma once
// The head-up display: the INFO task of group 13, made by the play start
// with the fighter. Provisional (hud_provisional.cpp) until the head-up
// display is built: it keeps the voice-message timers and draws nothing.
//
// Threads: main thread only.

struct ObjTask;

void TSKinfoAct(ObjTask* task);
