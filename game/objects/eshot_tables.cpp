#include "game/objects/eshot_tables.h"

#include <array>
#include <cstddef>

#include "game/core/collision.h"

namespace {

// Types 0-131: twelve blocks of eleven shapes.
constexpr int32_t kEshotShapeCells[11] = {8, 7, 7, 7, 12, 16, 12, 7, 16, 3, 12};
constexpr int32_t kEshotShapeFrames[11] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1};
constexpr int32_t kEshotBlockDepth[12] = {706, 703, 701, 706, 703, 701, 706, 703, 701, 706, 703, 701};
constexpr int32_t kEshotBlockBases[12][11] = {
    {1148, 1156, 1163, 1170, 1177, 1189, 1205, 1217, 1224, 1240, 1243},
    {720, 728, 735, 742, 749, 761, 777, 789, 796, 812, 815},
    {292, 300, 307, 314, 321, 333, 349, 361, 368, 384, 387},
    {1483, 1491, 1498, 1505, 1512, 1524, 1540, 1552, 1559, 1575, 1578},
    {1041, 1049, 1056, 1063, 1070, 1082, 1098, 1110, 1117, 1133, 1136},
    {613, 621, 628, 635, 642, 654, 670, 682, 689, 705, 708},
    {1267, 1275, 1283, 1291, 1298, 1310, 1326, 1338, 1345, 1361, 1364},
    {827, 835, 842, 849, 856, 868, 884, 896, 903, 919, 922},
    {399, 407, 414, 421, 428, 440, 456, 468, 475, 491, 494},
    {1376, 1384, 1391, 1398, 1405, 1417, 1433, 1445, 1452, 1468, 1471},
    {934, 942, 949, 956, 963, 975, 991, 1003, 1010, 1026, 1029},
    {506, 514, 521, 528, 535, 547, 563, 575, 582, 598, 601},
};

// Types 132-155: turned pairs.
constexpr int32_t kEshotPairDepth[12] = {707, 704, 702, 707, 704, 702, 707, 704, 702, 707, 704, 702};
constexpr int32_t kEshotPairBases[24] = {214, 222, 150, 158, 86,  94,  266, 274, 198, 206, 134, 142,
                                         234, 242, 166, 174, 102, 110, 250, 258, 182, 190, 118, 126};

constexpr EshotTypeRow row(int32_t base, int32_t cells, int32_t frames, int32_t depth) {
    return {base, cells, frames, depth, 1.0f, 16.0f, 0, 0, 0, 0};
}
constexpr EshotTypeRow with(EshotTypeRow r, uint8_t turned, uint8_t unslowed, uint8_t noBonus) {
    r.turned = turned;
    r.unslowed = unslowed;
    r.noBonus = noBonus;
    return r;
}
constexpr EshotTypeRow scaled(EshotTypeRow r, float scale) {
    r.scale = scale;
    return r;
}
constexpr EshotTypeRow lived(EshotTypeRow r) {
    r.life = 28;
    return r;
}

// Types 156-187 one by one.
constexpr EshotTypeRow kEshotOwnRows[32] = {
    lived(row(1255, 8, 1, 705)),                          // 156
    lived(row(1263, 4, 2, 705)),                          // 157
    with(lived(row(230, 4, 1, 705)), 1, 0, 0),            // 158
    with(lived(row(230, 4, 1, 705)), 1, 0, 1),            // 159
    row(292, 8, 1, 701),                                  // 160
    row(0, 8, 3, 609),                                    // 161 laser
    row(0, 8, 3, 609),                                    // 162 laser
    row(0, 8, 1, 701),                                    // 163
    row(789, 7, 1, 703),                                  // 164
    row(1110, 7, 1, 703),                                 // 165
    row(654, 16, 1, 701),                                 // 166
    {1590, 10, 1, 701, 0.2f, 32.0f, 0, 0, 0, 0},          // 167
    with(row(292, 8, 1, 701), 0, 1, 1),                   // 168
    with(row(613, 8, 1, 701), 0, 1, 1),                   // 169
    with(row(292, 8, 1, 701), 0, 1, 1),                   // 170
    with(row(613, 8, 1, 701), 0, 1, 1),                   // 171
    scaled(row(5895, 6, 2, 706), 0.4f),                   // 172
    row(1170, 7, 1, 706),                                 // 173
    with(row(292, 8, 1, 701), 0, 1, 0),                   // 174
    with(row(150, 8, 1, 704), 1, 0, 0),                   // 175
    with(scaled(row(5895, 6, 2, 706), 0.3f), 0, 1, 1),    // 176
    scaled(row(5895, 6, 2, 706), 0.4f),                   // 177
    with(row(198, 8, 1, 704), 1, 1, 1),                   // 178
    with(row(635, 7, 1, 701), 0, 1, 1),                   // 179
    with(row(150, 8, 1, 704), 1, 1, 1),                   // 180
    with(row(314, 7, 1, 701), 0, 1, 1),                   // 181
    with(row(1063, 7, 1, 703), 0, 0, 1),                  // 182
    with(row(266, 8, 1, 707), 1, 1, 1),                   // 183
    with(row(214, 8, 1, 707), 1, 0, 0),                   // 184
    with(row(266, 8, 1, 707), 1, 0, 0),                   // 185
    with(row(150, 8, 1, 704), 1, 0, 0),                   // 186
    with(row(198, 8, 1, 704), 1, 0, 0),                   // 187
};

constexpr std::array<EshotTypeRow, kEshotTypes> makeEshotTypeTable() {
    std::array<EshotTypeRow, kEshotTypes> table{};
    for (int32_t type = 0; type < 132; ++type) {
        const int32_t block = type / 11, shape = type % 11;
        table[size_t(type)] = row(kEshotBlockBases[block][shape], kEshotShapeCells[shape], kEshotShapeFrames[shape],
                                  kEshotBlockDepth[block]);
    }
    for (int32_t i = 0; i < 24; ++i) {
        table[size_t(132 + i)] = with(row(kEshotPairBases[i], 8, 1, kEshotPairDepth[i / 2]), 1, 0, 0);
    }
    for (int32_t i = 0; i < 32; ++i) table[size_t(156 + i)] = kEshotOwnRows[i];
    return table;
}

constexpr std::array<EshotTypeRow, kEshotTypes> kEshotTypeTable = makeEshotTypeTable();

constexpr HitBox kEshotBoxSmall = {0.0f, 0.0f, 1.0f, 1.0f};
constexpr HitBox kEshotBoxShootable = {0.0f, 0.0f, 2.0f, 2.0f};
constexpr HitBox kEshotBox176 = {0.0f, 0.0f, 4.0f, 4.0f};
constexpr HitBox kEshotBoxBall = {0.0f, 0.0f, 5.0f, 5.0f};
constexpr HitBox kEshotBox167 = {0.0f, 0.0f, 14.0f, 14.0f};

}  // namespace

const EshotTypeRow& eshotTypeRow(int32_t type) {
    return kEshotTypeTable[size_t(type >= 0 && type < kEshotTypes ? type : 0)];
}

int32_t eshotTypeClass(int32_t type) {
    if (type < 0 || type >= kEshotTypes) return 0;
    if (type < 132) return type / 33;
    if (type < 156) return (type - 132) / 6;
    if (type < 160) return 4;
    switch (type) {
    case 165: case 166: case 167: case 169: case 171: case 172: case 176: case 177: case 178: case 179:
    case 182: case 183: case 185: case 187:
        return 1;
    default:
        return 0;
    }
}

const HitBox* eshotTypeHitBox(int32_t type) {
    if (type >= 156 && type <= 159) return &kEshotBoxShootable;
    switch (type) {
    case 179: return &kEshotBoxShootable;
    case 176: return &kEshotBox176;
    case 172: case 177: return &kEshotBoxBall;
    case 167: return &kEshotBox167;
    default: return &kEshotBoxSmall;
    }
}
