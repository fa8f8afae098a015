// The shared scene words: the ranking marks cleared for a new play.
#include "game/frontend/scene_words.h"

#include <gtest/gtest.h>

namespace {

TEST(SceneWordsTest, RankingNewMarksClearLeavesNoMarkAndTheLatestTableAlone) {
    rankingNewMarks[0][0] = 1;
    rankingNewMarks[1][kRankingRecords - 1] = 1;
    rankingLatestTable = 1;
    rankingLatestCategory = 2;
    rankingNewMarksClear();
    for (const auto& table : rankingNewMarks) {
        for (int32_t mark : table) EXPECT_EQ(mark, 0);
    }
    EXPECT_EQ(rankingLatestTable, 1);
    EXPECT_EQ(rankingLatestCategory, 2);
}

}  // namespace
