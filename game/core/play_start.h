#pragma once
// The start of a play: the head-up display's and the fighter's tasks, and
// the play's words set for a recorded play (playStart, the sequence's play
// start) or for the playback of a replay (playStartReplay, the attract demo).
// The stage load that follows sets the rest.
//
// Threads: main thread only.

#include <cstdint>

// 1 while a replay plays back as the attract demo; the stage load and the
// stages read it.
extern uint8_t replayPlaybackFlag;

// The tasks (the fighter only when the display's could be made), replay
// off, the play-record block cleared, the play record begun, slow motion off.
void playStart();
// The same for playback: replay mode 2 and the playback flag; no play record.
void playStartReplay();
