#pragma once
// The engine's global mutex. It guards the application events and the
// display-change event (app_events.h), the mouse-scaling words the Direct3D
// window publishes and the shared texture table. Recursive, so a holder may
// call code that takes it again.
//
// Threads: any thread; hold it only for short reads and writes.

#include <mutex>

std::recursive_mutex& engineGlobalMutex();
