#pragma once
// The objects' part of the game main update: the draw walk while paused or
// on an update slow motion skips, otherwise the input poll and the act
// passes with their per-pass steps and the collision pass; then the
// slow-motion countdown. Called by gameMainUpdate only.
//
// Threads: main thread only.

// The continue screen or the game-over scene holds the play groups.
bool gameMainPlayFrozen();
// Every visible object's draw callback, group 0 to 31; nothing acts.
void gameMainDrawWalk();
// The update's steps from the paused check to the slow-motion countdown.
void gameMainRunObjects();
