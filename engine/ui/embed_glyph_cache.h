#pragma once
// MEmbedGlyphCache: the glyph store under MEmbedFont. Glyphs of the system
// font are rasterised on first use into the next free 28 x 28 cell of a
// 512 x 512 A8R8G8B8 texture (18 cells a row, 324 in all, never reused) and
// found again by Unicode code point. A set bit becomes opaque white, a clear
// one transparent white.
//
// A glyph is clipped to its cell and to the band of rows locked for it, so a
// tall, wide or descending glyph never writes into a neighbour or outside
// the texture; once the 324 cells are used, further glyphs are refused and
// stay undrawn.
//
// Threads: one thread at a time (the owner's); the texture is not drawn
// while a glyph is written into it.

#include <cstdint>
#include <map>
#include <memory>

#include "engine/render/win_d3d_texture.h"
#include "platform/device/device.h"
#include "platform/font/glyph_rasterizer.h"

// Where a glyph lies in the texture: x and width are its black box, clipped
// to the cell; y is the cell's top.
struct MEmbedGlyphCell {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

class MEmbedGlyphCache {
public:
    static constexpr int32_t kCellSize = 28;
    static constexpr int32_t kCellsPerRow = 18;
    static constexpr uint32_t kCellCount = 324;
    static constexpr int32_t kTextureSize = 512;

    // Without a rasteriser (no font file) no glyph is ever made.
    MEmbedGlyphCache(std::unique_ptr<platform::GlyphRasterizer> rasterizer, int32_t pixelHeight);

    // Rasterises code into the next free cell unless it is stored already.
    // False, with nothing stored and no cell used, when the font cannot
    // render it, the cells are used up or the texture cannot be locked; a
    // later call tries again.
    bool renderGlyph(char32_t code, platform::Device& device, MWinD3DTexture* texture);
    // The stored cell of code, or null.
    const MEmbedGlyphCell* find(char32_t code) const;
    // The black-box width code would have, without storing it; false when the
    // font cannot render it.
    bool measureWidth(char32_t code, int32_t& width);

    int32_t pixelHeight() const { return pixelHeight_; }
    uint32_t nextFreeCell() const { return nextFreeCell_; }

private:
    std::unique_ptr<platform::GlyphRasterizer> rasterizer_;
    std::map<char32_t, MEmbedGlyphCell> glyphs_;
    uint32_t nextFreeCell_ = 0;
    int32_t pixelHeight_;
};

// Writes bitmap into a locked band of A8R8G8B8 texels (pitch bytes a row,
// bandHeight rows, starting at the cell's top): bitmap row r, column c goes
// to (cellLeft + originX + c, ascent - originY + r), kept within the cell's
// columns and the band's first min(cell size, bandHeight) rows. Returns the
// stored cell's x and width after clipping through x and width.
void writeGlyphIntoBand(const platform::GlyphBitmap& bitmap, int32_t cellLeft, int32_t ascent,
                        int32_t bandHeight, uint8_t* bits, int32_t pitch, int32_t& x, int32_t& width);
