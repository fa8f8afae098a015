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
// pair) and change anything of its objects, but leaves both records alive:
// the pass goes on reading the target's boxes and the following targets. The
// group is read as it stands for every attacker: a target that a callback
// added at the group's tail, moved or disarmed is met, or not, by the next
// test as it is then. Objects reach one another through references and
// group walks (obj_task.h counts those touches); the rectangles are cached
// while nothing but the hit target itself was touched.
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

// During the fighter-against-enemies pair: the octagonal distance from the
// fighter to the nearest enemy, position to position; kNoEnemyDistance from
// the start of each pass until then, and with no fighter or no enemy.
inline constexpr float kNoEnemyDistance = 99999.0f;
extern float nearestEnemyDistance;

// Runs every pair of the table.
void OBJcollisionPass();
// Tests one attacker against every task of the target group.
void OBJcollideWithGroup(ObjTask* attacker, ObjWork* attackerWork, int32_t targetGroup, int32_t pass);
