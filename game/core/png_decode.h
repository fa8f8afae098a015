#pragma once
// PNG images held in memory, decoded by libpng. Only 8-bit RGB (colour type
// 2) and RGBA (colour type 6) images are taken; palette, grey, 16-bit,
// truncated or broken images fail with a line in "Log.txt". libpng's errors
// end inside the decoder and never unwind through the caller.
//
// Threads: any; each call is independent.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Pixels in R, G, B, A byte order, rows packed (RGB images get alpha 255);
// bitsPerPixel is the source's, 24 or 32. False leaves the outputs empty.
bool pngDecodeFromMemory(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, size_t& byteCount,
                         uint32_t& width, uint32_t& height, int& bitsPerPixel);

// Where a decode writes: the first row and the distance between rows (at
// least the width times 4). PngRowsFor is asked once the header has been
// taken, with the image's size; rows that are null fail the decode.
struct PngRows {
    uint8_t* first = nullptr;
    size_t pitch = 0;
};
using PngRowsFor = std::function<PngRows(uint32_t width, uint32_t height)>;

// Decodes straight into the caller's rows in B, G, R, A byte order (RGB
// images get alpha 255), so a texture's buffer needs no packed copy first.
// On a failure the rows may have been partly written.
bool pngDecodeBgraInto(const uint8_t* data, size_t size, const PngRowsFor& rowsFor, uint32_t& width,
                       uint32_t& height);

// The largest width or height taken; larger images are refused before any
// pixel memory is asked for.
inline constexpr uint32_t kPngLargestSide = 8192;
