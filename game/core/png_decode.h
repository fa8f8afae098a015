#pragma once
// PNG images held in memory, decoded by libpng. Only 8-bit RGB (colour type
// 2) and RGBA (colour type 6) images are taken; palette, grey, 16-bit,
// truncated or broken images fail with a line in "Log.txt". libpng's errors
// end inside the decoder and never unwind through the caller.
//
// Threads: any; each call is independent.

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels in R, G, B, A byte order, rows packed (RGB images get alpha 255);
// bitsPerPixel is the source's, 24 or 32. False leaves the outputs empty.
bool pngDecodeFromMemory(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, size_t& byteCount,
                         uint32_t& width, uint32_t& height, int& bitsPerPixel);

// The largest width or height taken; larger images are refused before any
// pixel memory is asked for.
inline constexpr uint32_t kPngLargestSide = 8192;
