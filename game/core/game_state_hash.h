#pragma once
// A hash of the play's state, for the tests that check that a replay
// reproduces its play frame by frame: the random generator, the stage, its
// frame and the replay cursor, the play's choices and active settings, slow
// motion, the stage's timers and boss words, the fighter's counters, the bullet-cancel queue, and every task of
// every group (tag, state, aux and act words and the value fields of its
// work record, in group order). Left out is what differs between a play and
// its playback by design: the game-control task, task indices, pointers and
// serials.
//
// Threads: main thread only.

#include <cstdint>

uint64_t gameStateHash();
