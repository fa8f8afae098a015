// Stages 2 and 3 as designed: their rows bring the built mid-bosses, the
// stage-2 boss's appear visual before the boss, each with a script.
#include <gtest/gtest.h>

#include "game/bosses/boss_kinds.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/stage_tables.h"

namespace {

// The first frame a kind is spawned on in the stage, -1 never.
int32_t st02ContentFirstFrame(int32_t stage, int32_t kind) {
    const SpawnRow* rows = stageSpawnTable(stage);
    for (int32_t i = 0; rows != nullptr && i < stageSpawnRowCount(stage); ++i) {
        if (rows[i].kind != kind) continue;
        EXPECT_GE(rows[i].param, 0) << "kind " << kind << " spawned with a script";
        return rows[i].frame;
    }
    return -1;
}

TEST(St02bossContentTest, StageTwoBringsItsMidBossTheVisualThenTheBoss) {
    const int32_t midBoss = st02ContentFirstFrame(2, 81);
    const int32_t visual = st02ContentFirstFrame(2, 121);
    const int32_t boss = st02ContentFirstFrame(2, 101);
    ASSERT_GE(midBoss, 0);
    ASSERT_GE(visual, 0);
    ASSERT_GE(boss, 0);
    EXPECT_LT(midBoss, visual);
    EXPECT_LT(visual, boss);
    EXPECT_EQ(enemyKindAct(81), TSKst02mbossAct);
    EXPECT_EQ(enemyKindAct(121), TSKst02bossAppearAct);
    EXPECT_EQ(enemyKindAct(101), TSKst02bossAct);
}

TEST(St03mbossContentTest, StageThreeBringsItsMidBossOnce) {
    EXPECT_GE(st02ContentFirstFrame(3, 82), 0);
    EXPECT_EQ(enemyKindAct(82), TSKst03mbossAct);
}

}  // namespace
