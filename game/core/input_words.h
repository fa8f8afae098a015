#pragma once
// The game's input words, rebuilt once an update by SDL2_wheel_InputPoll from
// the 16 logical buttons of controller::Manager: padHeld (down now, after the
// player's button assignment), padPressed (went down this update), padRepeat
// (menu auto-repeat: on the press, 31 updates later, then every third),
// padRaw (down now, before the assignment) and padRawPressed (padRaw's own
// newly pressed bits). Logical buttons 0..3 set bits 0..3, 4 sets 0x8000,
// 5..15 set bits 4..14.
//
// Threads: main thread only.

#include <cstdint>

extern uint32_t padHeld;
extern uint32_t padPressed;
extern uint32_t padRepeat;
extern uint32_t padRaw;
extern uint32_t padRawPressed;

// Called by the poll after padRaw is built; the boot step installs
// SDL2_wheel_InputRemapButtons. Null: padHeld keeps the raw buttons.
extern void (*inputRemapHook)();

void SDL2_wheel_InputPoll();
// Rebuilds bits 0x10..0x80 of padHeld from the player's button assignment.
void SDL2_wheel_InputRemapButtons();

// The input-word bit of logical button 0..15.
uint32_t inputBitOfLogical(int logical);
// The raw bit an assignment value names: 0 for 0 (unassigned) and for values
// outside 1..16.
uint32_t inputAssignmentMask(int32_t assignment);
// Every word and the repeat countdown back to zero (a fresh run; tests).
void inputWordsReset();
