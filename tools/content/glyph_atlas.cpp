// Shelf packing of glyph rectangles.
#include "tools/content/glyph_atlas.h"

#include <algorithm>
#include <bit>

#include "tools/content/content_context.h"

namespace content {
namespace {

constexpr int32_t kGap = 1;
constexpr int32_t kLargestSide = 8192;

// The places at one width, and the height used.
int32_t packAtWidth(const std::vector<AtlasSize>& sizes, int32_t width, std::vector<AtlasPlace>& places) {
    places.assign(sizes.size(), {});
    int32_t x = kGap, y = kGap, shelf = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        const AtlasSize size = sizes[i];
        if (size.width <= 0 || size.height <= 0) continue;
        if (x + size.width + kGap > width) {
            x = kGap;
            y += shelf + kGap;
            shelf = 0;
        }
        if (size.width + 2 * kGap > width) return kLargestSide + 1;
        places[i] = {x, y};
        x += size.width + kGap;
        shelf = std::max(shelf, size.height);
    }
    return y + shelf + kGap;
}

}  // namespace

std::vector<AtlasPlace> packAtlas(const std::vector<AtlasSize>& sizes, AtlasSize& atlas) {
    std::vector<AtlasPlace> places;
    for (int32_t width = 64; width <= kLargestSide; width *= 2) {
        const int32_t used = packAtWidth(sizes, width, places);
        const int32_t height = int32_t(std::bit_ceil(uint32_t(std::max(used, 1))));
        if (height <= width) {
            atlas = {width, height};
            return places;
        }
    }
    throw ContentError("glyphs do not fit on one texture of 8192 x 8192");
}

}  // namespace content
