#pragma once
// The 8 x 8 bitmap font "resource/graphic/font8x8.png": the 95 glyphs of
// " " to "~" in code order, 10 a row in 8 x 8 cells, drawn white on clear
// from "fonts/font8x8.txt". The back-quote's cell is a second space: the
// game's bitmap text never draws a back-quote.
//
// The glyph file holds one block per character: a line "[c]" (the
// character between brackets), then 8 rows of 8 "#" (ink) or "." (clear).
//
// Threads: plain functions.

#include <array>
#include <cstdint>
#include <string_view>

#include "tools/content/png_image.h"

namespace content {

inline constexpr const char* kBitmapGlyphFile = "fonts/font8x8.txt";
inline constexpr int32_t kBitmapGlyphCount = 95;
inline constexpr int32_t kBitmapGlyphsPerRow = 10;
inline constexpr int32_t kBitmapCell = 8;
inline constexpr int32_t kBitmapBackQuote = '`' - ' ';

// Per glyph index, 8 rows, the leftmost pixel in the top bit.
using BitmapGlyphs = std::array<std::array<uint8_t, kBitmapCell>, kBitmapGlyphCount>;

BitmapGlyphs parseBitmapGlyphs(std::string_view text, std::string_view file);
Image drawBitmapFont(const BitmapGlyphs& glyphs);

}  // namespace content
