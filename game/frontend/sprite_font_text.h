#pragma once
// The sprite-font printer: one sprite a character from one of four glyph
// sets, owned by a work record of its own that carries the text's tint.
// Every glyph queued counts into the game main's spriteTextGlyphCount.
//
// Threads: main thread only.

#include <cstdint>

struct ObjWork;

// The first 257 characters of text from (x, y), or centred on x; bytes
// outside ' '..'~' leave a gap. font 0..3 (any other reads as 0).
void drawSpriteFontText(const char* text, int32_t font, float layer, float x, float y, float alpha, bool centred,
                        uint8_t red, uint8_t green, uint8_t blue, int32_t blend, float scaleX, float scaleY);
// The printer's owner, made by the first call; null before it.
ObjWork* spriteFontOwner();
