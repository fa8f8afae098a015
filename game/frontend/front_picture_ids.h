#pragma once
// The front end's generated pictures without a fixed id: the card login's
// panels (the veil, the window frame, the eight plates: choose, touch the
// card, confirm of kind 1, confirm of kind 2, records, access code, start,
// error; the choice panel and the cursor over the chosen one) and GAME SELECT's two items. The fuzz build
// makes no content (its sprite-frame table is all zero), so there they are
// all 0. The game library and the login screens' test have the generated
// folder on their include path.
//
// Threads: any; constants.

#include <cstdint>

#if __has_include("sprite_extra_ids.h")
#include "sprite_extra_ids.h"
#else
inline constexpr int32_t kSpriteLoginVeil = 0;
inline constexpr int32_t kSpriteLoginWindow = 0;
inline constexpr int32_t kSpriteLoginPlate = 0;
inline constexpr int32_t kSpriteLoginPlateCount = 8;
inline constexpr int32_t kSpriteLoginChoice = 0;
inline constexpr int32_t kSpriteLoginCursor = 0;
inline constexpr int32_t kSpriteGameSelectItem = 0;
#endif
