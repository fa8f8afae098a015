#pragma once
// The fighter shots' tables as data: per-kind look and hit box, the
// fighter's sixteen fire patterns and the gun units' sixteen, their formation
// points and approach steps (fshot*.cpp, fighter_fire*.cpp, gun_units*.cpp).
//
// Threads: any; the tables are constant.

#include <array>
#include <cstdint>

#include "game/core/collision.h"

struct FshotKindRow {
    int32_t sprite;
    int32_t frames;
    int32_t hitEffect;
    int32_t spark;  // the kind's spark effect (the hit itself makes kind 57)
    int32_t distance;  // how far ahead of the shot its hit effect shows
};
extern const std::array<FshotKindRow, 28> kFshotKindTable;
extern const std::array<HitBox, 28> kFshotHitBoxes;

// One shot of a fighter volley.
struct FireRow {
    int32_t kind;
    int32_t x, y;  // from the fighter
    int32_t heading;
    float speed;
    int32_t damage;
    int32_t side;
    int32_t effectKind;
    int32_t effectX, effectY;  // from the fighter
    int32_t effectParam;
};
using FirePattern = std::array<FireRow, 2>;  // left, right

// Index: powered x 8 + weapon mode x 4 + type.
inline constexpr int fireTableIndex(bool powered, int32_t mode, int32_t type) {
    return (powered ? 8 : 0) + (mode != 0 ? 4 : 0) + (type & 3);
}
extern const std::array<FirePattern, 16> kFirePatterns;
extern const std::array<int32_t, 4> kFireCaps;  // live fighter-own shots by type

// One gun unit's shot: its muzzle lies `distance` along (angle offset + the
// unit's headings) from the unit.
struct GunFireRow {
    int32_t kind;
    int32_t distance;
    int32_t angleOffset;
    int32_t headingOffset;
    float speed;
    int32_t damage;
    int32_t side;
    int32_t effectKind;
    int32_t effectParam;
};
struct GunFirePattern {
    std::array<GunFireRow, 2> rows;  // gun index 0, 1
    int32_t cap;  // live gun-unit shots
};
extern const std::array<GunFirePattern, 16> kGunFirePatterns;

// Type C's formation: (x, y, heading) from the fighter by table index and gun index.
struct GunPoint {
    int32_t x, y, heading;
};
extern const std::array<std::array<GunPoint, 2>, 4> kGunFormationC;  // shot, laser, powered shot, powered laser

// The approach: above `distance` the unit moves `step` pixels a frame;
// nearer than the last row it snaps onto its point.
struct GunApproach {
    float distance;
    float step;
};
extern const std::array<GunApproach, 8> kGunApproach;

// Type B's small random heading: randRangeCentered(this) each frame.
inline constexpr int32_t kGunTypeBJitter = 8;
