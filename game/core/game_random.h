#pragma once
// The game's one random source: a linear congruential generator (state x
// 214013 + 2531011, value (state >> 16) & 0x7FFF), seeded once at start and
// from a recorded seed when a replay plays, so replays reproduce the game.
//
// Threads: main thread only (game logic).

#include <cstdint>

void gameRandSeed(uint32_t seed);
uint32_t gameRandState();
// 0..32767.
int gameRand();

// ((gameRand() mod 10000) x n) / 10000: 0..n-1 for n > 0, 0 for n of 0 or 1.
int randRange(int n);
// randRange(n) - n / 2: -n/2 .. n - 1 - n/2.
int randRangeCentered(int n);
