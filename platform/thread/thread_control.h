#pragma once
// What the engine's threads need of the system beyond std::thread: how many
// processors the process may run on, and a thread's scheduling priority.
//
// Threads: both may be called from any thread.

namespace platform {

// The number of processors in the process's affinity mask, at least 1.
int processorCount();

// Sets the calling thread's priority relative to normal: +1 above normal,
// 0 normal, -1 below normal, -2 lowest. Answers false when the system refuses
// (raising a thread above normal needs privilege on Linux).
bool setCurrentThreadPriority(int priority);

}  // namespace platform
