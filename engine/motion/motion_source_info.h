#pragma once
// MMotionSourceInfo: where one icon of a motion file's source lies, as the
// resource manager answers it to a layer that draws the icon.
//
// Threads: a plain record.

#include <cstdint>

struct MMotionSourceInfo {
    static constexpr int32_t kCaptureTexture = -2;  // the texture slot of the layer's capture

    int32_t texture = 0;  // slot in the manager's texture table
    int32_t attr = 0;
    int32_t left = 0;  // texels
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    float originX = 0.0f;
    float originY = 0.0f;
    float resolution = 1.0f;
};
