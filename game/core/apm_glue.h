#pragma once
// The game's layer over the arcade platform library (platform/arcade/apm.h):
// start-up after the engine framework, the per-frame update (platform step,
// switches, bindings, keep-alive, exit rules), shutdown, and the small credit
// and sequence wrappers the rest of the game calls. The application main
// creates the platform singletons, calls the start-up and at the end the
// shutdown; the root task's main step calls the update once a frame.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

// Set when the cabinet's test switch ends the game, and by the operator test
// menu's sub-system entry; the shutdown then asks the platform for its test.
extern uint8_t leaveToPlatformTest;

// Creates the game-server front and binds the 16 switches; false when the
// front cannot start (the game does not run).
bool SDL2_wheel_APMInitAfterFramework();
// Once a frame, before the game main update, with the frame's elapsed
// microseconds and attractMode. Always true; an exit shows in
// arcade::AMDaemonManager's exitRequested.
bool SDL2_wheel_APMUpdate(uint32_t elapsedMicroseconds, uint8_t attract);
bool SDL2_wheel_APMTerminate();

const char* SDL2_wheel_CreditPromptText();
int32_t SDL2_wheel_CreditGet();
bool SDL2_wheel_SequenceEndPlay();
void SDL2_wheel_CreditSetCoinInHook();
// The cabinet's location name in UTF-8.
std::string SDL2_wheel_GetLocationName();
// The platform's folder for the game's own files, in UTF-8 (made by the
// platform when missing); the application main makes it the root of the
// player's and operator's files.
std::string SDL2_wheel_GetAppRootPath();
