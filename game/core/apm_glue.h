#pragma once
// The arcade-platform glue as the application main and the root task call
// it: the platform's start, its per-frame update, its exit request and its
// shutdown.
//
// Provisional (apm_glue_provisional.cpp) until the glue over the platform
// stand-in exists: the start succeeds unless a test says otherwise, the
// update only counts frames, and the exit request is raised by a test or by
// the environment variable HALVIR_EXIT_AFTER_FRAMES=N, which asks for the
// exit on the N-th update (N >= 1) so that a headless run ends cleanly.
//
// Threads: main thread only.

#include <cstdint>

// False when the platform could not be started.
bool SDL2_wheel_APMInitAfterFramework();
// Once a frame, before anything else of the game runs.
void SDL2_wheel_APMUpdate(int32_t elapsedMicroseconds, bool attract);
// Whether the platform asks the game to end.
bool SDL2_wheel_APMExitRequested();
// The platform's last send and exit.
void SDL2_wheel_APMTerminate();

// For tests of the provisional glue: the answer of the next starts, and the
// exit request.
void setProvisionalPlatformStart(bool succeeds);
void setProvisionalExitRequest(bool requested);
