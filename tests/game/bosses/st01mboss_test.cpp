// Kind 80, the stage-1 mid-boss, over a "st01mboss" of known label lengths:
// its init, the phase trace, the call lists of attacks A, B and C by rank
// level, its tint and its death.
#include <gtest/gtest.h>

#include <map>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "game/stages/stage_services.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

constexpr int kAppearFrames = 20;
constexpr int kDefaultFrames = 16;

class St01mbossTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        cacheBossMotion("st01mboss", {{"st01mboss", {{"appear", kAppearFrames}, {"form1_default", kDefaultFrames}},
                                       bossfixture::turretRow(6)}});
    }
    // A mid-boss past its entry whose phase machine is parked, so that
    // only the attack schedule runs.
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(80);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 9;
        return boss;
    }
    // Runs one attack to its end; the shots by call index (burst b, call i).
    std::map<std::pair<int, int>, std::vector<bossfixture::Shot>> runAttack(ObjTask* boss, const BossAttack& attack) {
        bossStartAttack(boss->work, attack);
        std::map<std::pair<int, int>, std::vector<bossfixture::Shot>> calls;
        for (int guard = 0; guard < 2000 && enemy(boss->work).attackPattern != 0; ++guard) {
            const EnemyFields& e = enemy(boss->work);
            const std::pair<int, int> key{e.volleyIndex, e.shotIndex};
            const size_t before = shots.size();
            runFrame(boss);
            if (enemy(boss->work).volleyIndex == key.first && enemy(boss->work).shotIndex == key.second + 1) {
                calls[key].insert(calls[key].end(), shots.begin() + long(before), shots.end());
            }
        }
        return calls;
    }
    static int count(const std::vector<bossfixture::Shot>& list, int32_t type) {
        return int(std::count_if(list.begin(), list.end(), [&](const bossfixture::Shot& s) { return s.type == type; }));
    }
};

TEST_F(St01mbossTest, InitFillsTheShape) {
    stageProgress = 0;
    ObjTask* boss = spawnBoss(80);
    EXPECT_EQ(stageProgress, 1) << "the play records' mid-boss reached";
    ASSERT_NE(boss, nullptr);
    ObjWork* work = boss->work;
    const EnemyFields& e = enemy(work);
    EXPECT_EQ(boss->state, kObjStateRun);
    EXPECT_EQ(work->draw, TSKmbossDraw);
    EXPECT_EQ(work->hit, TSKenemyHit);
    EXPECT_EQ(work->attack, TSKst01mbossTurret);
    EXPECT_FLOAT_EQ(work->depth, 430.0f);
    EXPECT_EQ(e.sizeClass, 3);
    EXPECT_EQ(e.formCount, 1);
    EXPECT_EQ(e.hp, 40960);
    EXPECT_EQ(e.formHp[0], 40960);
    EXPECT_EQ(e.score, 300000u);
    EXPECT_EQ(e.offscreenTimer, 3600);
    EXPECT_EQ(e.entryWait, 120);
    EXPECT_EQ(e.motionState, 162);
    EXPECT_EQ(e.motionLength, kAppearFrames);
    EXPECT_EQ(e.motionLoops, 0) << "appear holds";
    EXPECT_EQ(e.attackPattern, 0);
    EXPECT_EQ(e.volleysLeft, 9999);
    ASSERT_GE(work->motionSlot0, 0);
    ASSERT_GE(work->motionSlot1, 0);
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(work->motionSlot0), 430);
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(work->motionSlot1), 431);
    EXPECT_EQ(soundLayerState().soundGuard[5], 1) << "enemyfly";
}

TEST_F(St01mbossTest, HitPointsByDifficultyAndMode) {
    const struct {
        int32_t system, mode, hp;
    } cases[] = {{0, 2, 40960}, {2, 2, 32768}, {0, 0, 32768}, {2, 0, 26214}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(80);
        ASSERT_NE(boss, nullptr);
        EXPECT_EQ(enemy(boss->work).hp, c.hp) << c.system << " " << c.mode;
        OBJtaskRelease(boss);
    }
}

TEST_F(St01mbossTest, PhaseTraceOnKnownLengths) {
    ObjTask* boss = spawnBoss(80);
    ObjWork* work = boss->work;
    EnemyFields& e = enemy(work);
    // The first step-1 row, then the attack's first call.
    std::map<std::pair<int, int>, int> reached;  // (phase, step) -> first frame
    std::vector<std::pair<int, int>> attackFirstCall;  // (phase, frame)
    bool waiting = false;
    for (int f = 0; f < 2500 && reached.count({3, 6}) == 0; ++f) {
        const int32_t pattern = e.attackPattern;
        runFrame(boss);
        reached.emplace(std::pair<int, int>{e.phase, e.step}, frame);
        if (e.attackPattern != 0 && pattern == 0) {
            attackFirstCall.push_back({e.phase, -1});
            waiting = true;
        } else if (waiting && (e.shotIndex > 0 || e.volleyIndex > 0)) {
            attackFirstCall.back().second = frame;
            waiting = false;
        }
    }
    ASSERT_EQ(attackFirstCall.size(), 3u);
    EXPECT_GE(reached.at({0, 6}), 120) << "not before the entry wait ends";
    const int offsets[3] = {1, 40, 70};
    for (int a = 0; a < 3; ++a) {
        const int phase = a + 1;
        ASSERT_TRUE(reached.count({phase, 2})) << phase;
        EXPECT_EQ(attackFirstCall[size_t(a)].second - reached.at({phase, 2}), offsets[a]) << "attack " << a;
    }
    EXPECT_EQ(reached.at({1, 1}) - reached.at({1, 0}), 1) << "the first attack's motion on the next frame";
    EXPECT_EQ(reached.at({2, 1}) - reached.at({2, 0}), 11);
    EXPECT_EQ(reached.at({3, 1}) - reached.at({3, 0}), 11);
    EXPECT_EQ(e.motionState, 172);
}

// Attack A: fans of i + 1 from turrets 1 and 2, the level-3 second fans,
// turret 0 only in the last burst at calls 0, 3, 6.
TEST_F(St01mbossTest, AttackACallListsByLevel) {
    const int centre[4] = {0, 3, 5, 7};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        shots.clear();
        const auto calls = runAttack(boss, {1, 8, 5, 0, 2, 48, 0});
        ASSERT_EQ(calls.size(), 16u) << level;
        for (const auto& [key, list] : calls) {
            const auto [burst, i] = key;
            EXPECT_EQ(count(list, 133), 2 * (i + 1)) << level << " " << burst << " " << i;
            EXPECT_EQ(count(list, 141), level == 3 ? 2 * i + 3 : 0) << level << " " << i;
            const bool turretZero = burst == 1 && i % 3 == 0;
            EXPECT_EQ(count(list, 158), turretZero ? centre[level] : 0) << level << " " << burst << " " << i;
            EXPECT_TRUE(list.empty() || list.front().sounds.count(19)) << level;
            for (const bossfixture::Shot& s : list) EXPECT_EQ(s.owner, boss->work->serial);
        }
        // The first fan of a burst centres on the aim from turret 1.
        const auto& first = calls.at({0, 0});
        const ObjPoint t1 = bossTurret(boss->work, 1);
        EXPECT_EQ(first.front().angle, bossAimAngle(t1.x, t1.y)) << level;
        EXPECT_FLOAT_EQ(first.front().x, t1.x);
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

// Attack B: the fans narrow by 2 a call; the bare step at the last call.
TEST_F(St01mbossTest, AttackBNarrowsByLevel) {
    const struct {
        int every6[2], step6, every48[2], step48, count6, count48;
    } rows[4] = {{{7, 5}, 42, {0, 0}, 0, 5, 0},
                 {{7, 5}, 36, {3, 2}, 74, 5, 3},
                 {{5, 5}, 24, {2, 2}, 60, 5, 3},
                 {{3, 3}, 18, {1, 1}, 24, 7, 5}};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter(20.0f, 260.0f);
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {3, 12, 8, 40, 1, 0, 0});
        const auto& row = rows[level];
        for (int i = 0; i < 12; ++i) {
            const auto found = calls.find({0, i});
            const std::vector<bossfixture::Shot> list = found == calls.end() ? std::vector<bossfixture::Shot>{}
                                                                             : found->second;
            const int w = 2 * (12 - i - 1);
            int expected6 = 0, expected48 = 0;
            for (int t = 0; t < 2; ++t) {
                expected6 += i % row.every6[t] == 0 ? row.count6 : 0;
                expected48 += row.every48[t] != 0 && i % row.every48[t] == 0 ? row.count48 : 0;
            }
            EXPECT_EQ(count(list, 6), expected6) << level << " " << i;
            EXPECT_EQ(count(list, 48), expected48) << level << " " << i;
            std::vector<bossfixture::Shot> fan6;
            for (const auto& s : list) {
                if (s.type == 6) fan6.push_back(s);
            }
            if (fan6.size() >= 2) EXPECT_EQ((fan6[1].angle - fan6[0].angle + 1024) % 1024, w + row.step6) << level << i;
        }
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

// Attack C: turret 0's stream by level, turret 5's from call 31.
TEST_F(St01mbossTest, AttackCStreamsByLevel) {
    const int per[4] = {3, 2, 1, 1};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        gameRandSeed(7);
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {6, 180, 4, 70, 1, 16, 0});
        int first139 = -1;
        for (const auto& [key, list] : calls) {
            const int i = key.second;
            const int fires = i % per[level] == 0 ? (level == 3 ? 3 : 1) : 0;
            EXPECT_EQ(count(list, 5), fires) << level << " " << i;
            EXPECT_EQ(count(list, 139), i > 30 ? fires : 0) << level << " " << i;
            if (first139 < 0 && count(list, 139) > 0) first139 = i;
            for (const auto& s : list) {
                if (s.type == 5) EXPECT_TRUE(s.speed >= 59.9f && s.speed <= 105.1f) << s.speed;
                if (s.type == 139) EXPECT_TRUE(s.speed >= 79.9f && s.speed <= 125.1f) << s.speed;
            }
        }
        EXPECT_EQ(first139, level == 0 ? 33 : level == 1 ? 32 : 31) << level;
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

TEST_F(St01mbossTest, TheBodyTintGoesIntoSlotA) {
    ObjTask* boss = spawnBoss(80);
    ObjWork* work = boss->work;
    const int32_t slot = work->motionSlot0;
    runFrame(boss);
    EXPECT_EQ(task->motionSlots.color[size_t(slot)], 0x7F7F7FFFu);
    enemy(work).flashTimer = 5;  // counted down to 4 by the step
    runFrame(boss);
    EXPECT_EQ(task->motionSlots.color[size_t(slot)], 0x7F5050FFu);
    enemy(work).flashTimer = 5;
    work->lifeState = 3;
    runFrame(boss);
    EXPECT_EQ(task->motionSlots.color[size_t(slot)], 0x7F7F7FFFu) << "while dying";
}

TEST_F(St01mbossTest, TheSilhouetteFadesOverTheLastTwentyFramesOfTheWait) {
    ObjTask* boss = spawnBoss(80);
    ObjWork* work = boss->work;
    const int32_t slot = work->motionSlot1;
    const struct {
        int32_t wait;
        float alpha;
    } cases[] = {{61, 0.0f}, {60, 1.0f}, {20, 1.0f}, {10, 0.5f}, {1, 0.05f}, {0, 0.0f}};
    for (const auto& c : cases) {
        enemy(work).entryWait = c.wait;
        TSKmbossDraw(boss, work);
        EXPECT_FLOAT_EQ(task->motionSlots.alpha[size_t(slot)], c.alpha) << c.wait;
    }
}

TEST_F(St01mbossTest, AMidBossThatNeverEntersNeverAttacks) {
    ObjTask* boss = spawnBoss(80, 112.0f, -200.0f);
    runFrames(boss, 400);
    EXPECT_EQ(enemy(boss->work).phase, 0);
    EXPECT_EQ(enemy(boss->work).step, 0);
    EXPECT_TRUE(shots.empty());
}

TEST_F(St01mbossTest, DestroyedItDiesWithoutClearingTheStage) {
    ObjTask* boss = spawnBoss(80);
    runFrame(boss);
    enter(boss);
    runFrame(boss);
    enemy(boss->work).formHp[0] = 0;
    enemy(boss->work).hp = 0;
    enemyStartDying(boss->work);
    runUntil(boss, [&] { return boss->state != kObjStateRun; }, 2000);
    EXPECT_EQ(boss->state, kObjStateEnd);
    EXPECT_EQ(stageClearFlag, 0);
}

}  // namespace
