#pragma once
// MTextureImageDesc: the description of an image's pixels that texture uploads
// read. The game's image loaders and the PSB texture loader build it; the
// renderer's upload reads it and fills in level 0's pointer.
//
// Threads: one owner at a time; built and read on the thread that uploads.

#include <cstdint>
#include <vector>

struct MTextureLevelSize {
    int32_t width;
    int32_t height;
};

struct MTextureImageDesc {
    // One level is described at first: its pointer null (the upload then
    // takes the pixel pointer) and its size the image's. Loaders append the
    // further levels.
    MTextureImageDesc(int32_t bitsPerPixel, int32_t width, int32_t height, int32_t levelCount,
                      int32_t rowsPerPitchStep)
        : bitsPerPixel(bitsPerPixel),
          width(width),
          height(height),
          rowsPerPitchStep(rowsPerPitchStep),
          levelCount(levelCount),
          levelPixels{nullptr},
          levelSizes{{width, height}} {}

    int32_t bitsPerPixel;              // 32, 16, 8 or 4
    int32_t width;                     // of level 0
    int32_t height;
    const void* pixels = nullptr;      // the base of the pixel data
    int32_t rowsPerPitchStep;          // 1, or 4 for block-compressed formats
    int32_t levelCount;
    std::vector<const void*> levelPixels;  // one a level; level 0 null: `pixels`
    std::vector<MTextureLevelSize> levelSizes;
};
