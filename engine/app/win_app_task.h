#pragma once
// MWinAppTask: the application object's own task, a process with nothing of
// its own. presentFrame updates and draws it once a frame and deletes it once
// the application has terminated.
//
// Threads: main thread only.

#include "engine/task/process.h"

class MWinAppTask : public MProcess {};
