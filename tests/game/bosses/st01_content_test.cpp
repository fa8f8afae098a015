// Stage 1 as designed: its rows bring the mid-boss and the boss, both built,
// so the stage ends with the boss's death.
#include <gtest/gtest.h>

#include "game/bosses/boss_kinds.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/stage_tables.h"

namespace {

TEST(St01bossContentTest, StageOneBringsItsMidBossThenItsBoss) {
    const SpawnRow* rows = stageSpawnTable(1);
    ASSERT_NE(rows, nullptr);
    int32_t midBossFrame = -1, bossFrame = -1;
    for (int32_t i = 0; i < stageSpawnRowCount(1); ++i) {
        if (rows[i].kind == 80 && midBossFrame < 0) midBossFrame = rows[i].frame;
        if (rows[i].kind == 100 && bossFrame < 0) bossFrame = rows[i].frame;
        if (rows[i].kind == 80 || rows[i].kind == 100) EXPECT_GE(rows[i].param, 0) << "spawned with a script";
    }
    ASSERT_GE(midBossFrame, 0);
    ASSERT_GE(bossFrame, 0);
    EXPECT_LT(midBossFrame, bossFrame);
    EXPECT_EQ(enemyKindAct(80), TSKst01mbossAct);
    EXPECT_EQ(enemyKindAct(100), TSKst01bossAct);
}

}  // namespace
