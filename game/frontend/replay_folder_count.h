#pragma once
// The kept replays: how many folders a play has kept under "replay" in the
// application root. The replay list reads them; the game over's save prompt
// counts them against its limit.
//
// Threads: main thread only.

#include <cstdint>

// The entries of "replay" whose name holds no "." and is not "temp" (the
// working folder of the play); 0 when there is no such folder.
int32_t replayFolderCount();
