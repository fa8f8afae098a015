#pragma once
// The effect kinds as data: one row a kind, read by TSKeffectCreate and the
// effects' update and draw (effects*.cpp only).
//
// Threads: any; the table is constant.

#include <array>
#include <cstdint>

// The kind's own step, once an update.
enum class EffectStep : uint8_t {
    None,         // only moves (97 and 112-116 end with their motion)
    OneShot,      // advance to the last cell, then end
    CountDown,    // step back to below cell 0, then end
    Debris,       // tumbling, falling and fading pieces
    Grow,         // 59
    FadeShrink,   // 60
    Fade3,        // 61, 79, 100, 123
    Smoke,        // 63-70, 72-75, 102-104
    SmokeGround,  // 71
    Streak,       // 78
    MotionEnd,    // 81, 97, 112-116
    Fade2,        // 98, 99
    Shrink,       // 101, 125
    Ground,       // 105-111
    Charge,       // 117, 118
    EnergyTip,    // 120
    HudPoint,     // 121
    FadeIn,       // 122
    OneShotFade,  // 126
    Secret,       // 127
    ShrinkX,      // 128
    Beam,         // 129-132
    Fly,          // 133-136
    Dramatic,     // 137-140
    Falling,      // 141, 142
};

struct EffectKindRow {
    int32_t base = 0;  // sprite base; 0 draws no sprite
    int16_t cells = 1;
    int16_t framesPerCell = 1;
    int16_t startCell = 0;
    int16_t cellStep = 1;
    int16_t depth = 604;
    uint8_t additive = 0;
    uint8_t r = 255, g = 255, b = 255;
    float alpha = 1.0f;
    float scaleX = 1.0f, scaleY = 1.0f;
    EffectStep step = EffectStep::None;
    uint8_t pieces = 0;           // a random start cell of this many (debris)
    uint8_t depthFromSecond = 0;  // a second parameter other than 0 is the depth
    uint8_t upright = 0;          // drawn at radians 0 whatever its angle
};

inline constexpr int kEffectTableSize = 143;
// Kinds that ride the ground layer and take the background's tint.
bool effectIsGround(int32_t kind);
extern const std::array<EffectKindRow, kEffectTableSize> kEffectKindTable;

// The head-up display's points the effects fly to (tested, since where an
// effect ends is logic).
inline constexpr float kEffectEnergyTipX0 = 5.0f;  // + energy x 50 / 10000
inline constexpr float kEffectEnergyTipY = 28.0f;
inline constexpr float kEffectBonusPointX = 190.0f;  // kind 121: the bonus counter
inline constexpr float kEffectBonusPointY = 28.0f;
inline constexpr float kEffectGaugeRowX = 112.0f;  // kind 127: the middle of the fighter gauges
inline constexpr float kEffectGaugeRowY = 12.0f;
inline constexpr std::array<float, 4> kEffectGaugeX{35.0f, 86.0f, 137.0f, 188.0f};
inline constexpr int32_t kEffectGaugeBurstKind = 101;  // left at each gauge that is not full
