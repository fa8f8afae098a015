// Bitmap text over the sprite quads.
#include "game/core/bitmap_text.h"

#include "engine/render/raw_tex.h"
#include "game/core/sprite_sheet.h"

namespace {

constexpr BitmapFont kFontOff{-1, 0, 0, 0, 0, 0, 0};
constexpr int kFontSheetSlot = 3;

BitmapFont fonts[kBitmapFonts] = {kFontOff, kFontOff, kFontOff, kFontOff};
int glyphsPerRow = 16;

}  // namespace

int bitmapGlyphIndex(char c) {
    if (c == '`') return -1;  // its place in the sheet holds a second space
    return c >= ' ' && c <= '~' ? c - ' ' : -1;
}

void SDL2_wheel_TextInit() {
    fonts[0] = {kFontSheetSlot, 8, 8, 0, 0, 8, 8};
    for (int font = 1; font < kBitmapFonts; ++font) fonts[font] = kFontOff;
    glyphsPerRow = 16;
    if (MRawTex* sheet = SDL2_wheel_TextureGet(kFontSheetSlot)) sheet->setDrawMode(0);
}

void SDL2_wheel_TextSetGlyphsPerRow10() { glyphsPerRow = 10; }

const BitmapFont& bitmapFont(int font) { return font >= 0 && font < kBitmapFonts ? fonts[font] : kFontOff; }

void SDL2_wheel_TextDraw(int font, const char* text, int x, int y, int layer) {
    const BitmapFont& f = bitmapFont(font);
    if (f.sheetSlot < 0 || !text) return;
    selectSpriteLayer(layer);
    const int startX = x;
    for (; *text; ++text) {
        if (*text == '\n') {
            y += f.lineHeight;
            x = startX;
            continue;
        }
        const int glyph = bitmapGlyphIndex(*text);
        if (glyph < 0) continue;
        const WheelRect source{float(f.originX + f.pitchW * (glyph % glyphsPerRow)),
                               float(f.originY + f.pitchH * (glyph / glyphsPerRow)), float(f.glyphWidth),
                               float(f.lineHeight)};
        const WheelRect destination{float(x), float(y), float(f.glyphWidth), float(f.lineHeight)};
        if (MRawTex* sheet = SDL2_wheel_TextureGet(f.sheetSlot)) {
            SDL2_wheel_TextureDraw(sheet, source, destination, 0, 0.0f);
        }
        x += f.glyphWidth;
    }
}

int16_t SDL2_wheel_TextWidth(const char* text) {
    const BitmapFont& f = fonts[0];
    if (f.sheetSlot < 0 || !text) return 0;
    int width = 0;
    for (; *text; ++text) {
        if (*text == '\n' || bitmapGlyphIndex(*text) >= 0) width += f.glyphWidth;
    }
    return int16_t(width);
}
