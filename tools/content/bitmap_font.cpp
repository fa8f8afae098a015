// Bitmap font module: the glyph file drawn into the font sheet.
#include "tools/content/bitmap_font.h"

#include <string>

#include "tools/content/content_lines.h"
#include "tools/content/content_modules.h"

namespace content {
namespace {

uint8_t parseRow(const ContentLine& line, std::string_view file) {
    if (line.text.size() != size_t(kBitmapCell)) {
        throw ContentError(where(file, line, "a glyph row is 8 of \"#\" and \".\""));
    }
    uint8_t bits = 0;
    for (char c : line.text) {
        if (c != '#' && c != '.') throw ContentError(where(file, line, "a glyph row is 8 of \"#\" and \".\""));
        bits = uint8_t(bits << 1 | (c == '#'));
    }
    return bits;
}

}  // namespace

BitmapGlyphs parseBitmapGlyphs(std::string_view text, std::string_view file) {
    BitmapGlyphs glyphs{};
    std::array<bool, kBitmapGlyphCount> defined{};
    const std::vector<ContentLine> lines = contentLines(text);
    for (size_t i = 0; i < lines.size();) {
        const ContentLine& head = lines[i];
        const std::string& h = head.text;
        if (h.size() != 3 || h[0] != '[' || h[2] != ']' || h[1] < ' ' || h[1] > '~') {
            throw ContentError(where(file, head, "expected a glyph head \"[c]\" for a character \" \" to \"~\""));
        }
        const int32_t index = h[1] - ' ';
        if (index == kBitmapBackQuote) {
            throw ContentError(where(file, head, "the back-quote is drawn as a second space: leave it out"));
        }
        if (defined[size_t(index)]) throw ContentError(where(file, head, "this character is drawn twice"));
        defined[size_t(index)] = true;
        if (i + 1 + size_t(kBitmapCell) > lines.size()) throw ContentError(where(file, head, "8 rows must follow"));
        for (int32_t row = 0; row < kBitmapCell; ++row) {
            glyphs[size_t(index)][size_t(row)] = parseRow(lines[i + 1 + size_t(row)], file);
        }
        i += 1 + size_t(kBitmapCell);
    }
    for (int32_t index = 0; index < kBitmapGlyphCount; ++index) {
        if (!defined[size_t(index)] && index != kBitmapBackQuote) {
            throw ContentError(std::string(file) + ": no glyph for \"" + char(' ' + index) + "\"");
        }
    }
    return glyphs;
}

Image drawBitmapFont(const BitmapGlyphs& glyphs) {
    const int32_t rows = (kBitmapGlyphCount + kBitmapGlyphsPerRow - 1) / kBitmapGlyphsPerRow;
    Image image(kBitmapGlyphsPerRow * kBitmapCell, rows * kBitmapCell);
    for (int32_t index = 0; index < kBitmapGlyphCount; ++index) {
        const int32_t left = index % kBitmapGlyphsPerRow * kBitmapCell, top = index / kBitmapGlyphsPerRow * kBitmapCell;
        for (int32_t y = 0; y < kBitmapCell; ++y) {
            for (int32_t x = 0; x < kBitmapCell; ++x) {
                if (!(glyphs[size_t(index)][size_t(y)] >> (7 - x) & 1)) continue;
                uint8_t* p = image.pixel(left + x, top + y);
                p[0] = p[1] = p[2] = p[3] = 255;
            }
        }
    }
    return image;
}

void makeBitmapFont(ContentContext& context) {
    const BitmapGlyphs glyphs = parseBitmapGlyphs(context.readContent(kBitmapGlyphFile), kBitmapGlyphFile);
    context.writeResource("graphic/font8x8.png", encodePng(drawBitmapFont(glyphs)));
}

}  // namespace content
