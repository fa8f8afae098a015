// Kind 81, the stage-2 mid-boss: its init and turrets over the marker
// pivots, the entry and attack timing, the call lists of its three attacks
// by rank level and the frozen and re-armed turrets.
#include <gtest/gtest.h>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_sprite.h"
#include "game/core/game_sequence.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"
#include "tests/game/bosses/sprite_boss_fixture.h"

namespace {

class St02mbossTest : public SpriteBossFixture {
protected:
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(81, 112.0f, 150.0f);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 9;
        return boss;
    }
};

TEST_F(St02mbossTest, InitArmsFourTurretsOverTheMarkers) {
    soundLayerState().soundGuard.fill(0);
    makeFighter(112.0f, 300.0f);
    ObjTask* boss = spawnBoss(81, 112.0f, 100.0f);
    ASSERT_NE(boss, nullptr);
    ObjWork* work = boss->work;
    const EnemyFields& e = enemy(work);
    EXPECT_EQ(boss->release, TSKgameCtrlKill);
    EXPECT_EQ(work->draw, TSKst02mbossDraw);
    EXPECT_EQ(work->hit, TSKenemyHit);
    EXPECT_EQ(work->attack, TSKst02mbossTurret);
    EXPECT_EQ(work->motionSlot0, -1);
    EXPECT_EQ(work->motionSlot1, -1);
    EXPECT_EQ(e.sizeClass, 3);
    EXPECT_EQ(e.score, 200000u);
    EXPECT_EQ(e.entryWait, 120);
    EXPECT_GT(soundLayerState().soundGuard[6], 0);
    EXPECT_EQ(e.aimSlots[0].armed, 0);
    const ObjPoint offsets[5] = {{0, 0}, {-40, 19}, {39, 19}, {-40, -52}, {39, -52}};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(e.aimSlots[k].armed, 1) << k;
        EXPECT_FLOAT_EQ(e.aimSlots[k].offsetX, offsets[k].x) << k;
        EXPECT_FLOAT_EQ(e.aimSlots[k].offsetY, offsets[k].y) << k;
        EXPECT_EQ(e.aimSlots[k].turnLimit, 16);
        EXPECT_EQ(e.aimSlots[k].param, 10);
    }
    // Aimed from where the record stood in its init: the spawner places it after.
    EXPECT_EQ(e.aimSlots[1].heading, enemyAngleToPlayer(-40.0f, 19.0f));
    runFrame(boss);
    EXPECT_EQ(e.aimSlots[1].heading, (enemyAngleToPlayer(-40.0f, 19.0f) + 16) & 1023) << "turning 16 a frame";
    const ObjPoint muzzle = bossSlotMuzzle(work, 1);
    const ObjPoint base = bossSlotBase(work, 1);
    EXPECT_NEAR(std::hypot(muzzle.x - base.x, muzzle.y - base.y), 10.0f, 1e-4f);
}

TEST_F(St02mbossTest, HitPoints) {
    const struct {
        int32_t system, mode, hp;
    } cases[] = {{0, 2, 49152}, {2, 2, 39321}, {0, 0, 39321}, {2, 0, 31456}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(81);
        EXPECT_EQ(enemy(boss->work).hp, c.hp) << c.system << " " << c.mode;
        OBJtaskRelease(boss);
    }
}

TEST_F(St02mbossTest, EntryThenAttackAAfter180AndCEndedByHeadingDown) {
    makeFighter();
    ObjTask* boss = spawnBoss(81);
    EnemyFields& e = enemy(boss->work);
    const int entry = runUntil(boss, [&] { return e.phase == 1; });
    EXPECT_EQ(entry, 31);
    EXPECT_EQ(e.entryWait, 60) << "a fresh 60-frame wait";
    runFrame(boss);
    EXPECT_EQ(e.attackPattern, 1) << "attack A set on the next update";
    EXPECT_EQ(runUntil(boss, [&] { return e.entryWait == 0; }), 59);
    // The schedule ran once on the frame the wait ran out: 179 more.
    EXPECT_EQ(runUntil(boss, [&] { return e.shotIndex == 1; }), 179);
    runUntil(boss, [&] { return e.phase == 3 && e.attackPattern == 6; }, 5000);
    ASSERT_EQ(e.phase, 3);
    runFrames(boss, 200);
    EXPECT_EQ(e.phase, 3) << "C runs on";
    boss->work->heading = 512;
    bossHalt(boss->work);
    e.steerMode = 0;
    runFrame(boss);
    EXPECT_EQ(e.phase, 1);
    EXPECT_EQ(e.attackPattern, 0);
    runFrame(boss);
    EXPECT_EQ(e.attackPattern, 1) << "the cycle restarts with A";
}

TEST_F(St02mbossTest, AttackAByLevelFreezingTurretsOneAndTwo) {
    const int fan[4] = {1, 3, 3, 5};
    const int lines[4] = {3, 9, 15, 35};
    const int centre[4] = {5, 9, 15, 29};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        EnemyFields& e = enemy(boss->work);
        bossStartAttack(boss->work, {1, 8, 5, 180, 3, 48, 0});
        std::map<int, std::vector<bossfixture::Shot>> calls;
        for (int guard = 0; guard < 3000 && e.attackPattern != 0; ++guard) {
            const int i = e.shotIndex, burst = e.volleyIndex;
            const size_t before = shots.size();
            runFrame(boss);
            if (e.shotIndex != i + 1) continue;
            calls[burst * 1000 + i].assign(shots.begin() + long(before), shots.end());
            EXPECT_EQ(e.aimSlots[1].armed, e.shotsLeft == 0 ? 1 : 0) << level << " " << i;
            EXPECT_EQ(e.aimSlots[3].armed, 1);
        }
        ASSERT_EQ(calls.size(), 24u) << level;
        for (const auto& [key, list] : calls) {
            const int burst = key / 1000, i = key % 1000;
            EXPECT_EQ(count(list, 133), 2 * fan[level]) << level << " " << key;
            EXPECT_EQ(count(list, 54), burst >= 1 && i == 5 ? 2 * lines[level] : 0) << level << " " << key;
            EXPECT_EQ(count(list, 48), burst == 2 && i % 4 == 0 ? centre[level] : 0) << level << " " << key;
            if (level == 2) {
                // Turret 1 steps by i (all on one angle at call 0); turret 2 by 80 - 7i.
                EXPECT_EQ((list[1].angle - list[0].angle + 1024) % 1024, i) << key;
                EXPECT_EQ((list[4].angle - list[3].angle + 1024) % 1024, 80 - 7 * i) << key;
            }
        }
        nextLevel();
    }
}

TEST_F(St02mbossTest, AttackBByLevel) {
    const int down[4] = {5, 8, 12, 16};
    const int side[4] = {0, 1, 3, 5};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {3, 80, 4, 60, 1, 0, 0}, 80);
        ASSERT_EQ(calls.size(), 80u);
        for (const auto& [i, list] : calls) {
            const int s = i % 20;
            EXPECT_EQ(count(list, 30), s < down[level] ? 1 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 166), i % 20 == 0 ? 1 : 0) << level << " " << i;
            if (i % 40 == 0) {
                EXPECT_EQ(list[size_t(count(list, 30))].angle, level == 0 ? 620 : 576);
            }
            if (i % 40 == 20) {
                EXPECT_EQ(list[size_t(count(list, 30))].angle, level == 0 ? 404 : 448);
            }
            const int sides = int(s < side[level]) + int(s >= 10 && s < 10 + side[level]);
            EXPECT_EQ(count(list, 158), sides) << level << " " << i;
        }
        EXPECT_EQ(enemy(boss->work).aimSlots[1].armed, 1);
        EXPECT_EQ(enemy(boss->work).aimSlots[2].armed, 1);
        EXPECT_EQ(enemy(boss->work).aimSlots[3].armed, 1);
        nextLevel();
    }
}

TEST_F(St02mbossTest, AttackCByLevel) {
    const int fan[4] = {3, 5, 5, 7};
    const int centre[4] = {0, 2, 4, 6};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {6, 9999, 8, 50, 1, 16, 0}, 40);
        ASSERT_EQ(calls.size(), 40u);
        for (const auto& [i, list] : calls) {
            EXPECT_EQ(count(list, 50), fan[level]) << level << " " << i;
            const bool aimed = i > 10 && i % 4 == 0;
            EXPECT_EQ(count(list, 23), aimed ? centre[level] : 0) << level << " " << i;
            EXPECT_EQ(count(list, 20), aimed && level == 3 ? 6 : 0) << level << " " << i;
            const ObjPoint muzzle = bossSlotMuzzle(boss->work, i % 2 == 0 ? 3 : 4);
            EXPECT_NEAR(list[0].y, muzzle.y, 12.0f) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(St02mbossTest, TurretFramesBySixteenths) {
    const struct {
        int32_t heading, frame;
    } cases[] = {{0, 5752}, {31, 5752}, {32, 5753}, {1023, 5752}, {-1, 5752}, {512, 5760}, {991, 5767}};
    for (const auto& c : cases) EXPECT_EQ(bossDirectionFrame(5752, c.heading), c.frame) << c.heading;
}

}  // namespace
