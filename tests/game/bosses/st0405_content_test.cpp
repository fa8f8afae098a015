// Stages 4 and 5 as designed: their rows bring the stage-4 mid-boss and the
// two stage-5 mid-bosses, all built; kind 85 comes once, at stage frame
// 12550 at (113, -148) with a movement script.
#include <gtest/gtest.h>

#include <vector>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/st05boss.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/stage_tables.h"

namespace {

std::vector<SpawnRow> st0405RowsOf(int32_t stage, int32_t kind) {
    std::vector<SpawnRow> out;
    const SpawnRow* rows = stageSpawnTable(stage);
    for (int32_t i = 0; rows != nullptr && i < stageSpawnRowCount(stage); ++i) {
        if (rows[i].kind == kind) out.push_back(rows[i]);
    }
    return out;
}

TEST(St05mboss2ContentTest, StagesFourAndFiveBringTheirMidBosses) {
    EXPECT_EQ(enemyKindAct(83), TSKst04mbossAct);
    EXPECT_EQ(enemyKindAct(84), TSKst05mbossAct);
    EXPECT_EQ(enemyKindAct(85), TSKst05mboss2Act);
    EXPECT_EQ(enemyKindAct(117), TSKst05mboss2Part117Act);
    EXPECT_FALSE(st0405RowsOf(4, 83).empty());
    EXPECT_FALSE(st0405RowsOf(5, 84).empty());
    const std::vector<SpawnRow> second = st0405RowsOf(5, 85);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].frame, 12550);
    EXPECT_EQ(second[0].x, 11300) << "hundredths of a pixel";
    EXPECT_EQ(second[0].y, -14800);
    EXPECT_GE(second[0].param, 0) << "spawned with a script";
    EXPECT_TRUE(st0405RowsOf(5, 117).empty()) << "kind 117 comes only from the launch";
}

TEST(St05bossContentTest, StageFiveBringsItsBossAfterTheAppearEffect) {
    EXPECT_EQ(enemyKindAct(104), TSKst05bossAct);
    EXPECT_EQ(enemyKindAct(114), TSKst05bossPart114Act);
    EXPECT_EQ(enemyKindAct(115), TSKst05bossPart115Act);
    EXPECT_EQ(enemyKindAct(116), TSKst05bossPart115Act);
    const std::vector<SpawnRow> appear = st0405RowsOf(5, 128);
    const std::vector<SpawnRow> boss = st0405RowsOf(5, 104);
    ASSERT_EQ(appear.size(), 1u);
    ASSERT_EQ(boss.size(), 1u);
    EXPECT_LT(appear[0].frame, boss[0].frame);
    for (int32_t kind : {114, 115, 116}) EXPECT_TRUE(st0405RowsOf(5, kind).empty()) << "launched only";
}

}  // namespace
