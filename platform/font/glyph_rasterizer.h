#pragma once
// GlyphRasterizer: one font face at one pixel height, turning Unicode code
// points into 1-bit glyph bitmaps with FreeType's monochrome renderer. The
// pixel height is the cell height (ascent plus descent), as a Windows font of
// that height would have. findEmbedFontPath chooses the font file for a name
// from the settings.
//
// Threads: a rasteriser is used by one thread at a time; separate
// rasterisers may run on separate threads (each has its own FreeType library).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Rows of width bits, most significant bit first, pitch bytes apart. The
// origin is where the bitmap's top-left lies from the pen position on the
// baseline: x to the right, y upwards.
struct GlyphBitmap {
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;
    std::vector<uint8_t> bits;

    bool isSet(int32_t row, int32_t column) const {
        return (bits[size_t(row) * pitch + size_t(column) / 8] >> (7 - column % 8)) & 1;
    }
};

class GlyphRasterizer {
public:
    virtual ~GlyphRasterizer() = default;

    // Null when the file cannot be opened as a scalable font.
    static std::unique_ptr<GlyphRasterizer> open(const std::string& path, int32_t pixelHeight);

    virtual int32_t ascent() const = 0;
    // False when the face cannot render the code point; a code point the face
    // lacks renders as its missing-glyph box, as on Windows.
    virtual bool render(char32_t code, GlyphBitmap& out) = 0;
};

// The font for the settings' font name: the name itself when it is a readable
// file, else a file of that base name (.ttf, .otf, .ttc, any case) under the
// system font folders, else the installed IPAGothic; empty when none exists.
std::string findEmbedFontPath(const std::string& name);

}  // namespace platform
