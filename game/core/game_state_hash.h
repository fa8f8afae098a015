#pragma once
// A hash of the play's state, for the tests that check that a replay
// reproduces its play frame by frame: the random generator, the stage and
// the replay cursor, and every task of the play groups (tag, state, act
// words and the value fields of its work record, in group order). Left out
// are what differs between a play and its playback by design: the
// game-control task and the screen effects (group 0), the scenes, menus and
// the head-up display (group 13), task indices, pointers and serials.
//
// Threads: main thread only.

#include <cstdint>

uint64_t gameStateHash();
