// Kind 84, the first stage-5 mid-boss, run from kind 80's table: its values,
// its phase trace over states 210-220 and the call lists of attacks A, B and
// C by rank level.
#include <gtest/gtest.h>

#include "game/bosses/boss_kinds.h"
#include "game/core/collision.h"
#include "game/stages/stage_services.h"
#include "tests/game/bosses/mboss_fixture.h"

namespace {

class St05mbossTest : public MbossFixture {
protected:
    void SetUp() override {
        MbossFixture::SetUp();
        useMotion("st05mboss", 7);
    }
};

TEST_F(St05mbossTest, InitTakesTheKindsRow) {
    stageProgress = 0;
    ObjTask* boss = spawnBoss(84);
    ASSERT_NE(boss, nullptr);
    const EnemyFields& e = enemy(boss->work);
    EXPECT_EQ(stageProgress, 1);
    EXPECT_EQ(boss->work->attack, TSKst05mbossTurret);
    EXPECT_EQ(e.score, 2000000u);
    EXPECT_EQ(e.motionState, 210);
    runFrame(boss);
    enter(boss);
    runFrame(boss);
    EXPECT_EQ(boss->work->hitBoxCount, 5);
    EXPECT_FLOAT_EQ(boss->work->hitBoxes[3].x, -75.0f);
}

TEST_F(St05mbossTest, HitPointsByDifficultyAndMode) {
    const struct {
        int32_t system, mode, hp;
    } cases[] = {{0, 2, 73728}, {2, 2, 58982}, {0, 0, 58982}, {2, 0, 47185}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(84);
        ASSERT_NE(boss, nullptr);
        EXPECT_EQ(enemy(boss->work).hp, c.hp) << c.system << " " << c.mode;
        OBJtaskRelease(boss);
    }
}

TEST_F(St05mbossTest, PhaseTraceRunsStates210To220) {
    const std::vector<int32_t> expected = {210, 211, 212, 213, 214, 211, 215, 216, 217, 211, 218, 219, 220, 211};
    EXPECT_EQ(motionTrace(84), expected);
}

// Attack A: on even calls c rings from each of turrets 4 and 5 (of 4 at
// level 3) and two rings of three type-158; from call 30 the type-36 shots.
TEST_F(St05mbossTest, AttackACallListsByLevel) {
    const int rings[4] = {1, 3, 5, 7}, every[4] = {5, 4, 3, 3};
    eachLevel(84, {1, 90, 6, 60, 1, 0, 0}, [&](int32_t level, const Calls& calls) {
        ASSERT_EQ(calls.size(), 90u) << level;
        for (int i = 0; i < 90; ++i) {
            const auto list = at(calls, i);
            const bool even = i % 2 == 0;
            EXPECT_EQ(count(list, 134), even ? 2 * rings[level] * (level == 3 ? 4 : 3) : 0) << level << " " << i;
            EXPECT_EQ(count(list, 158), even ? 2 * 2 * 3 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 36), i >= 30 && i % every[level] == 0 ? 2 : 0) << level << " " << i;
        }
        if (level == 3) EXPECT_EQ(count(at(calls, 0), 134), 56) << "7 rings of 4 a turret";
    });
}

// Attack B: type 22 every call, 51 on odd calls above 3, 33, 5 and 133 by
// level; the sounds of steps 3 and 4 play even where level 0 fires nothing.
TEST_F(St05mbossTest, AttackBCallListsByLevel) {
    eachLevel(84, {3, 30, 24, 40, 1, 0, 0}, [&](int32_t level, const Calls& calls) {
        ASSERT_EQ(calls.size(), 30u) << level;
        for (int i = 0; i < 30; ++i) {
            const auto list = at(calls, i);
            EXPECT_EQ(count(list, 22), 9) << level << " " << i;
            EXPECT_EQ(count(list, 51), i % 2 == 1 && i > 3 ? 12 : 0) << level << " " << i;
            const bool step3 = i % 3 == 1 && i > 6, step4 = i % 4 == 1 && i > 9;
            const bool step5 = i % 5 == 1 && i > 12 && level == 3;
            EXPECT_EQ(count(list, 33), step3 && level > 0 ? 13 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 5), step4 && level >= 2 ? 7 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 133), step5 ? 17 : 0) << level << " " << i;
            ASSERT_FALSE(list.empty());
            EXPECT_EQ(list.front().sounds.count(19) != 0, step3 || step4 || step5) << level << " " << i;
            if (level == 0) {
                for (const auto& s : list) EXPECT_TRUE(s.type == 22 || s.type == 51) << s.type;
            }
        }
    });
}

// Attack C: three types on one aim for ten calls of twenty, the type-20 fans
// every eight calls, the type-39 drizzle at level 3.
TEST_F(St05mbossTest, AttackCCallListsByLevel) {
    const int fan20[4] = {5, 7, 9, 9};
    eachLevel(84, {6, 150, 4, 60, 1, 0, 0}, [&](int32_t level, const Calls& calls) {
        ASSERT_EQ(calls.size(), 150u) << level;
        for (int i = 0; i < 150; ++i) {
            const auto list = at(calls, i);
            const bool stream = i % 20 < 10;
            EXPECT_EQ(count(list, 63), stream ? 2 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 49), stream ? 4 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 38), stream ? 4 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 20), i % 8 == 0 ? fan20[level] : 0) << level << " " << i;
            EXPECT_EQ(count(list, 39), level == 3 ? 1 : 0) << level << " " << i;
        }
    });
}

}  // namespace
