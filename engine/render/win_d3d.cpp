#include "engine/render/win_d3d.h"

uint32_t MWinD3D::nextPowerOfTwo(uint32_t n) {
    if (n == 0) return 0;
    n -= 1;
    n |= n >> 1;
    n |= n >> 2;
    n |= n >> 4;
    n |= n >> 8;
    n |= n >> 16;
    return n + 1;
}

int32_t depthBytesPerPixel(platform::PixelFormat format) {
    using platform::PixelFormat;
    return format == PixelFormat::D16Lockable || format == PixelFormat::D15S1 || format == PixelFormat::D16 ? 2 : 4;
}
