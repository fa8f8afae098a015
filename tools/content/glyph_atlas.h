#pragma once
// Places rectangles on one square-ish texture of power-of-two sides, shelf
// by shelf in the order given, with a blank pixel around each so that
// filtered sampling never reaches a neighbour.
//
// Threads: plain functions.

#include <cstdint>
#include <vector>

namespace content {

struct AtlasSize {
    int32_t width = 0;
    int32_t height = 0;
};

struct AtlasPlace {
    int32_t x = 0;
    int32_t y = 0;
};

// Places of the sizes (empty ones at 0, 0) on the narrowest power-of-two
// width, from 64 up, whose power-of-two height is no more than the width.
std::vector<AtlasPlace> packAtlas(const std::vector<AtlasSize>& sizes, AtlasSize& atlas);

}  // namespace content
