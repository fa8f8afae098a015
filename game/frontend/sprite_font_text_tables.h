#pragma once
// The sprite fonts' glyph sets: the sprite of ' ' and the pen's step at scale 1.

#include <array>
#include <cstdint>

struct SpriteFont {
    int32_t base;
    float advance;
};
inline constexpr int kSpriteFonts = 4;
extern const std::array<SpriteFont, kSpriteFonts> kSpriteFontTable;
