#pragma once
// The texture and depth-stencil records that every drawing routine shares.
// Allocated and freed only by MWinD3DWin, which keeps them in its two lists.
//
// Threads: a texture record may be created and filled on a loader thread;
// its fields are then read on the main thread once the loader reports done.

#include <cstdint>

#include "platform/device/device.h"

struct MWinD3DTexture {
    platform::PixelFormat format = platform::PixelFormat::Unknown;
    int32_t width = 0;
    int32_t height = 0;
    platform::Texture* texture = nullptr;  // owned through the device
    platform::Surface* surface = nullptr;  // level 0, render targets only
    int32_t minFilter = 0;  // 0 point, 1..5 linear
    int32_t magFilter = 0;
    int32_t addressU = 0;   // 0 clamp, 1 wrap, 2 mirror
    int32_t addressV = 0;
    int32_t levels = 1;
    bool isRenderTarget = false;
    bool isDynamic = false;
    bool isLost = false;  // released by a device reset, waiting to be made again
};

struct MWinD3DDepthSurface {
    platform::PixelFormat format = platform::PixelFormat::Unknown;
    int32_t width = 0;
    int32_t height = 0;
    platform::Surface* surface = nullptr;  // owned through the device
    int32_t multisampleType = 0;
    int32_t multisampleQuality = 0;
    int32_t discard = 0;
    int32_t bytesPerPixel = 4;
    bool isLost = false;
};

// 2 for the 16-bit depth formats, 4 for every other.
int32_t depthBytesPerPixel(platform::PixelFormat format);
