#include "game/objects/fshot_tables.h"

namespace {

constexpr FirePattern mirrorFireRow(FireRow left) {
    FireRow right = left;
    right.x = -left.x;
    right.heading = -left.heading;
    right.side = 1;
    right.effectX = -left.effectX;
    right.effectParam = 1;
    return {left, right};
}

constexpr FireRow fireRow(int32_t kind, int32_t x, int32_t y, int32_t heading, float speed, int32_t damage,
                          int32_t effectKind, int32_t effectX, int32_t effectY) {
    return {kind, x, y, heading, speed, damage, 0, effectKind, effectX, effectY, 0};
}

// `base` turns both muzzles and shots (type B's units are drawn turned a
// quarter turn), `spread` fans the pair outward.
constexpr GunFirePattern gunPattern(int32_t kind, int32_t distance, int32_t base, int32_t spread, float speed,
                                    int32_t damage, int32_t effectKind, int32_t cap) {
    const GunFireRow left{kind, distance, base, base - spread, speed, damage, 0, effectKind, 0};
    const GunFireRow right{kind, distance, base, base + spread, speed, damage, 1, effectKind, 1};
    return {{left, right}, cap};
}

}  // namespace

const std::array<FshotKindRow, 28> kFshotKindTable{{
    {3922, 6, 0, 7, 12},   {3944, 6, 1, 8, 18},   {3966, 6, 2, 9, 22},   {3984, 6, 3, 10, 8},
    {4006, 6, 4, 11, 12},  {4028, 6, 5, 12, 16},  {4046, 6, 6, 13, 0},   {4064, 6, 14, 21, 6},
    {4086, 12, 15, 22, 8}, {4114, 12, 16, 23, 10}, {4142, 6, 17, 24, 0}, {4170, 6, 18, 25, 12},
    {4202, 6, 19, 26, 28}, {4226, 6, 20, 27, 0},  {4244, 6, 28, 35, 5},  {4266, 6, 29, 36, 10},
    {4288, 6, 30, 37, 15}, {4314, 6, 31, 38, 10}, {4366, 6, 32, 39, 15}, {4418, 6, 33, 40, 25},
    {4466, 6, 34, 41, 0},  {4484, 6, 42, 49, 40}, {4510, 6, 43, 50, 47}, {4538, 6, 44, 51, 55},
    {4568, 6, 45, 52, 8},  {4590, 6, 46, 53, 12}, {4612, 6, 47, 54, 16}, {4630, 6, 48, 55, 0},
}};

const std::array<HitBox, 28> kFshotHitBoxes{{
    {0, 0, 10, 20}, {0, 0, 15, 24}, {0, 0, 20, 28}, {0, 0, 10, 15}, {0, 0, 15, 20}, {0, 0, 20, 25},
    {0, 0, 25, 25}, {0, 0, 10, 10}, {0, 0, 15, 15}, {0, 0, 20, 20}, {0, 0, 15, 15}, {0, 0, 20, 20},
    {0, 0, 25, 25}, {0, 0, 30, 30}, {0, 0, 12, 12}, {0, 0, 17, 17}, {0, 0, 22, 22}, {0, 0, 12, 12},
    {0, 0, 17, 17}, {0, 0, 22, 22}, {0, 0, 27, 27}, {0, 0, 10, 17}, {0, 0, 15, 20}, {0, 0, 20, 23},
    {0, 0, 10, 10}, {0, 0, 15, 15}, {0, 0, 20, 20}, {0, 0, 25, 25},
}};

// By fireTableIndex: normal shot A-D, normal laser A-D, powered shot A-D, powered laser A-D.
const std::array<FirePattern, 16> kFirePatterns{{
    mirrorFireRow(fireRow(0, -10, -4, 0, 20, 12, 0, -10, -48)),
    mirrorFireRow(fireRow(8, -8, -8, 0, 10, 32, 15, -8, -50)),
    mirrorFireRow(fireRow(14, -8, -5, -18, 10, 20, 28, -12, -44)),
    mirrorFireRow(fireRow(22, -8, -8, -8, 20, 32, 43, -10, -54)),
    // Type A's laser shots cross: the left one starts right of the fighter.
    mirrorFireRow(fireRow(1, 8, 0, 0, 30, 40, 1, -8, -48)),
    mirrorFireRow(fireRow(7, -10, -8, 0, 8, 20, 14, -10, -50)),
    mirrorFireRow(fireRow(15, -9, 0, 14, 20, 40, 29, -10, -44)),
    mirrorFireRow(fireRow(21, -10, -10, -4, 15, 12, 42, -10, -54)),
    mirrorFireRow(fireRow(1, -15, 0, 0, 30, 18, 1, -15, -48)),
    mirrorFireRow(fireRow(9, -12, -10, 0, 12, 36, 16, -12, -50)),
    mirrorFireRow(fireRow(15, -10, 0, -20, 20, 26, 29, -14, -44)),
    mirrorFireRow(fireRow(23, -8, -12, -12, 20, 36, 44, -12, -54)),
    mirrorFireRow(fireRow(2, -10, 8, 0, 40, 44, 2, -10, -48)),
    mirrorFireRow(fireRow(8, -14, -8, 0, 10, 26, 15, -14, -50)),
    mirrorFireRow(fireRow(16, -14, 4, 13, 30, 44, 30, -14, -44)),
    mirrorFireRow(fireRow(22, -10, -8, -8, 15, 18, 43, -10, -54)),
}};

const std::array<int32_t, 4> kFireCaps{12, 12, 10, 8};

// Muzzles sit ahead of the unit; the powered shot tables fan the pair
// outward a little; the powered laser tables (the fastest shots) allow 16.
const std::array<GunFirePattern, 16> kGunFirePatterns{{
    gunPattern(4, 12, 0, 0, 20, 32, 4, 12),
    gunPattern(10, 10, -256, 0, 20, 12, 17, 12),
    gunPattern(17, 14, 0, 0, 15, 12, 32, 12),
    gunPattern(25, 12, 0, 0, 15, 36, 46, 12),
    gunPattern(3, 12, 0, 0, 10, 12, 3, 12),
    gunPattern(11, 10, -256, 0, 30, 32, 18, 12),
    gunPattern(18, 14, 0, 0, 20, 36, 31, 12),
    gunPattern(24, 12, 0, 0, 10, 12, 45, 12),
    gunPattern(6, 14, 0, 8, 80, 48, 6, 12),
    gunPattern(13, 12, -256, 8, 80, 48, 20, 12),
    gunPattern(20, 16, 0, 8, 80, 48, 34, 12),
    gunPattern(27, 14, 0, 8, 80, 48, 48, 12),
    gunPattern(6, 14, 0, 0, 100, 68, 6, 16),
    gunPattern(13, 12, -256, 0, 100, 68, 20, 16),
    gunPattern(20, 16, 0, 0, 100, 68, 34, 16),
    gunPattern(27, 14, 0, 0, 100, 68, 48, 16),
}};

const std::array<std::array<GunPoint, 2>, 4> kGunFormationC{{
    {{{-20, 25, -80}, {20, 25, 80}}},
    {{{-50, -12, 70}, {50, -12, -70}}},
    {{{-30, 30, -90}, {30, 30, 90}}},
    {{{-60, -32, 65}, {60, -32, -65}}},
}};

const std::array<GunApproach, 8> kGunApproach{{
    {256, 128}, {128, 64}, {64, 32}, {32, 16}, {16, 8}, {8, 4}, {4, 2}, {2, 1},
}};
