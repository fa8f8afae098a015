#include "game/objects/effects_tables.h"

#include <array>
#include <cstddef>

namespace {

using Rows = std::array<EffectKindRow, kEffectTableSize>;

constexpr EffectKindRow effectRow(int32_t base, int16_t cells, int16_t framesPerCell, int16_t depth, EffectStep step) {
    EffectKindRow row;
    row.base = base;
    row.cells = cells;
    row.framesPerCell = framesPerCell;
    row.depth = depth;
    row.step = step;
    return row;
}

constexpr EffectKindRow additiveRow(EffectKindRow row, float alpha = 1.0f) {
    row.additive = 1;
    row.alpha = alpha;
    return row;
}

constexpr EffectKindRow fromCell(EffectKindRow row, int16_t cell) {
    row.startCell = cell;
    return row;
}

constexpr EffectKindRow tinted(EffectKindRow row, uint8_t r, uint8_t g, uint8_t b) {
    row.r = r;
    row.g = g;
    row.b = b;
    return row;
}

constexpr EffectKindRow scaled(EffectKindRow row, float x, float y) {
    row.scaleX = x;
    row.scaleY = y;
    return row;
}

// Four families of fourteen: seven glow sizes (additive) then seven body sizes.
struct ExplosionFamily {
    int32_t bases[14];
    int16_t cells[14];
};

constexpr ExplosionFamily kEffectExplosions[4] = {
    {{3914, 3936, 3958, 3976, 3998, 4020, 4042, 3928, 3950, 3972, 3990, 4012, 4034, 4052},
     {8, 8, 4, 8, 8, 8, 4, 8, 8, 4, 8, 8, 8, 4}},
    {{4056, 4078, 4106, 4134, 4156, 4188, 4222, 4070, 4098, 4126, 4148, 4176, 4208, 4232},
     {8, 8, 8, 8, 14, 14, 4, 8, 8, 8, 8, 12, 14, 4}},
    {{4236, 4258, 4280, 4306, 4358, 4410, 4462, 4250, 4272, 4294, 4320, 4372, 4424, 4472},
     {8, 8, 8, 8, 8, 8, 4, 8, 8, 12, 38, 38, 38, 4}},
    {{4476, 4502, 4530, 4560, 4582, 4604, 4626, 4490, 4516, 4544, 4574, 4596, 4618, 4636},
     {8, 8, 8, 8, 8, 8, 4, 12, 14, 16, 8, 8, 8, 4}},
};

constexpr void fillExplosions(Rows& rows) {
    for (int family = 0; family < 4; ++family) {
        for (int i = 0; i < 14; ++i) {
            const int kind = family * 14 + i;
            const bool glow = i < 7;
            const int16_t depth = glow ? (i < 3 ? 604 : 605) : 606;
            EffectKindRow row = effectRow(kEffectExplosions[family].bases[i], kEffectExplosions[family].cells[i], 1,
                                          depth, EffectStep::OneShot);
            row.additive = glow ? 1 : 0;
            rows[size_t(kind)] = row;
        }
    }
    rows[24].framesPerCell = rows[27].framesPerCell = 2;
    for (int kind : {6, 34, 48}) rows[size_t(kind)].cellStep = 2;
    for (int kind : {6, 20, 34, 48}) rows[size_t(kind)] = tinted(rows[size_t(kind)], 255, 200, 255);
}

constexpr void fillShotEffects(Rows& rows) {
    constexpr int32_t kFlashBases[5] = {282, 290, 286, 288, 284};
    constexpr int32_t kPuffBases[5] = {65, 82, 74, 78, 69};
    for (int i = 0; i < 5; ++i) {
        rows[size_t(82 + i)] = effectRow(kFlashBases[i], 2, 2, 700, EffectStep::OneShot);
        rows[size_t(87 + i)] = effectRow(kPuffBases[i], i == 4 ? 5 : 4, 3, 700, EffectStep::OneShot);
    }
}

// Smoke and dust: bases, cells and pace chosen inside the sheet's 1954-2110.
constexpr void fillSmoke(Rows& rows) {
    struct Smoke {
        int kind;
        int32_t base;
        int16_t cells, frames, depth;
    };
    constexpr Smoke kSmoke[] = {
        {63, 1954, 7, 4, 443},  {64, 1961, 7, 4, 443},  {65, 1968, 14, 3, 444}, {66, 1982, 21, 3, 444},
        {67, 2003, 14, 2, 444}, {68, 2017, 14, 3, 443}, {69, 2031, 21, 2, 445}, {70, 2052, 28, 2, 445},
        {71, 2080, 14, 4, 443}, {72, 2094, 7, 6, 444},  {73, 2101, 7, 8, 445},  {74, 1954, 14, 4, 443},
        {75, 1968, 21, 3, 444}, {76, 2104, 7, 2, 443},
    };
    for (const Smoke& s : kSmoke) {
        const EffectStep step = s.kind == 71 ? EffectStep::SmokeGround
                                : s.kind == 76 ? EffectStep::OneShot
                                               : EffectStep::Smoke;
        EffectKindRow row = effectRow(s.base, s.cells, s.frames, s.depth, step);
        row.depthFromSecond = 1;
        row.upright = s.kind != 76;
        rows[size_t(s.kind)] = row;
    }
    constexpr int16_t kShadowCells[3] = {14, 21, 14};
    constexpr float kShadowAlpha[3] = {0.5f, 0.5f, 0.2f};
    for (int i = 0; i < 3; ++i) {
        EffectKindRow row = tinted(effectRow(1982, kShadowCells[i], 3, 441, EffectStep::Smoke), 0, 0, 0);
        row.alpha = kShadowAlpha[i];
        row.depthFromSecond = 1;
        rows[size_t(102 + i)] = row;
    }
}

constexpr void fillGlows(Rows& rows) {
    rows[56] = tinted(additiveRow(fromCell(effectRow(1750, 3, 3, 600, EffectStep::CountDown), 2)), 200, 200, 255);
    EffectKindRow debris = effectRow(2464, 8, 1, 450, EffectStep::Debris);
    debris.pieces = 8;
    rows[57] = debris;
    rows[58] = additiveRow(fromCell(effectRow(1750, 5, 3, 700, EffectStep::CountDown), 2));
    rows[62] = additiveRow(fromCell(effectRow(1750, 5, 3, 700, EffectStep::CountDown), 3));
    rows[59] = scaled(additiveRow(effectRow(1843, 1, 1, 700, EffectStep::Grow)), 0.0f, 0.0f);
    rows[101] = scaled(additiveRow(effectRow(1843, 1, 1, 700, EffectStep::Shrink)), 2.0f, 2.0f);
    rows[125] = additiveRow(effectRow(1843, 1, 1, 700, EffectStep::Shrink), 0.3f);
    rows[60] = additiveRow(effectRow(1752, 1, 20, 700, EffectStep::FadeShrink), 0.8f);
    rows[61] = additiveRow(effectRow(1760, 1, 20, 700, EffectStep::Fade3), 0.6f);
    rows[79] = additiveRow(effectRow(1760, 1, 20, 700, EffectStep::Fade3), 0.6f);
    rows[98] = additiveRow(effectRow(1760, 1, 20, 700, EffectStep::Fade2), 0.7f);
    rows[99] = additiveRow(effectRow(1760, 1, 20, 700, EffectStep::Fade2), 0.5f);
    rows[100] = additiveRow(effectRow(1842, 1, 20, 700, EffectStep::Fade3), 0.8f);
    rows[77] = additiveRow(fromCell(effectRow(1750, 3, 3, 600, EffectStep::CountDown), 2));
    rows[78] = scaled(additiveRow(effectRow(1780, 1, 1, 443, EffectStep::Streak), 0.0f), 0.1f, 3.0f);
    rows[122] = scaled(additiveRow(effectRow(1760, 1, 1, 400, EffectStep::FadeIn), 0.0f), 0.1f, 1.0f);
    rows[80] = effectRow(11, 11, 2, 460, EffectStep::OneShot);
    rows[81] = effectRow(0, 1, 1, 461, EffectStep::MotionEnd);
    rows[96] = tinted(additiveRow(fromCell(effectRow(1750, 10, 6, 600, EffectStep::CountDown), 5)), 255, 0, 0);
    rows[97] = effectRow(0, 1, 1, 710, EffectStep::MotionEnd);
    rows[119] = effectRow(1844, 8, 3, 13, EffectStep::OneShot);
    rows[120] = additiveRow(effectRow(1751, 2, 2, 401, EffectStep::EnergyTip), 0.3f);
    rows[121] = additiveRow(effectRow(1751, 2, 2, 401, EffectStep::HudPoint), 0.3f);
    rows[123] = scaled(additiveRow(effectRow(1842, 1, 1, 443, EffectStep::Fade3)), 0.5f, 0.5f);
    rows[124] = scaled(additiveRow(fromCell(effectRow(1750, 5, 3, 700, EffectStep::CountDown), 2), 0.3f), 0.5f, 0.5f);
    rows[126] = scaled(tinted(effectRow(1996, 7, 3, 700, EffectStep::OneShotFade), 255, 0, 0), 2.0f, 2.0f);
    rows[128] = scaled(additiveRow(effectRow(1760, 1, 20, 903, EffectStep::ShrinkX)), 1.2f, 0.3f);
}

constexpr void fillDebris(Rows& rows) {
    constexpr int32_t kBases[4] = {2464, 2464, 2536, 2536};
    for (int i = 0; i < 4; ++i) {
        EffectKindRow row = scaled(effectRow(kBases[i], i < 2 ? 8 : 5, 1, int16_t(450 + (i & 1)), EffectStep::Debris),
                                   2.0f, 2.0f);
        row.pieces = uint8_t(row.cells);
        rows[size_t(92 + i)] = row;
    }
}

constexpr void fillPictures(Rows& rows) {
    constexpr int32_t kGround[7] = {4854, 5292, 5310, 5384, 5492, 5503, 5514};
    for (int i = 0; i < 7; ++i) {
        EffectKindRow row = effectRow(kGround[i], 1, 1, i < 2 ? 201 : 101, EffectStep::Ground);
        row.depthFromSecond = 1;
        rows[size_t(105 + i)] = row;
    }
    for (int kind = 112; kind <= 116; ++kind) rows[size_t(kind)] = effectRow(0, 1, 1, 604, EffectStep::MotionEnd);
    rows[117] = additiveRow(fromCell(effectRow(1750, 7, 14, 707, EffectStep::Charge), 6));
    rows[118] = additiveRow(fromCell(effectRow(1750, 5, 14, 707, EffectStep::Charge), 4));
    EffectKindRow secret = effectRow(5527, 4, 4, 502, EffectStep::Secret);
    secret.upright = 1;
    rows[127] = secret;
    constexpr int32_t kBeams[4] = {3793, 3802, 3811, 3820};
    for (int i = 0; i < 4; ++i) {
        rows[size_t(129 + i)] = effectRow(kBeams[i], 1, 1, 613, EffectStep::Beam);
        EffectKindRow fly = tinted(effectRow(kBeams[i], 1, 1, 400, EffectStep::Fly), 160, 160, 255);
        fly.upright = 1;
        rows[size_t(133 + i)] = fly;
        rows[size_t(137 + i)] = effectRow(3393 + i, 1, 1, 304, EffectStep::Dramatic);
    }
    rows[141] = effectRow(0, 1, 1, 440, EffectStep::Falling);
    EffectKindRow tip = effectRow(4651, 11, 2, 502, EffectStep::Falling);
    tip.upright = 1;
    rows[142] = tip;
}

constexpr Rows buildEffectTable() {
    Rows rows{};
    fillExplosions(rows);
    for (int kind : {38, 39, 40, 41}) rows[size_t(kind)].upright = 1;
    fillGlows(rows);
    fillSmoke(rows);
    fillShotEffects(rows);
    fillDebris(rows);
    fillPictures(rows);
    return rows;
}

}  // namespace

const std::array<EffectKindRow, kEffectTableSize> kEffectKindTable = buildEffectTable();
