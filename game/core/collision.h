#pragma once
// The collision pass: after every act pass the game main update tests fixed
// pairs of task groups, attacker against target, hit box against hit box,
// and on every overlap tells both sides through their works' hit callbacks,
// the target first. What a hit does is the families' business; this decides
// only who meets whom, in which order and with which geometry.
//
// Hit callback contract: called as hit(task, work) of the side being told,
// with that work's lastCollider naming the other side. A callback may clear
// its own work's hit callback (an attacker is then tested no further in this
// pair) and change anything of its own object, but leaves both records alive:
// the pass goes on reading the target's boxes and the following targets. The
// pass reads a target group's rectangles once a pair and a target's own again
// after its callback: a callback that moves or adds another object is seen
// from the next pair on, though a target that another callback disarmed or
// moved away is never hit at its old place.
//
// Threads: main thread only, inside the game main update.

#include <array>
#include <cstdint>

struct ObjTask;
struct ObjWork;

// A box relative to its owner's position.
struct HitBox {
    float x, y;
    float halfWidth, halfHeight;
};

inline constexpr int32_t kGroupFighterShots = 6;
inline constexpr int32_t kGroupEnemies = 7;
inline constexpr int32_t kGroupFighter = 9;
inline constexpr int32_t kGroupGunUnits = 10;
inline constexpr int32_t kGroupEnemyShots = 11;
inline constexpr int32_t kGroupItems = 14;
inline constexpr int32_t kGroupBombs = 16;
inline constexpr int32_t kGroupSpecialEnemyShots = 18;

// Pass 0 meets airborne targets, pass 1 ground ones (fighter shots against enemies).
struct CollisionPair {
    int32_t attackerGroup;
    int32_t targetGroup;
    int32_t pass;
};
inline constexpr int kCollisionPairs = 11;
// In the order they are tested (collision_tables.cpp).
extern const std::array<CollisionPair, kCollisionPairs> kCollisionPairTable;

// Runs every pair of the table.
void OBJcollisionPass();
// Tests one attacker against every task of the target group.
void OBJcollideWithGroup(ObjTask* attacker, ObjWork* attackerWork, int32_t targetGroup, int32_t pass);
