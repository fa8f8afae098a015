#pragma once
// The kana sprite font: which sprite frame draws a code point. One mapping
// for every routine that writes with it (the stage result's leader line, the
// game over's parting line, the staff roll's letters).
//
// Threads: any (pure).

#include <cstdint>

inline constexpr int32_t kKanaNoFrame = -1;
// The sprite frame of the character, or kKanaNoFrame when the font does not
// hold it.
int32_t kanaFontFrame(uint32_t codePoint);

// One character of a zero-terminated UTF-8 text no longer than limit bytes.
struct Utf8Step {
    uint32_t codePoint;
    int32_t length;  // bytes taken; 0 at the terminator, the limit or a cut character
};
// Decodes by the lead byte; a character cut by the limit or by the
// terminator ends the text.
Utf8Step utf8Next(const char* text, int32_t at, int32_t limit);

// One placed character of a kana line.
struct KanaGlyph {
    int32_t frame;
    float x, y;
};
inline constexpr int32_t kKanaLineBytes = 256;
inline constexpr int32_t kKanaLineGlyphs = kKanaLineBytes;
// The glyphs of one UTF-8 line read up to its terminator or byte 256, from
// (16, 266), 12 pixels a character; "￥" breaks the line (x back to 16,
// y 12 lower). Characters the font does not hold take no room. Returns the
// count written to glyphs (at most kKanaLineGlyphs).
int32_t kanaLineLayout(const char* text, KanaGlyph* glyphs);
