#pragma once
// The play's records at its end: the card user's name in the ranking record
// and the upload of the finished play for a card user. Called by the
// game-control sequence.
//
// Provisional (play_end_provisional.cpp) until the play records are
// built: the name is the current player's; the upload queues the card user's
// save in the user slot of the game-server client.
//
// Threads: main thread only.

#include <cstdint>

struct RankingRecord;

void playRecordFinish(RankingRecord& record);
// 0 when the finished play's data was queued for the game server.
int32_t playDataUpload();
