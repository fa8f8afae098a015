#include "engine/ui/embed_glyph_cache.h"

#include <algorithm>
#include <cstring>

#include "engine/render/texture_upload.h"

namespace {

constexpr uint32_t kInk = 0xFFFFFFFFu;
constexpr uint32_t kPaper = 0x00FFFFFFu;

void putTexel(uint8_t* row, int32_t x, uint32_t colour) { std::memcpy(row + size_t(x) * 4, &colour, 4); }

}  // namespace

MEmbedGlyphCache::MEmbedGlyphCache(std::unique_ptr<platform::GlyphRasterizer> rasterizer, int32_t pixelHeight)
    : rasterizer_(std::move(rasterizer)), pixelHeight_(pixelHeight) {}

const MEmbedGlyphCell* MEmbedGlyphCache::find(char32_t code) const {
    const auto it = glyphs_.find(code);
    return it == glyphs_.end() ? nullptr : &it->second;
}

bool MEmbedGlyphCache::measureWidth(char32_t code, int32_t& width) {
    platform::GlyphBitmap bitmap;
    if (!rasterizer_ || !rasterizer_->render(code, bitmap)) return false;
    width = bitmap.width;
    return true;
}

bool MEmbedGlyphCache::renderGlyph(char32_t code, platform::Device& device, MWinD3DTexture* texture) {
    if (find(code)) return true;
    if (nextFreeCell_ >= kCellCount || !rasterizer_ || pixelHeight_ <= 0) return false;
    platform::GlyphBitmap bitmap;
    if (!rasterizer_->render(code, bitmap)) return false;

    const int32_t cellLeft = int32_t(nextFreeCell_ % kCellsPerRow) * kCellSize;
    const int32_t cellTop = int32_t(nextFreeCell_ / kCellsPerRow) * kCellSize;
    const platform::Rect band{0, cellTop, kTextureSize, std::min(cellTop + pixelHeight_, kTextureSize)};
    int pitch = 0;
    uint8_t* bits = nullptr;
    if (!lockTextureDiscard(device, texture, &band, pitch, bits)) return false;
    MEmbedGlyphCell cell{0, cellTop, 0, bitmap.height};
    writeGlyphIntoBand(bitmap, cellLeft, rasterizer_->ascent(), band.bottom - band.top, bits, pitch, cell.x,
                       cell.width);
    device.unlockTexture(texture->texture, 0);
    glyphs_.emplace(code, cell);
    ++nextFreeCell_;
    return true;
}

void writeGlyphIntoBand(const platform::GlyphBitmap& bitmap, int32_t cellLeft, int32_t ascent,
                        int32_t bandHeight, uint8_t* bits, int32_t pitch, int32_t& x, int32_t& width) {
    const int32_t rows = std::min(MEmbedGlyphCache::kCellSize, bandHeight);
    const int32_t left = cellLeft + bitmap.originX;
    const int32_t firstColumn = std::max(0, cellLeft - left);
    const int32_t endColumn = std::min(bitmap.width, cellLeft + MEmbedGlyphCache::kCellSize - left);
    const int32_t top = ascent - bitmap.originY;
    const int32_t firstRow = std::max(0, -top);
    const int32_t endRow = std::min(bitmap.height, rows - top);
    for (int32_t r = firstRow; r < endRow; ++r) {
        uint8_t* row = bits + size_t(top + r) * pitch;
        for (int32_t c = firstColumn; c < endColumn; ++c) putTexel(row, left + c, bitmap.isSet(r, c) ? kInk : kPaper);
    }
    x = left + firstColumn;
    width = std::max(0, endColumn - firstColumn);
}
