#pragma once
// The kept replays: the folders under "replay" in the application root whose
// name holds no "." and is not "temp".
//
// Threads: main thread only.

#include <cstdint>

int32_t replayFolderCount();
