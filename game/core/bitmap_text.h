#pragma once
// ASCII text drawn from a glyph sheet: four bitmap fonts (only font 0 is
// used: the 8 x 8 glyphs of "resource/graphic/font8x8.png" in sheet slot 3).
// The glyph table is " " to "~" in code order with a second space in place
// of the back-quote; characters outside it draw nothing and take no room.
//
// Threads: main thread only.

#include <cstdint>

inline constexpr int kBitmapFonts = 4;
// The image of font 0, loaded into sheet slot 3: 95 glyphs, 10 a row.
inline constexpr const char* kBitmapFontImage = "resource/graphic/font8x8.png";

struct BitmapFont {
    int32_t sheetSlot;  // -1: off
    int16_t glyphWidth;
    int16_t lineHeight;
    int16_t originX;
    int16_t originY;
    int16_t pitchW;
    int16_t pitchH;
};

// Font 0 on slot 3 with 8 x 8 glyphs, 16 glyphs a row; the others off.
void SDL2_wheel_TextInit();
void SDL2_wheel_TextSetGlyphsPerRow10();
void SDL2_wheel_TextDraw(int font, const char* text, int x, int y, int layer);
// The width of the text in font 0: a glyph width for each glyph and newline.
int16_t SDL2_wheel_TextWidth(const char* text);

const BitmapFont& bitmapFont(int font);
// The glyph index of a character, -1 when it has none.
int bitmapGlyphIndex(char c);
