// Kind 100, the stage-1 boss, over a "st01boss" of known label lengths: its
// init, the phase trace through the form change, the call lists of its six
// attacks by rank level, its linked lasers and its death into the stage
// clear.
#include <gtest/gtest.h>

#include <map>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/core/draw_store.h"
#include "game/core/sprite_frames.h"
#include "game/stages/enemies/enemy_damage.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

constexpr int kAppear = 30, kDefault = 20, kStart = 12, kWait = 10, kEnd = 8, kChange = 25, kDeath = 40;

class St01bossTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        const std::vector<bossfixture::Turret> turrets = bossfixture::turretRow(5);
        cacheBossMotion("st01boss", {{"st01boss_form1",
                                      {{"appear", kAppear}, {"form1_default", kDefault}, {"form1_att1_start", kStart},
                                       {"form1_att1_wait", kWait}, {"form1_att1_end", kEnd}},
                                      turrets},
                                     {"st01boss_form2",
                                      {{"form2_change", kChange}, {"form2_default", kDefault},
                                       {"form2_att1_start", kStart}, {"form2_att1_wait", kWait},
                                       {"form2_att1_end", kEnd}, {"death", kDeath}},
                                      turrets}});
    }
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(100);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 9;
        enemy(boss->work).steerMode = 0;  // held in place: no shot leaves the playfield
        boss->work->y = 80.0f;
        return boss;
    }
    // Runs an attack for at most `limit` calls; the shots by call index.
    std::map<int, std::vector<bossfixture::Shot>> runAttack(ObjTask* boss, const BossAttack& attack, int limit) {
        bossStartAttack(boss->work, attack);
        std::map<int, std::vector<bossfixture::Shot>> calls;
        for (int guard = 0; guard < 5000 && enemy(boss->work).attackPattern != 0; ++guard) {
            const int i = enemy(boss->work).shotIndex;
            if (i >= limit) break;
            const size_t before = shots.size();
            runFrame(boss);
            if (enemy(boss->work).shotIndex == i + 1) calls[i].assign(shots.begin() + long(before), shots.end());
        }
        return calls;
    }
    static int count(const std::vector<bossfixture::Shot>& list, int32_t type) {
        return int(std::count_if(list.begin(), list.end(), [&](const bossfixture::Shot& s) { return s.type == type; }));
    }
    void nextLevel() {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        shots.clear();
    }
};

TEST_F(St01bossTest, InitFillsTheShape) {
    ObjTask* boss = spawnBoss(100);
    ASSERT_NE(boss, nullptr);
    ObjWork* work = boss->work;
    const EnemyFields& e = enemy(work);
    EXPECT_EQ(boss->release, TSKst01bossFree);
    EXPECT_EQ(work->draw, TSKbossDraw);
    EXPECT_EQ(work->hit, TSKbossHit);
    EXPECT_EQ(work->attack, TSKst01bossTurret);
    EXPECT_FLOAT_EQ(work->depth, 710.0f);
    EXPECT_EQ(e.sizeClass, 4);
    EXPECT_EQ(e.formCount, 2);
    EXPECT_EQ(e.score, 500000u);
    EXPECT_EQ(e.entryWait, 110);
    EXPECT_EQ(e.motionState, 0);
    EXPECT_EQ(e.motionLength, kAppear);
}

TEST_F(St01bossTest, HitPointsOfBothForms) {
    const struct {
        int32_t system, mode, one, two;
    } cases[] = {{0, 2, 110592, 86016}, {2, 2, 88473, 68812}, {0, 0, 88473, 68812}, {2, 0, 70778, 55049}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(100);
        ASSERT_NE(boss, nullptr);
        EXPECT_EQ(enemy(boss->work).formHp[0], c.one);
        EXPECT_EQ(enemy(boss->work).formHp[1], c.two);
        EXPECT_EQ(enemy(boss->work).hp, c.one + c.two);
        OBJtaskRelease(boss);
    }
}

TEST_F(St01bossTest, PhaseTraceDepthMusicAndTheFormChange) {
    makeFighter();
    ObjTask* boss = spawnBoss(100);
    ObjWork* work = boss->work;
    EnemyFields& e = enemy(work);
    runFrames(boss, 89);
    EXPECT_NE(soundLayerState().currentMusicNumber, 0);
    runFrame(boss);
    EXPECT_EQ(soundLayerState().currentMusicNumber, 0) << "boss_a1 at age 90";
    runUntil(boss, [&] { return e.phase == 1; });
    EXPECT_FLOAT_EQ(work->depth, 430.0f);
    EXPECT_EQ(e.motionState, 1);
    EXPECT_GE(frame, 110);
    // Round 1 then round 2 of form 1, then back to round 1.
    std::vector<int32_t> states;
    runUntil(boss, [&] {
        if (states.empty() || states.back() != e.motionState) states.push_back(e.motionState);
        return e.phase == 1 && e.step == 1 && states.size() > 14;
    });
    const std::vector<int32_t> expected = {1, 2, 3, 4, 5, 6, 7, 1, 8, 9, 10, 11, 12, 13, 1, 2};
    EXPECT_EQ(states, expected);
    EXPECT_EQ(work->hitBoxCount, 4);
    // Form 1 beaten: the form change, phase 4 and then phase 5.
    hit(boss, 6, e.formHp[0]);
    runUntil(boss, [&] { return e.phase == 4; }, 400);
    ASSERT_EQ(e.phase, 4);
    runFrame(boss);
    EXPECT_EQ(e.motionState, 14);
    EXPECT_EQ(soundLayerState().layerTarget, 1);
    runUntil(boss, [&] { return e.phase == 5 && e.step == 2; }, 400);
    EXPECT_EQ(e.motionState, 17);
    EXPECT_EQ(e.attackPattern, 8);
    EXPECT_EQ(work->hitBoxCount, 5);
    runUntil(boss, [&] { return e.step == 5; }, 2000);
    EXPECT_EQ(e.attackPattern, 9);
    runFrames(boss, 600);
    EXPECT_EQ(e.step, 5) << "attack 9 never ends on its own";
}

TEST_F(St01bossTest, AttackOneByLevel) {
    const int upTo[4] = {4, 7, 9, 13};
    const int perVolley[4] = {1, 2, 3, 9};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {1, 95, 8, 60, 1, 0, 0}, 95);
        ASSERT_EQ(calls.size(), 95u) << level;
        for (const auto& [i, list] : calls) {
            const int m = i % 20;
            EXPECT_EQ(count(list, 49), i >= 41 && m <= upTo[level] ? 1 : 0) << level << " " << i;
            const int volleys = int(m <= 5 || i >= 80) + int((m >= 10 && m <= 15) || i >= 80);
            EXPECT_EQ(count(list, 4), volleys * perVolley[level]) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(St01bossTest, AttackTwoByLevel) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {2, 80, 8, 10, 1, 0, 0}, 80);
        const int every[4] = {8, 6, 4, 2};
        const int early[4] = {2, 2, 3, 5};
        const int centreEvery[4] = {0, 3, 3, 2};
        const int centre[4] = {0, 3, 5, 7};
        for (const auto& [i, list] : calls) {
            const int tens = (i - 50) / 10;
            const int late = i >= 50 ? (level >= 2 ? 2 * tens + 1 : tens + 1) : 0;
            EXPECT_EQ(count(list, 133), 2 * late) << level << " " << i;
            EXPECT_EQ(count(list, 48), i <= 40 && i % every[level] == 0 ? 2 * early[level] : 0) << level << " " << i;
            const bool fires = level > 0 && i >= 20 && i % centreEvery[level] == 0;
            EXPECT_EQ(count(list, 158), fires ? centre[level] : 0) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(St01bossTest, AttackThreeClosesInAndLinksTwoLasersAtCallForty) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    enemy(boss->work).phase = 2;  // the lasers hang from turrets 3 and 4
    enemy(boss->work).step = 9;
    const auto calls = runAttack(boss, {3, 60, 3, 60, 1, 0, 0}, 60);
    for (const auto& [i, list] : calls) {
        ASSERT_EQ(count(list, 51), 2) << i;
        EXPECT_EQ((list[1].angle - list[0].angle + 1024) % 1024, ((65 - i) * 12) % 1024) << i;
        EXPECT_EQ(count(list, 161), i == 40 ? 2 : 0) << i;
    }
    const EnemyFields& e = enemy(boss->work);
    ObjWork* a = objRefWork(e.partLink[0]);
    ObjWork* b = objRefWork(e.partLink[1]);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->kind, 161);
    runFrame(boss);
    EXPECT_FLOAT_EQ(a->x, bossTurret(boss->work, 3).x);
    EXPECT_FLOAT_EQ(b->x, bossTurret(boss->work, 4).x);
}

TEST_F(St01bossTest, TheLasersEndAsAttackFoursEndMotionStarts) {
    makeFighter();
    ObjTask* boss = spawnBoss(100);
    EnemyFields& e = enemy(boss->work);
    runUntil(boss, [&] { return e.phase == 2 && e.step == 2; });
    runUntil(boss, [&] { return objRefWork(e.partLink[0]) != nullptr; });
    ObjWork* a = objRefWork(e.partLink[0]);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(e.attackPattern, 3);
    runUntil(boss, [&] { return e.step == 5; });
    EXPECT_NE(a->lifeState, 10) << "still hanging through attack 4";
    runUntil(boss, [&] { return e.step == 6; });
    EXPECT_EQ(e.motionState, 13);
    EXPECT_EQ(a->lifeState, 10);
    EXPECT_EQ(e.partLink[0].serial, 0u);
    EXPECT_EQ(e.partLink[1].serial, 0u);
}

TEST_F(St01bossTest, AttackFourByLevel) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {4, 40, 16, 100, 1, 0, 0}, 40);
        ASSERT_EQ(calls.size(), 40u);
        const int fan[4] = {3, 3, 3, 5};
        for (const auto& [i, list] : calls) {
            bool centre = level <= 1 ? (i < 20 ? i % 4 == 0 : i % 2 == 0) : level == 2 ? (i >= 20 || i % 2 == 0)
                                                                                        : (i >= 20 || i % 2 == 0);
            EXPECT_EQ(count(list, 40), centre ? fan[level] : 0) << level << " " << i;
            int side = 0;
            if (i >= 10 && level == 1 && i % 2 == 0) side = 2;
            if (i >= 10 && level == 2) side = 2;
            if (i >= 10 && level == 3) side = 6;
            EXPECT_EQ(count(list, 158), side) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(St01bossTest, AttackEightSpinsBothTurrets) {
    const int counts[4] = {2, 2, 3, 5};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {8, 70, 8, 10, 1, 0, 0}, 70);
        ASSERT_EQ(calls.size(), 70u);
        for (const auto& [i, list] : calls) {
            ASSERT_EQ(count(list, 135), 2 * counts[level]) << level << " " << i;
            const float three = level == 0 ? 110.0f : level == 1 ? float(2 * i + 110) : float(2 * i + 140);
            const float four = level == 3 ? float(3 * i + 140) : three;
            EXPECT_FLOAT_EQ(list.front().speed, three) << level << " " << i;
            EXPECT_FLOAT_EQ(list.back().speed, four) << level << " " << i;
            EXPECT_TRUE(list.front().sounds.count(17));
        }
        nextLevel();
    }
}

TEST_F(St01bossTest, AttackNineStreamsAndItsLaserEveryEightyCalls) {
    const int upTo[4] = {2, 3, 5, 7};
    const int per[4] = {1, 3, 3, 5};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {9, 99999, 4, 0, 99999, 0, 0}, 161);
        for (const auto& [i, list] : calls) {
            EXPECT_EQ(count(list, 16), 2) << level << " " << i;
            const int k = i % 14;
            EXPECT_EQ(count(list, 158) + count(list, 138), i >= 28 && k <= upTo[level] ? 2 * per[level] : 0)
                << level << " " << i;
            EXPECT_EQ(count(list, 161), i == 80 || i == 160 ? 1 : 0) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(St01bossTest, ALinkedLaserFreedFirstIsNeverRead) {
    ObjTask* boss = parkedBoss();
    enemy(boss->work).phase = 2;
    runAttack(boss, {3, 60, 3, 60, 1, 0, 0}, 41);
    EnemyFields& e = enemy(boss->work);
    ObjTask* laser = objRefTask(e.partLink[0]);
    ASSERT_NE(laser, nullptr);
    OBJtaskRelease(laser);
    runFrame(boss);  // the links follow: the gone one is skipped
    OBJtaskRelease(boss);  // TSKst01bossFree ends the other and frees the record
    SUCCEED();
}

TEST_F(St01bossTest, ARefusedLaserLeavesTheLinkEmpty) {
    ObjTask* boss = parkedBoss();
    enemy(boss->work).phase = 2;
    runAttack(boss, {3, 60, 3, 60, 1, 0, 0}, 40);
    enemyShotStop = 1;
    runUntil(boss, [&] { return enemy(boss->work).shotIndex > 40; }, 10);
    ASSERT_EQ(enemy(boss->work).shotIndex, 41);
    EXPECT_EQ(enemy(boss->work).partLink[0].serial, 0u);
    EXPECT_EQ(enemy(boss->work).partLink[1].serial, 0u);
    runFrame(boss);
    enemyShotStop = 0;
}

TEST_F(St01bossTest, DamageSmokeDrawsPairsByLife) {
    std::vector<SpriteFrame> frames(1842);
    for (SpriteFrame& row : frames) row.w = row.h = 8;
    const std::span<const SpriteFrame> before = OBJframeTable();
    OBJsetFrameTable(frames);
    ObjTask* boss = parkedBoss();
    ObjWork* work = boss->work;
    const struct {
        int32_t life, pairs;
    } cases[] = {{32768, 0}, {29492, 1}, {8, 10}};
    for (const auto& c : cases) {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        enemy(work).hp = c.life;
        enemy(work).frameCount = 5;
        TSKbossDraw(boss, work);
        ASSERT_EQ(OBJdrawStoreCount(), 2 * c.pairs) << c.life;
        for (int j = 0; j < c.pairs; ++j) {
            const DrawObj* under = OBJdrawStoreEntry(2 * j);
            const DrawObj* over = OBJdrawStoreEntry(2 * j + 1);
            EXPECT_EQ(under->frameId, 1830 + (5 + j) % 12);
            EXPECT_FLOAT_EQ(under->alpha, 0.7f);
            EXPECT_FLOAT_EQ(over->alpha, 1.0f);
            EXPECT_EQ(under->layer, 431);
        }
    }
    work->lifeState = 3;
    OBJdrawRequestsClear();
    OBJdrawFlush();
    TSKbossDraw(boss, work);
    EXPECT_EQ(OBJdrawStoreCount(), 0) << "none while dying";
    OBJsetFrameTable(before);
}

TEST_F(St01bossTest, FormTwoBeatenDiesIntoTheStageClear) {
    makeSequence();
    makeFighter();
    ObjTask* boss = spawnBoss(100);
    EnemyFields& e = enemy(boss->work);
    runUntil(boss, [&] { return e.phase == 1; });
    hit(boss, 6, e.formHp[0]);
    runUntil(boss, [&] { return e.phase == 5; }, 400);
    runUntil(boss, [&] { return e.step == 2; }, 400);
    hit(boss, 6, e.formHp[1]);
    ASSERT_EQ(boss->work->lifeState, 3);
    bool deathMotion = false;
    runUntil(boss, [&] {
        deathMotion = deathMotion || e.motionState == 22;
        return false;
    }, 3000);
    EXPECT_TRUE(deathMotion);
    EXPECT_EQ(boss->state, kObjStateEnd);
    EXPECT_NE(seqTask->state, kSeqRunning) << "the stage clear was called";
    EXPECT_EQ(task->motionSlots.color[size_t(boss->work->motionSlot0)], 0x7F7F7FFFu);
}

}  // namespace
