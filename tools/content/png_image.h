#pragma once
// Images the generator draws, and their PNG encoding (RGBA, colour type 6,
// no time or text chunks, so the same pixels give the same bytes).
//
// Threads: plain functions.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace content {

// Pixels in R, G, B, A byte order, rows width * 4 bytes apart.
struct Image {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;

    Image() = default;
    Image(int32_t w, int32_t h) : width(w), height(h), rgba(size_t(w) * size_t(h) * 4, 0) {}
    uint8_t* pixel(int32_t x, int32_t y) { return rgba.data() + (size_t(y) * size_t(width) + size_t(x)) * 4; }
    const uint8_t* pixel(int32_t x, int32_t y) const {
        return rgba.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
    }
};

// Level: zlib's 1 (fast) to 9 (small); big sheets take a middle level.
std::vector<uint8_t> encodePng(const Image& image, int level = 9);

}  // namespace content
