#pragma once
// The coin-in hook the platform calls from inside its step (_Core_execute,
// at the start of the frame) whenever it counts a coin (event 1) or a credit
// (event 2): the coin or credit sound, and the coin flag for this frame. The
// game main's initialisation registers it (SDL2_wheel_CreditSetCoinInHook).
//
// Threads: main thread only.

#include <cstdint>

// 1 in the frame a coin or credit was counted; the root task clears it
// before each platform step. Read by the continue countdown and the scenes.
extern uint8_t coinFlag;

// False, refusing the coin, until the root task's boot resources are ready.
bool coinInHook(int32_t event);
