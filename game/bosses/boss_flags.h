#pragma once
// The words the bosses, their intro visuals and the stage fields share
// during a stage. The stage load clears them all; they are game state, so
// the state hash covers them.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_work_views.h"

// The stage-2 intro visual (kind 124) raises it; the enemy step reads it.
extern uint8_t bossVisualFlag;
// The true last boss's intro visual (kind 129) holds the boss while it runs
// and publishes where its "bosspoint" locator stands each frame.
extern uint8_t bossIntroHold;
extern ObjPoint bossIntroPoint;
// The stage-4 boss raises these as its entry and its death motions start;
// the stage-4 arena (kind 126) reacts to them.
extern uint8_t st4BossEntered;
extern uint8_t st4BossDying;
// Set, the stage-5 field brings the true last boss straight in at stage
// frame 22002.
extern uint8_t st05DirectBoss2;

// Raised by the second stage-5 mid-boss (kind 85) once the stage has run
// long enough; its launched enemies (kind 117) then fly off.
extern uint8_t st05mboss2LeaveFlag;

// Set 180 frames into the true last boss's call at the stage-5 boss's death
// (the WARNING, the results and the play records read it).
extern uint8_t trueRouteFlag;

// The stage load: every word back to 0.
void bossFlagsClear();
