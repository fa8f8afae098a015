// The kind table: kinds outside it and empty rows spawn nothing.
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

using EnemyKindsTest = EnemyFixture;

TEST_F(EnemyKindsTest, KindsOutsideTheTableHaveNoAct) {
    EXPECT_EQ(enemyKindAct(-1), nullptr);
    EXPECT_EQ(enemyKindAct(kEnemyKinds), nullptr);
    EXPECT_EQ(sizeof enemyKindTable / sizeof enemyKindTable[0], size_t(kEnemyKinds));
}

TEST_F(EnemyKindsTest, AKindWithoutAnActSpawnsNothing) {
    const int32_t kinds[] = {-1, 5, 152, 153};
    for (int32_t kind : kinds) {
        if (enemyKindAct(kind) != nullptr) continue;
        EXPECT_EQ(enemySpawnKind(kind, -1, 112.0f, 144.0f), nullptr) << kind;
    }
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 0);
}

TEST_F(EnemyKindsTest, TheLifeStateIsInTheCommonPartAndDetachesAnyObject) {
    ObjTask* boss = makeBoss({10});
    boss->work->hit = TSKbossHit;
    ObjTask* laser = OBJtaskCreate(enemyTestAct, 11, objTag("ESHT"));
    laser->state = 12345;
    laser->work = OBJworkNew();
    laser->release = TSKgameCtrlKill;
    enemy(boss->work).partLink[3] = objRef(laser);
    enter(boss);
    step(boss);
    hit(boss, 6, 10);
    EXPECT_EQ(laser->work->lifeState, 10);
}

}  // namespace
