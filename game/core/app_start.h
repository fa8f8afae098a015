#pragma once
// Pieces of the application main's start-up (app_main.cpp).
//
// Threads: main thread, at start-up.

#include <cstdint>

// The data-file key the game's containers are enciphered with, and its key
// stream's length.
inline constexpr const char* kDataFileKeyText = "Kw7#pQz1!";
inline constexpr uint32_t kDataFileKeyStreamLength = 97;

// The window caption and the driver's name.
inline constexpr const char* kGameCaption = "HALVIR ORBANE";

// Hands the engine's read tasks the key; call before the first one is made.
void installDataFileKey();

// Creates the platform singletons the glue expects (ModuleFactory,
// arcade::AMDaemonManager with no exit requested, controller::Manager
// without bindings), steps the platform once and resets the keep-alive
// words; call before SDL2_wheel_APMInitAfterFramework.
void createPlatformSingletons();

// Builds a few more of the renderer's programs that play draws with; the
// root task calls it every frame, so they are built during the boot loads
// rather than all before the first frame (a program a frame needs before
// its turn is built at its first draw). Nothing to do without a display or
// once all are built.
inline constexpr int32_t kShadersPreparedPerFrame = 4;
void prepareShadersAhead();
