#pragma once
// The upload of a card user's finished play: the last-play record and the
// profile's bests and settings as one user/save body, queued in the user
// slot of the game-server client. The game-control sequence polls the
// answer through the keep-alive and calls again on a failure.
//
// Threads: main thread only.

#include <cstdint>

// The client's queue result: 0 queued (also for the guest, for whom nothing
// is sent), otherwise the client's refusal (-3 without a game-server front).
int32_t playDataUpload();
