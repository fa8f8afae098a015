// Who is tested against whom, in this order: shots clear the special enemy
// shots before they reach the enemies, and the fighter is tested last.
#include "game/core/collision.h"

constexpr std::array<CollisionPair, kCollisionPairs> kCollisionPairTable = {{
    {kGroupFighterShots, kGroupSpecialEnemyShots, 0},
    {kGroupGunUnits, kGroupSpecialEnemyShots, 0},
    {kGroupFighterShots, kGroupEnemies, 0},
    {kGroupFighterShots, kGroupEnemies, 1},
    {kGroupBombs, kGroupEnemies, 0},
    {kGroupGunUnits, kGroupEnemies, 0},
    {kGroupGunUnits, kGroupEnemyShots, 0},
    {kGroupFighter, kGroupItems, 0},
    {kGroupFighter, kGroupEnemyShots, 0},
    {kGroupFighter, kGroupSpecialEnemyShots, 0},
    {kGroupFighter, kGroupEnemies, 0},
}};
