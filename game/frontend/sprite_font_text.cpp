#include "game/frontend/sprite_font_text.h"

#include <cstring>

#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/obj_work.h"
#include "game/frontend/sprite_font_text_tables.h"

namespace {

constexpr size_t kSpriteFontMostCharacters = 257;
constexpr unsigned char kSpriteFontFirstGlyph = 0x20;
constexpr unsigned char kSpriteFontLastGlyph = 0x7e;

ObjWork* spriteFontWork = nullptr;

}  // namespace

ObjWork* spriteFontOwner() { return spriteFontWork; }

void drawSpriteFontText(const char* text, int32_t font, float layer, float x, float y, float alpha, bool centred,
                        uint8_t red, uint8_t green, uint8_t blue, int32_t blend, float scaleX, float scaleY) {
    if (spriteFontWork == nullptr) spriteFontWork = OBJworkNew();
    if (spriteFontWork == nullptr || text == nullptr) return;
    const SpriteFont& set = kSpriteFontTable[font >= 0 && font < kSpriteFonts ? size_t(font) : 0];
    const float advance = set.advance * scaleX;
    const size_t length = std::strlen(text);
    float penX = centred ? x - (float(length) / 2.0f - 0.5f) * advance : x;
    spriteFontWork->r = red;
    spriteFontWork->g = green;
    spriteFontWork->b = blue;
    for (size_t i = 0; i < length && i < kSpriteFontMostCharacters; ++i, penX += advance) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < kSpriteFontFirstGlyph || c > kSpriteFontLastGlyph) continue;
        const int32_t glyph = int32_t(c) - kSpriteFontFirstGlyph + set.base;
        OBJdrawSprite(spriteFontWork, glyph, penX, y, int32_t(layer), scaleX, scaleY, 0.0f, alpha, blend);
        ++spriteTextGlyphCount;
    }
}
