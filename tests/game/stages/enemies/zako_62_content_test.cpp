// Stage 3 as designed: one row brings the hulk with its script, and no row
// brings the stage-3 boss, which only the hulk's death calls in.
#include <gtest/gtest.h>

#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/zako_62.h"
#include "game/stages/stage_tables.h"

namespace {

int32_t zako62ContentRows(int32_t stage, int32_t kind, int32_t* frame) {
    const SpawnRow* rows = stageSpawnTable(stage);
    int32_t found = 0;
    for (int32_t i = 0; rows != nullptr && i < stageSpawnRowCount(stage); ++i) {
        if (rows[i].kind != kind) continue;
        EXPECT_GE(rows[i].param, 0) << "kind " << kind << " spawned with a script";
        if (found++ == 0) *frame = rows[i].frame;
    }
    return found;
}

TEST(Zako62ContentTest, StageThreeBringsTheHulkOnceAndNotTheBoss) {
    int32_t frame = -1;
    EXPECT_EQ(zako62ContentRows(3, 62, &frame), 1);
    EXPECT_GT(frame, 0);
    EXPECT_EQ(zako62ContentRows(3, 102, &frame), 0);
    EXPECT_EQ(enemyKindAct(62), TSKzako62Act);
}

}  // namespace
