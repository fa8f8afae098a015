#pragma once
// The pixels of PSB image objects: the pixel types with the device format
// each becomes, the platform layouts ("spec") they may be stored in, and
// decodePSBTexturePixels, which turns one level's stored pixels into the
// device's layout. Every read is bounded by the level's pixel data: data too
// short for its size and type, or a palette index past the palette, is a
// damaged image and decodes to nothing.
//
// Threads: any thread; no shared state.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/device/device.h"

struct MPSBPixelType {
    const char* name;              // the image object's "type"
    platform::PixelFormat format;  // what the device texture is made in
    int32_t bitsPerPixel;          // of that format: 32, 16, 8, or 4 (DXT1)
    // Stored under the engine's own spec exactly as the device takes it, so
    // the pixels can be uploaded as they are.
    bool deviceLayout;
};

// The known type of that name, or null.
const MPSBPixelType* findPSBPixelType(const char* name);

// The platform families of "spec" texts; Unknown for any other text.
enum class MPSBSpecFamily { Win, Common, Revo, X360, Ps3, Psp, Unknown };
MPSBSpecFamily psbSpecFamily(const std::string& spec);

// How an image's pixels are stored: its spec, type, palette and whether
// each pixel's alpha lies in the image's right half ("ast").
struct MPSBImageLayout {
    MPSBSpecFamily family = MPSBSpecFamily::Win;
    const MPSBPixelType* type = nullptr;
    const uint8_t* palette = nullptr;
    size_t paletteBytes = 0;
    bool alphaInRightHalf = false;
};

// One level: its stored size and pixel data.
struct MPSBImageLevel {
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* pixels = nullptr;
    size_t pixelBytes = 0;
};

// Bytes of a level in the device's layout, rows packed:
// rowPitch(format, width) x pitchRows(format, height).
size_t psbDeviceLevelBytes(const MPSBPixelType& type, int32_t width, int32_t height);

// Converts one level into destination (psbDeviceLevelBytes of it, rows
// packed). False, with the reason in `why`, for a damaged or unknown layout;
// destination's contents are then undefined.
bool decodePSBTexturePixels(uint8_t* destination, const MPSBImageLayout& layout, const MPSBImageLevel& level,
                            std::string& why);
