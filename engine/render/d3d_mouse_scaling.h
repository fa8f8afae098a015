#pragma once
// The words through which the Direct3D window tells the mouse the back
// buffer's size: the size, two changed flags and a change counter.
//
// Threads: written by the main thread (device creation, resets, mode
// switches) and read by the mouse, each side under the engine's global
// mutex (engine/app/global_mutex.h).

#include <cstdint>

struct D3DMouseScaling {
    float width = 0.0f;
    float height = 0.0f;
    int32_t changedX = 0;
    int32_t changedY = 0;
    uint32_t changeCount = 0;
};

void publishMouseScaling(float width, float height);
D3DMouseScaling readMouseScaling();
// Clears the changed flags after the mouse has taken the new size.
void acknowledgeMouseScaling();
