// Kind 85, the second stage-5 mid-boss, and kind 117, the enemies it
// launches, over a "st05mboss2" of known label lengths: the values, the
// phase trace, the leave, the call lists of attacks A and B by rank level,
// the launched enemies' waypoints, trail and leaving volleys, and a launch
// into a full task pool.
#include <gtest/gtest.h>

#include <map>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/core/collision.h"
#include "game/core/game_state_hash.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_services.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

constexpr int kForm1Frames = 12;
constexpr int kTransFrames = 10;
constexpr int kForm2Frames = 14;

// Twenty-two turrets inside the playfield: turret n at ((n mod 8) x 20 - 70,
// 20 + n) from the boss.
std::vector<bossfixture::Turret> st05mboss2Turrets() {
    std::vector<bossfixture::Turret> turrets;
    char name[16];
    for (int n = 0; n < 22; ++n) {
        std::snprintf(name, sizeof name, "turret%02d", n);
        turrets.push_back({name, float((n % 8) * 20 - 70), float(20 + n)});
    }
    return turrets;
}

class St05mboss2Test : public BossFixture {
protected:
    using Calls = std::map<int, std::vector<bossfixture::Shot>>;

    void SetUp() override {
        BossFixture::SetUp();
        stageFrame = 0;
        st05mboss2LeaveFlag = 0;
        const std::vector<bossfixture::Label> labels = {
            {"form_1", kForm1Frames}, {"trans_form", kTransFrames}, {"form_2", kForm2Frames}};
        cacheBossMotion("st05mboss2", {{"st05mboss2", labels, st05mboss2Turrets()}});
    }
    void TearDown() override {
        stageFrame = 0;
        st05mboss2LeaveFlag = 0;
        BossFixture::TearDown();
    }
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(85);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 9;
        return boss;
    }
    // The attack's first `calls` calls: the shots by call index.
    Calls runCalls(ObjTask* boss, const BossAttack& attack, int calls) {
        bossStartAttack(boss->work, attack);
        Calls out;
        for (int guard = 0; guard < 4000 && enemy(boss->work).attackPattern != 0; ++guard) {
            const int i = enemy(boss->work).shotIndex;
            if (i >= calls) break;
            const size_t before = shots.size();
            runFrame(boss);
            if (enemy(boss->work).shotIndex == i + 1) {
                out[i].insert(out[i].end(), shots.begin() + long(before), shots.end());
            }
        }
        return out;
    }
    static std::vector<ObjTask*> launched() {
        std::vector<ObjTask*> out;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->act == TSKst05mboss2Part117Act && t->work != nullptr) out.push_back(t);
        });
        std::sort(out.begin(), out.end(), [](ObjTask* a, ObjTask* b) {
            return enemy(a->work).loopCount < enemy(b->work).loopCount;
        });
        return out;
    }
    static int count(const std::vector<bossfixture::Shot>& list, int32_t type) {
        return int(std::count_if(list.begin(), list.end(), [&](const bossfixture::Shot& s) { return s.type == type; }));
    }
    static std::vector<bossfixture::Shot> at(const Calls& calls, int i) {
        const auto found = calls.find(i);
        return found == calls.end() ? std::vector<bossfixture::Shot>{} : found->second;
    }
    static constexpr BossAttack kAttackA = {1, 120, 4, 60, 1, 48, 0};
    static constexpr BossAttack kAttackB = {3, 99999, 8, 20, 1, 0, 0};
};

TEST_F(St05mboss2Test, InitTakesItsValuesWithoutASound) {
    stageProgress = 0;
    st05mboss2LeaveFlag = 1;
    ObjTask* boss = spawnBoss(85);
    ASSERT_NE(boss, nullptr);
    const EnemyFields& e = enemy(boss->work);
    EXPECT_EQ(stageProgress, 1);
    EXPECT_EQ(st05mboss2LeaveFlag, 0);
    EXPECT_EQ(boss->release, TSKgameCtrlKill);
    EXPECT_EQ(boss->work->draw, TSKmbossDraw);
    EXPECT_EQ(boss->work->attack, TSKst05mboss2Turret);
    EXPECT_EQ(e.score, 2000000u);
    EXPECT_EQ(e.entryWait, 400);
    EXPECT_EQ(e.motionState, 221);
    EXPECT_EQ(e.motionLength, kForm1Frames);
    EXPECT_EQ(e.motionLoops, 0);
    EXPECT_EQ(soundLayerState().soundGuard[5], 0) << "no fly-in sound";
}

TEST_F(St05mboss2Test, HitPointsOfBothKindsByDifficultyAndMode) {
    const struct {
        int32_t system, mode, boss, part;
    } cases[] = {{0, 2, 49152, 2048}, {2, 2, 39321, 1638}, {0, 0, 39321, 1638}, {2, 0, 31456, 1310}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(85);
        ObjTask* part = spawnBoss(117);
        ASSERT_NE(boss, nullptr);
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(enemy(boss->work).hp, c.boss) << c.system << " " << c.mode;
        EXPECT_EQ(enemy(part->work).hp, c.part) << c.system << " " << c.mode;
        EXPECT_EQ(enemy(part->work).sizeClass, 0);
        OBJtaskRelease(boss);
        OBJtaskRelease(part);
    }
}

// State 225 lasts one frame; "trans_form" starts two frames after attack A
// ends; phase 2 step 0 does not wait; attack B starts in "form_2".
TEST_F(St05mboss2Test, PhaseTraceThroughTheShapeChange) {
    ObjTask* boss = spawnBoss(85);
    EnemyFields& e = enemy(boss->work);
    std::map<int32_t, std::pair<int, int>> states;  // state -> first frame, frames
    int attackEnded = -1;
    for (int f = 0; f < 2000 && !(e.phase == 2 && e.step == 2); ++f) {
        const int32_t pattern = e.attackPattern;
        runFrame(boss);
        if (pattern == 1 && e.attackPattern == 0) attackEnded = frame;
        auto [it, fresh] = states.emplace(e.motionState, std::pair<int, int>{frame, 0});
        ++it->second.second;
    }
    ASSERT_EQ(e.phase, 2);
    ASSERT_GE(attackEnded, 0);
    EXPECT_GE(states.at(222).first, 400) << "not before the entry wait";
    EXPECT_EQ(states.at(225).second, 1) << "state 225 lasts one frame";
    EXPECT_EQ(states.at(226).first - attackEnded, 2);
    EXPECT_EQ(states.at(226).second, kTransFrames) << "trans_form plays once through";
    EXPECT_EQ(e.motionState, 227);
    EXPECT_EQ(e.attackPattern, 3);
    EXPECT_EQ(boss->work->hitBoxCount, 4) << "the second shape's boxes";
}

// From stage frame 14446 on: the flag, phase 5, the attack idle for good and
// the four boxes kept. At 14445 nothing happens.
TEST_F(St05mboss2Test, TheLeaveStopsTheAttackForGood) {
    ObjTask* boss = spawnBoss(85);
    EnemyFields& e = enemy(boss->work);
    runUntil(boss, [&] { return e.phase == 2 && e.step == 2; }, 3000);
    ASSERT_EQ(e.attackPattern, 3);
    stageFrame = 14445;
    runFrame(boss);
    EXPECT_EQ(st05mboss2LeaveFlag, 0);
    EXPECT_EQ(e.attackPattern, 3);
    stageFrame = 14446;
    for (int f = 0; f < 200; ++f) {
        runFrame(boss);
        ++stageFrame;
        ASSERT_EQ(st05mboss2LeaveFlag, 1);
        ASSERT_EQ(e.phase, 5);
        ASSERT_EQ(e.attackPattern, 0);
        ASSERT_EQ(boss->work->hitBoxCount, 4);
    }
    const size_t before = shots.size();
    runFrames(boss, 50);
    EXPECT_EQ(shots.size(), before) << "nothing fired after the leave";
}

// Attack A: the streams of turrets 0 and 1, the volleys of turrets 0-7 (970
// at call 119), the ring fans of 3, 4, 3, 4 at calls 0, 10, .. 90.
TEST_F(St05mboss2Test, AttackACallListsByLevel) {
    const int streamCalls[4] = {4, 7, 10, 10}, volleyCalls[4] = {10, 20, 40, 40}, streamShots[4] = {1, 1, 3, 5};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const Calls calls = runCalls(boss, kAttackA, 120);
        ASSERT_EQ(calls.size(), 120u) << level;
        const float t0 = bossTurret(boss->work, 0).x, t1 = bossTurret(boss->work, 1).x;
        std::vector<int> turret0, turret1, volleys;
        for (int i = 0; i < 120; ++i) {
            const auto list = at(calls, i);
            int expected = 0;
            if (i < 80) {
                const int m = i % 20;
                expected += m < streamCalls[level] ? streamShots[level] : 0;
                expected += m >= 10 && m < 10 + streamCalls[level] ? streamShots[level] : 0;
            } else if (i - 80 < volleyCalls[level]) {
                expected = 8 * (level == 3 && i - 80 >= 20 ? 3 : 1);
                volleys.push_back(i);
            }
            EXPECT_EQ(count(list, 21), expected) << level << " " << i;
            for (const auto& s : list) {
                if (s.type != 21 || i >= 80) continue;
                if (s.x == t0 && (turret0.empty() || turret0.back() != i)) turret0.push_back(i);
                if (s.x == t1 && (turret1.empty() || turret1.back() != i)) turret1.push_back(i);
            }
            const bool ring = i % 10 == 0 && i < 100;
            const int c = (i / 10) % 2 == 0 ? 3 : 4;
            EXPECT_EQ(count(list, 60), ring ? (level == 0 ? 5 : 7) * c : 0) << level << " " << i;
            EXPECT_EQ(count(list, 49), ring && level == 3 ? 6 * c : 0) << level << " " << i;
        }
        EXPECT_EQ(volleys.front(), 80);
        EXPECT_EQ(volleys.back(), 79 + volleyCalls[level]) << level;
        if (level == 0) {
            EXPECT_EQ(turret0, (std::vector<int>{0, 1, 2, 3, 20, 21, 22, 23, 40, 41, 42, 43, 60, 61, 62, 63}));
            EXPECT_EQ(turret1, (std::vector<int>{10, 11, 12, 13, 30, 31, 32, 33, 50, 51, 52, 53, 70, 71, 72, 73}));
        }
        if (level >= 2) {
            for (const auto& s : at(calls, 119)) {
                if (s.type == 21) EXPECT_FLOAT_EQ(s.speed, 970.0f);
            }
        }
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

// Attack B: the launch at call 0 only, the down-shots in threes, the sweeps
// at calls 50-89 meeting straight down at call 66.
TEST_F(St05mboss2Test, AttackBCallListsByLevel) {
    const int period[4] = {10, 8, 6, 6}, sweepEvery[4] = {3, 2, 1, 1}, turrets[4] = {4, 4, 8, 12};
    const int32_t downTypes[3] = {143, 141, 139};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const Calls calls = runCalls(boss, kAttackB, 100);
        ASSERT_EQ(calls.size(), 100u) << level;
        EXPECT_EQ(launched().size(), 8u) << "eight at call 0 and no more";
        for (int i = 0; i < 100; ++i) {
            const auto list = at(calls, i);
            const int m = i % period[level];
            for (int t = 0; t < 3; ++t) {
                EXPECT_EQ(count(list, downTypes[t]), m == t ? turrets[level] : 0) << level << " " << i;
            }
            const bool sweep = i >= 50 && i < 90 && (i - 50) % sweepEvery[level] == 0;
            EXPECT_EQ(count(list, 4), sweep ? 2 * (level >= 2 ? 5 : 3) : 0) << level << " " << i;
        }
        const auto meet = at(calls, 66);
        if (level >= 1) {
            const int shotsPerFan = level >= 2 ? 5 : 3;
            std::vector<int32_t> angles;
            for (const auto& s : meet) {
                if (s.type == 4) angles.push_back(s.angle);
            }
            ASSERT_EQ(int(angles.size()), 2 * shotsPerFan);
            EXPECT_EQ(angles[size_t(shotsPerFan / 2)], 512);
            EXPECT_EQ(angles[size_t(shotsPerFan + shotsPerFan / 2)], 512);
        }
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

// The launched enemies: leg counts 1-8 by turret, waypoints by parity, the
// trail folded on the launch point, the boss as parent.
TEST_F(St05mboss2Test, LaunchedEnemiesChooseWaypointsByLegParity) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        gameRandSeed(seed);
        ObjTask* boss = parkedBoss();
        runCalls(boss, kAttackB, 1);
        const std::vector<ObjTask*> parts = launched();
        ASSERT_EQ(parts.size(), 8u);
        for (size_t k = 0; k < parts.size(); ++k) {
            ObjWork* w = parts[k]->work;
            EnemyFields& p = enemy(w);
            const ObjPoint launch = bossTurret(boss->work, int32_t(14 + k));
            EXPECT_EQ(w->kind, 117);
            EXPECT_EQ(p.loopCount, int32_t(k + 1));
            EXPECT_EQ(objRefWork(parts[k]->parent), boss->work);
            for (int t = 0; t < kSt05mboss2TrailEntries; ++t) {
                EXPECT_FLOAT_EQ(p.trail[t].x, launch.x);
                EXPECT_FLOAT_EQ(p.trail[t].y, launch.y);
            }
            parts[k]->act(parts[k]);
            const bool left = (k + 1) % 2 == 1;
            EXPECT_GE(p.steerTarget.x, left ? -8.0f : 192.0f) << seed << " " << k;
            EXPECT_LE(p.steerTarget.x, left ? 31.0f : 231.0f) << seed << " " << k;
            EXPECT_GE(p.steerTarget.y, 125.0f);
            EXPECT_LE(p.steerTarget.y, 174.0f);
        }
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

// Trail entry k holds the head's place 3k to 3k + 2 frames back.
TEST_F(St05mboss2Test, TheTrailFollowsTheHead) {
    ObjTask* part = spawnBoss(117, 100.0f, 100.0f);
    ASSERT_NE(part, nullptr);
    EnemyFields& p = enemy(part->work);
    std::vector<ObjPoint> history;
    for (int f = 0; f < 60; ++f) {
        part->act(part);
        history.push_back({part->work->x, part->work->y});
    }
    const int now = int(history.size()) - 1;
    for (int k = 0; k < kSt05mboss2TrailEntries; ++k) {
        bool found = false;
        for (int back = 3 * k; back <= 3 * k + 2; ++back) {
            const ObjPoint h = history[size_t(now - back)];
            found = found || (h.x == p.trail[k].x && h.y == p.trail[k].y);
        }
        EXPECT_TRUE(found) << k;
    }
}

// After the flag: turned down, the first volley 30 frames on, then every
// 21, 11 or 9 frames by level (the pause of 4 raised to 8).
TEST_F(St05mboss2Test, LeavingVolleysByLevel) {
    const int interval[4] = {21, 11, 9, 9};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter(112.0f, 280.0f);
        ObjTask* part = spawnBoss(117, 60.0f, 60.0f);
        ASSERT_NE(part, nullptr);
        for (int f = 0; f < 3; ++f) runFrame(part);
        ASSERT_EQ(enemy(part->work).subState, 1);
        st05mboss2LeaveFlag = 1;
        shots.clear();
        const int seen = frame;
        runFrame(part);
        EXPECT_EQ(enemy(part->work).subState, 2);
        EXPECT_EQ(enemy(part->work).attackPattern, 3);
        std::vector<int> volleys;
        for (int f = 0; f < 90; ++f) {
            const size_t before = shots.size();
            runFrame(part);
            if (shots.size() > before) volleys.push_back(frame - 1 - seen);
        }
        ASSERT_GE(volleys.size(), 3u) << level;
        EXPECT_EQ(volleys[0], 30) << level;
        EXPECT_EQ(volleys[1] - volleys[0], interval[level]) << level;
        EXPECT_EQ(volleys[2] - volleys[1], interval[level]) << level;
        EXPECT_EQ(count(shots, 3) / int(volleys.size()), level == 3 ? 3 : 1) << level;
        EXPECT_EQ(part->work->heading, 512) << "turned straight down";
        st05mboss2LeaveFlag = 0;
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

// With only three tasks free at the launch, the first three enemies come
// and the boss runs on unharmed.
TEST_F(St05mboss2Test, ALaunchIntoAFullPoolSkipsTheMissing) {
    ObjTask* boss = parkedBoss();
    std::vector<ObjTask*> fillers;
    while (ObjTask* t = OBJtaskCreate(nullptr, 0, objTag("FILL"))) {
        t->state = 12345;
        fillers.push_back(t);
    }
    for (int n = 0; n < 3; ++n) {
        OBJtaskRelease(fillers.back());
        fillers.pop_back();
    }
    runCalls(boss, kAttackB, 3);
    EXPECT_EQ(launched().size(), 3u);
    EXPECT_EQ(boss->state, kObjStateRun);
    EXPECT_EQ(enemy(boss->work).attackPattern, 3);
    const std::vector<ObjTask*> parts = launched();
    ASSERT_EQ(parts.size(), 3u);
    for (size_t k = 0; k < parts.size(); ++k) EXPECT_EQ(enemy(parts[k]->work).loopCount, int32_t(k + 1));
}

// The boss's death ends every launched enemy still alive through the sweep.
TEST_F(St05mboss2Test, ItsDeathEndsTheLaunchedEnemies) {
    ObjTask* boss = parkedBoss();
    runCalls(boss, kAttackB, 1);
    ASSERT_EQ(launched().size(), 8u);
    enemy(boss->work).formHp[0] = 0;
    enemy(boss->work).hp = 0;
    enemyStartDying(boss->work);
    for (int f = 0; f < 600 && !launched().empty(); ++f) runEnemiesFrame();
    EXPECT_TRUE(launched().empty());
}

// A motion without the launch locators: each enemy is launched where its
// turret was last seen, the boss's own position before any.
TEST_F(St05mboss2Test, AMissingLocatorLaunchesFromTheBoss) {
    std::vector<bossfixture::Turret> turrets = st05mboss2Turrets();
    turrets.resize(14);
    releasePSBObject("st05mboss2");
    cacheBossMotion("st05mboss2", {{"st05mboss2", {{"form_1", kForm1Frames}, {"form_2", kForm2Frames}}, turrets}});
    ObjTask* boss = parkedBoss();
    runCalls(boss, kAttackB, 1);
    const std::vector<ObjTask*> parts = launched();
    ASSERT_EQ(parts.size(), 8u);
    for (ObjTask* part : parts) {
        EXPECT_FLOAT_EQ(part->work->x, boss->work->x);
        EXPECT_FLOAT_EQ(part->work->y, boss->work->y);
    }
    EXPECT_FLOAT_EQ(bossTurret(boss->work, 13).x, boss->work->x + 30.0f) << "the found ones still count";
}

// The leave flag is stage state: the stage load clears it and the state
// hash sees it.
TEST_F(St05mboss2Test, TheLeaveFlagIsClearedAtStageLoadAndHashed) {
    st05mboss2LeaveFlag = 0;
    const uint64_t before = gameStateHash();
    st05mboss2LeaveFlag = 1;
    EXPECT_NE(gameStateHash(), before);
    bossFlagsClear();
    EXPECT_EQ(st05mboss2LeaveFlag, 0);
    EXPECT_EQ(gameStateHash(), before);
}

// Before the leave: the first volley in its 30th frame, then one every 73
// (a frame to start each burst and its pause of 72); fans of lines of 1, 3,
// 9 or 9 shots by level.
TEST_F(St05mboss2Test, VolleysBeforeTheLeaveByLevel) {
    const int shotsPerVolley[4] = {1, 3, 9, 9};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter(112.0f, 280.0f);
        ObjTask* part = spawnBoss(117, 60.0f, 60.0f);
        ASSERT_NE(part, nullptr);
        shots.clear();
        std::vector<int> volleys;
        for (int f = 1; f <= 180; ++f) {
            const size_t before = shots.size();
            runFrame(part);
            if (shots.size() > before) {
                volleys.push_back(f);
                EXPECT_EQ(int(shots.size() - before), shotsPerVolley[level]) << level << " " << f;
            }
        }
        EXPECT_EQ(volleys, (std::vector<int>{30, 103, 176})) << level;
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

}  // namespace
