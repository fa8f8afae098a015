#pragma once
// The play's records: begun at play start.
//
// Provisional (play_records_provisional.cpp) until the card profile and its
// last-play and best-play records are built: every player is the guest.
//
// Threads: main thread only.

// At play start: the player's name for the rankings ("NO NAME" for the guest).
void playRecordBegin();
