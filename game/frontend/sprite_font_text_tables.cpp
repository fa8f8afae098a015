#include "game/frontend/sprite_font_text_tables.h"

const std::array<SpriteFont, kSpriteFonts> kSpriteFontTable = {{
    {2944, 18.0f},
    {2834, 18.0f},
    {3099, 9.0f},
    {3204, 9.0f},
}};
