#pragma once
// The start of a recorded play: the head-up display and the fighter are
// created and the play's counters cleared. Called by the game-control
// sequence.
//
// Provisional (play_start_provisional.cpp) until the play start is built:
// it creates the two tasks and turns the replay recorder off.
//
// Threads: main thread only.

void playStart();
