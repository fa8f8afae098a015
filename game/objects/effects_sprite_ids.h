#pragma once
// The ids of the generated sprites without a fixed id that the popups,
// the gun units and the head-up display draw. The fuzz build makes no content (its sprite-frame
// table is all zero), so there they are all 0. Only the game library's own
// sources include this: the generated folder is on their include path alone.
//
// Threads: any; constants.

#include <cstdint>

#if __has_include("sprite_extra_ids.h")
#include "sprite_extra_ids.h"
#else
inline constexpr int32_t kSpriteGunUnit = 0;
inline constexpr int32_t kSpriteGunUnitCount = 32;
inline constexpr int32_t kSpritePopupDigit = 0;
inline constexpr int32_t kSpritePopupDigitCount = 24;
inline constexpr int32_t kSpriteHudGaugeFighter = 0;
inline constexpr int32_t kSpriteHudGaugeEnergy = 0;
inline constexpr int32_t kSpriteHudGaugeBonus = 0;
inline constexpr int32_t kSpriteHudGaugeBoss = 0;
inline constexpr int32_t kSpriteHudMessageWindow = 0;
inline constexpr int32_t kSpriteHudPortrait = 0;
#endif
