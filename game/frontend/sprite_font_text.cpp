#include "game/frontend/sprite_font_text.h"

#include <cstring>

#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/obj_work.h"
#include "game/frontend/sprite_font_text_tables.h"

namespace {

constexpr size_t kMostCharacters = 257;
constexpr unsigned char kFirstGlyph = 0x20;
constexpr unsigned char kLastGlyph = 0x7e;

ObjWork* owner = nullptr;

}  // namespace

ObjWork* spriteFontOwner() { return owner; }

void drawSpriteFontText(const char* text, int32_t font, float layer, float x, float y, float alpha, bool centred,
                        uint8_t red, uint8_t green, uint8_t blue, int32_t blend, float scaleX, float scaleY) {
    if (owner == nullptr) owner = OBJworkNew();
    if (owner == nullptr || text == nullptr) return;
    const SpriteFont& set = kSpriteFontTable[font >= 0 && font < kSpriteFonts ? size_t(font) : 0];
    const float advance = set.advance * scaleX;
    const size_t length = std::strlen(text);
    float penX = centred ? x - (float(length) / 2.0f - 0.5f) * advance : x;
    owner->r = red;
    owner->g = green;
    owner->b = blue;
    for (size_t i = 0; i < length && i < kMostCharacters; ++i, penX += advance) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < kFirstGlyph || c > kLastGlyph) continue;
        OBJdrawSprite(owner, int32_t(c) - kFirstGlyph + set.base, penX, y, int32_t(layer), scaleX, scaleY, 0.0f, alpha,
                      blend);
        ++spriteTextGlyphCount;
    }
}
