// Kind 83, the stage-4 mid-boss, run from kind 80's table: its values, its
// phase trace over states 199-209 and the call lists of attacks A, B and C
// by rank level.
#include <gtest/gtest.h>

#include "game/bosses/boss_kinds.h"
#include "game/core/collision.h"
#include "game/stages/stage_services.h"
#include "tests/game/bosses/mboss_fixture.h"

namespace {

class St04mbossTest : public MbossFixture {
protected:
    void SetUp() override {
        MbossFixture::SetUp();
        useMotion("st04mboss", 7);
    }
};

TEST_F(St04mbossTest, InitTakesTheKindsRow) {
    stageProgress = 0;
    ObjTask* boss = spawnBoss(83);
    ASSERT_NE(boss, nullptr);
    const EnemyFields& e = enemy(boss->work);
    EXPECT_EQ(stageProgress, 1);
    EXPECT_EQ(boss->work->attack, TSKst04mbossTurret);
    EXPECT_EQ(boss->work->draw, TSKmbossDraw);
    EXPECT_EQ(e.score, 1500000u);
    EXPECT_EQ(e.sizeClass, 3);
    EXPECT_EQ(e.entryWait, 120);
    EXPECT_EQ(e.motionState, 199);
    EXPECT_EQ(e.motionLoops, 0);
    EXPECT_EQ(soundLayerState().soundGuard[5], 1);
    runFrame(boss);
    enter(boss);
    runFrame(boss);
    EXPECT_EQ(boss->work->hitBoxCount, 5);
    EXPECT_FLOAT_EQ(boss->work->hitBoxes[2].y, -43.0f);
}

TEST_F(St04mbossTest, HitPointsByDifficultyAndMode) {
    const struct {
        int32_t system, mode, hp;
    } cases[] = {{0, 2, 69632}, {2, 2, 55705}, {0, 0, 55705}, {2, 0, 44564}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(83);
        ASSERT_NE(boss, nullptr);
        EXPECT_EQ(enemy(boss->work).hp, c.hp) << c.system << " " << c.mode;
        OBJtaskRelease(boss);
    }
}

TEST_F(St04mbossTest, PhaseTraceRunsStates199To209) {
    const std::vector<int32_t> expected = {199, 200, 201, 202, 203, 200, 204, 205, 206, 200, 207, 208, 209, 200};
    EXPECT_EQ(motionTrace(83), expected);
}

// Attack A: rings in the first k calls of ten, the lines from call 12, the
// fans of fan-lines at call 90 only.
TEST_F(St04mbossTest, AttackACallListsByLevel) {
    const int rings[4] = {4, 6, 8, 8}, lines[4] = {4, 8, 12, 10}, outer[4] = {5, 7, 9, 5};
    eachLevel(83, {1, 96, 6, 60, 1, 0, 0}, [&](int32_t level, const Calls& calls) {
        ASSERT_EQ(calls.size(), 96u) << level;
        for (int i = 0; i < 96; ++i) {
            const auto list = at(calls, i);
            const int ring = i % 10 < rings[level] ? 2 * 6 * (level == 3 ? 2 : 1) : 0;
            const int line = i >= 12 && i % 12 < lines[level] ? 2 * (level < 2 ? 1 : 3) : 0;
            const int fanLines = i == 90 ? 2 * outer[level] * 3 : 0;
            EXPECT_EQ(count(list, 133), ring) << level << " " << i;
            EXPECT_EQ(count(list, 45), line + fanLines) << level << " " << i;
            if (ring > 0) EXPECT_TRUE(list.front().sounds.count(19)) << level << " " << i;
            if (line + fanLines > 0) EXPECT_TRUE(list.front().sounds.count(17)) << level << " " << i;
        }
        if (level == 0) {
            std::vector<int> ringCalls;
            for (int i = 0; i < 24; ++i) {
                if (count(at(calls, i), 133) > 0) ringCalls.push_back(i);
            }
            EXPECT_EQ(ringCalls, (std::vector<int>{0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23}));
        }
    });
}

// Attack B: the sweeps every k calls, down-shots on even calls, the type-177
// fan every p calls but never at call 0.
TEST_F(St04mbossTest, AttackBCallListsByLevel) {
    const int sweep[4] = {3, 2, 1, 1}, period[4] = {20, 20, 15, 10};
    eachLevel(83, {3, 100, 4, 20, 1, 0, 0}, [&](int32_t level, const Calls& calls) {
        ASSERT_EQ(calls.size(), 100u) << level;
        for (int i = 0; i < 100; ++i) {
            const auto list = at(calls, i);
            EXPECT_EQ(count(list, 1), i % sweep[level] == 0 ? (level == 3 ? 4 : 2) : 0) << level << " " << i;
            EXPECT_EQ(count(list, 158), i % 2 == 0 ? 2 : 0) << level << " " << i;
            const bool fan = i % period[level] == 0 && i >= period[level];
            EXPECT_EQ(count(list, 177), fan ? (level < 2 ? 1 : 3) : 0) << level << " " << i;
        }
        EXPECT_EQ(count(at(calls, 0), 177), 0);
        const auto first = at(calls, 0);
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(first.front().type, 1);
        EXPECT_EQ(first.front().angle, 472);
        EXPECT_FLOAT_EQ(first.front().speed, 160.0f);
    });
}

// Attack C: the fans grow by one every 15 calls (3 to 12, 5 to 14 at level
// 3; 3 throughout at level 0); the type-0 shots at level 3 from call 30.
TEST_F(St04mbossTest, AttackCCallListsByLevel) {
    eachLevel(83, {6, 150, 4, 20, 1, 0, 0}, [&](int32_t level, const Calls& calls) {
        ASSERT_EQ(calls.size(), 150u) << level;
        for (int i = 0; i < 150; ++i) {
            const auto list = at(calls, i);
            const int q = i / 15;
            const int fan = level == 0 ? 3 : level == 3 ? q + 5 : q + 3;
            EXPECT_EQ(count(list, 139), 2 * fan) << level << " " << i;
            EXPECT_EQ(count(list, 0), level == 3 && i >= 30 && i % 3 == 0 ? 2 : 0) << level << " " << i;
            for (const auto& s : list) {
                if (s.type == 0) EXPECT_TRUE(s.speed >= 99.9f && s.speed <= 190.1f) << s.speed;
            }
        }
        if (level == 3) EXPECT_EQ(count(at(calls, 149), 139), 2 * 14);
        if (level == 1) EXPECT_EQ(count(at(calls, 149), 139), 2 * 12);
    });
}

}  // namespace
