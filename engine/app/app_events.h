#pragma once
// The application events: what the window asked for (close, minimise,
// restore), what the game or the loop asked for (quit) and the states they
// become (suspended, closing, terminated), plus the display-change event the
// Direct3D window raises. dispatchAppEvents turns requests into states:
//
//   close requested -> closing -> (frame step) quit requested -> terminated
//   minimise requested -> suspended; restore requested -> not suspended
//
// Threads: every read and every write takes the engine's global mutex
// (global_mutex.h) on its own, so any thread may call these.

#include <cstdint>

enum class MAppEvent : uint8_t {
    CloseRequested,
    MinimizeRequested,
    RestoreRequested,
    QuitRequested,
    Suspended,
    Closing,
    Terminated,
};

bool readAppEvent(MAppEvent event);
void writeAppEvent(MAppEvent event, bool value);

struct MDisplayChange {
    bool pending = false;
    int32_t values[3] = {};
};

// The Direct3D window's display change, kept until the next dispatch.
void raiseDisplayChange(int32_t a, int32_t b, int32_t c);
MDisplayChange readDisplayChange();

// Clears every event and the display change (the looper does at its start).
void clearAppEvents();

// Unless terminated: minimise requested -> suspended, restore requested ->
// not suspended, close requested -> closing, the display change dropped. Then
// quit requested -> terminated.
void dispatchAppEvents();

// The game's way to end the application: quit requested.
void requestAppQuit();
