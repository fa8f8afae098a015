// Kind 82, the stage-3 mid-boss: its fifteen aim points, the turn into a
// mid-boss at entry wait 60, the give-up past stage frame 6800, the body
// plates, the call lists of its four attacks by rank level, the killing
// hit's explosions and its release.
#include <gtest/gtest.h>

#include <cmath>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_sprite.h"
#include "game/core/play_state.h"
#include "game/objects/effects.h"
#include "game/objects/wreckage.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/stage_field.h"
#include "tests/game/bosses/sprite_boss_fixture.h"

namespace {

constexpr ObjPoint kSt03Offsets[kSt03mbossAimPoints] = {
    {-14, 67}, {3, 47},  {-72, 9},  {-52, -8}, {-78, 65}, {-46, 29}, {-14, -2}, {33, 11},
    {47, 0},   {61, -14}, {75, -28}, {-18, -40}, {-4, -54}, {7, -68},  {21, -82},
};
constexpr int32_t kSt03Muzzles[kSt03mbossAimPoints] = {0, 0, 0, 0, 16, 16, 16, 8, 8, 8, 8, 8, 8, 8, 8};

class St03mbossTest : public SpriteBossFixture {
protected:
    void SetUp() override {
        SpriteBossFixture::SetUp();
        stageFrame = 4000;
        bossPresentFlag = 0;
    }
    void TearDown() override {
        stageFrame = -1;
        bossPresentFlag = 0;
        SpriteBossFixture::TearDown();
    }
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(82, 112.0f, 150.0f);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 9;
        return boss;
    }
    static std::vector<ObjWork*> effects(int32_t kind) {
        std::vector<ObjWork*> out;
        OBJtaskWalk(kEffectGroup, [&](ObjTask* t) {
            if (t->work != nullptr && t->work->kind == kind) out.push_back(t->work);
        });
        return out;
    }
};

TEST_F(St03mbossTest, InitAndHitPoints) {
    const struct {
        int32_t system, mode, hp;
    } cases[] = {{0, 2, 102400}, {2, 2, 81920}, {0, 0, 81920}, {2, 0, 65536}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(82);
        const EnemyFields& e = enemy(boss->work);
        EXPECT_EQ(e.hp, c.hp) << c.system << " " << c.mode;
        EXPECT_EQ(boss->release, TSKst03mbossKill);
        EXPECT_EQ(boss->work->hit, TSKst03mbossHit);
        EXPECT_EQ(boss->work->draw, TSKst03mbossDraw);
        EXPECT_EQ(e.sizeClass, 1);
        EXPECT_EQ(e.entryWait, 300);
        EXPECT_EQ(e.score, 800000u);
        EXPECT_EQ(e.explosionKind, 75);
        EXPECT_EQ(boss->work->leavesWreck, 0);
        EXPECT_FLOAT_EQ(boss->work->depth, 14.0f);
        EXPECT_FLOAT_EQ(e.aimOffset.x, -30.0f);
        EXPECT_FLOAT_EQ(e.aimOffset.y, 30.0f);
        EXPECT_EQ(e.shotCountdown, 60);
        OBJtaskRelease(boss);
    }
}

TEST_F(St03mbossTest, FifteenAimPointsAndTheirMuzzles) {
    makeFighter();
    ObjTask* boss = spawnBoss(82, 100.0f, 120.0f);
    ObjWork* work = boss->work;
    for (int32_t heading : {0, 256, 700}) {
        const float radians = float(heading) * 6.2831855f / 1024.0f;
        for (int k = 0; k < kSt03mbossAimPoints; ++k) {
            const EnemyAimSlot& slot = enemy(work).aimSlots[k];
            EXPECT_EQ(slot.armed, 1) << k;
            EXPECT_EQ(slot.turnLimit, 16);
            EXPECT_EQ(slot.param, kSt03Muzzles[k]) << k;
            EXPECT_FLOAT_EQ(slot.offsetX, kSt03Offsets[k].x) << k;
            EXPECT_FLOAT_EQ(slot.offsetY, kSt03Offsets[k].y) << k;
            enemy(work).aimSlots[k].heading = heading;
            const ObjPoint muzzle = bossSlotMuzzle(work, k);
            EXPECT_NEAR(muzzle.x, 100.0f + kSt03Offsets[k].x + float(kSt03Muzzles[k]) * std::sin(radians), 1e-3f) << k;
            EXPECT_NEAR(muzzle.y, 120.0f + kSt03Offsets[k].y - float(kSt03Muzzles[k]) * std::cos(radians), 1e-3f) << k;
        }
    }
}

TEST_F(St03mbossTest, TurretFramesBySixteenths) {
    const struct {
        int32_t heading, large, small;
    } cases[] = {{0, 5845, 5863}, {31, 5845, 5863}, {32, 5846, 5864}, {1023, 5845, 5863}, {-1, 5845, 5863},
                 {1100, 5846, 5864}};
    for (const auto& c : cases) {
        EXPECT_EQ(bossDirectionFrame(5845, c.heading), c.large) << c.heading;
        EXPECT_EQ(bossDirectionFrame(5863, c.heading), c.small) << c.heading;
    }
}

TEST_F(St03mbossTest, BecomesTheMidBossAtEntryWaitSixtyWhileStillUntouchable) {
    makeFighter();
    ObjTask* boss = spawnBoss(82);
    EnemyFields& e = enemy(boss->work);
    runUntil(boss, [&] { return e.entryWait == 61; });
    EXPECT_EQ(e.sizeClass, 1);
    EXPECT_EQ(bossPresentFlag, 0);
    EXPECT_EQ(bossGauges[0].maximum + bossGauges[1].maximum, 0);
    runFrame(boss);
    ASSERT_EQ(e.entryWait, 60);
    EXPECT_EQ(e.sizeClass, 3);
    EXPECT_EQ(bossPresentFlag, 1);
    EXPECT_EQ(bossGauges[0].maximum + bossGauges[1].maximum, e.hp);
    EXPECT_EQ(boss->work->hitBoxCount, 0);
    const int32_t hp = e.hp;
    hit(boss, 6, 500);
    EXPECT_EQ(e.hp, hp) << "still untouchable";
    runUntil(boss, [&] { return e.entryWait == 0; });
    EXPECT_EQ(boss->work->hitBoxCount, 6);
    hit(boss, 6, 500);
    EXPECT_EQ(e.hp, hp - 500);
}

TEST_F(St03mbossTest, StageFramePast6800EndsTheFightAtOnce) {
    makeFighter();
    ObjTask* boss = spawnBoss(82);
    EnemyFields& e = enemy(boss->work);
    runUntil(boss, [&] { return e.entryWait == 0 && e.phase == 1; });
    runFrame(boss);
    ASSERT_EQ(e.attackPattern, 1);
    stageFrame = 6800;
    runFrame(boss);
    EXPECT_EQ(e.phase, 1) << "not past 6800 yet";
    stageFrame = 6801;
    runFrame(boss);
    EXPECT_EQ(e.phase, 7);
    EXPECT_EQ(e.attackPattern, 0);
    EXPECT_EQ(e.sizeClass, 1);
    EXPECT_EQ(bossPresentFlag, 0);
    EXPECT_EQ(boss->work->hitBoxCount, 6) << "the boxes stay on that frame";
    runFrame(boss);
    EXPECT_EQ(boss->work->hitBoxCount, 0);
    EXPECT_EQ(e.attackPattern, 0);
    const size_t fired = shots.size();
    runFrames(boss, 100);
    EXPECT_EQ(shots.size(), fired);
}

TEST_F(St03mbossTest, PlatesOpenOverThirtySixFramesFromAttackC) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.phase = 2;
    e.stepCount = 1;
    bossStartAttack(boss->work, {3, 90, 9, 80, 1, 30, 0});
    runFrames(boss, 30);
    EXPECT_EQ(boss->work->animFrame, 0) << "shut through attack B";
    e.phase = 3;
    e.stepCount = 0;
    e.frameCount = 0;
    std::vector<int32_t> cells;
    for (int n = 0; n < 40; ++n) {
        runFrame(boss);
        cells.push_back(boss->work->animFrame);
    }
    EXPECT_EQ(cells[0], 1);
    EXPECT_EQ(cells[32], 11);
    EXPECT_EQ(cells[33], 12);
    EXPECT_EQ(cells[35], 12);
    EXPECT_EQ(cells[39], 12);
}

TEST_F(St03mbossTest, AttackAFansWidenWithTheBurst) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {1, 6, 6, 30, 5, 50, 0}, 6);
        ASSERT_EQ(calls.size(), 30u) << level;
        for (const auto& [key, list] : calls) {
            const int b = key / 1000, i = key % 1000;
            int per = level <= 1 ? b + 1 : b + 3;
            if (level == 0 && i > 3) per = 0;
            EXPECT_EQ(count(list, 133), 8 * per) << level << " " << key;
            EXPECT_EQ(count(list, 39), level == 3 && i == 0 ? 8 * (b + 4) : 0) << level << " " << key;
        }
        EXPECT_EQ(enemy(boss->work).aimSlots[7].armed, 1);
        nextLevel();
    }
}

TEST_F(St03mbossTest, AttackBStreamsTurnWithTheirTurrets) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {3, 90, 9, 80, 1, 30, 0}, 90);
        ASSERT_EQ(calls.size(), 90u);
        for (const auto& [i, list] : calls) {
            const bool fires = level >= 1 || i % 2 == 0;
            EXPECT_EQ(count(list, 37), fires ? 4 : 0) << level << " " << i;
            const int even = fires ? 4 * (level == 3 ? 2 : 1) : 0;
            EXPECT_EQ(count(list, level <= 1 ? 158 : 4), even) << level << " " << i;
            if (!fires) continue;
            EXPECT_EQ(list[0].angle, (420 + 40 * i) % 1024) << level << " " << i;
            if (level < 3) {
                EXPECT_EQ(list[1].angle, (880 + 28 * i) % 1024) << level << " " << i;
            }
        }
        nextLevel();
    }
}

TEST_F(St03mbossTest, AttackBTurnsTheTurretSprites) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    bossStartAttack(boss->work, {3, 90, 9, 80, 1, 30, 0});
    runUntil(boss, [&] { return e.shotIndex == 6; });
    EXPECT_EQ(e.aimSlots[8].heading, 880 + 28 * 5) << "unwrapped; the draw wraps it";
    EXPECT_EQ(e.aimSlots[7].heading, 420 + 40 * 5);
    EXPECT_EQ(e.aimSlots[8].armed, 0);
    runFrames(boss, 9 * 10);
    EXPECT_EQ(e.aimSlots[8].heading, 880 + 28 * 15);
}

TEST_F(St03mbossTest, AttackCLargeTurretsSilentForTwentyCalls) {
    const int clusters[4] = {9, 15, 25, 25};
    const int q[4] = {4, 4, 5, 8};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {6, 60, 6, 30, 1, 16, 0}, 60);
        ASSERT_EQ(calls.size(), 60u);
        for (const auto& [i, list] : calls) {
            const int s = i % 20;
            const bool body = s == 0 || s == 4 || s == 9 || s == 14;
            EXPECT_EQ(count(list, 53), body ? clusters[level] : 0) << level << " " << i;
            const int large = i >= 20 && s < q[level] ? 3 * (level == 0 ? 2 : 4) : 0;
            EXPECT_EQ(count(list, 135), large) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(St03mbossTest, AttackDTurnsThroughItsPoints) {
    const int lines[4] = {3, 6, 12, 35};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {8, 99999, 20, 200, 1, 16, 0}, 12);
        ASSERT_EQ(calls.size(), 12u);
        int large = 0;
        for (const auto& [i, list] : calls) {
            EXPECT_EQ(count(list, 6), lines[level]) << level << " " << i;
            const ObjPoint point = bossSlotBase(boss->work, i % 4);
            EXPECT_NEAR(list[0].x, point.x, 4.0f) << level << " " << i;
            const bool fires = level >= 2 || i % 2 == 0;
            EXPECT_EQ(count(list, 169), fires ? 2 : 0) << level << " " << i;
            if (fires) ++large;
        }
        EXPECT_EQ(enemy(boss->work).aimWords[18], 12);
        EXPECT_EQ(enemy(boss->work).aimWords[19], large);
        nextLevel();
    }
}

TEST_F(St03mbossTest, TheKillingHitExplodesAtEveryPoint) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    ObjWork* work = boss->work;
    work->x = 100.7f;
    work->y = 120.4f;
    hit(boss, 6, 100);
    EXPECT_TRUE(effects(65).empty());
    hit(boss, 6, enemy(work).hp + 10);
    ASSERT_EQ(work->lifeState, 3);
    const std::vector<ObjWork*> blasts = effects(65);
    ASSERT_EQ(blasts.size(), 15u);
    EXPECT_FLOAT_EQ(blasts[0]->x, 100.0f - 14.0f);
    EXPECT_FLOAT_EQ(blasts[0]->y, 120.0f + 67.0f);
    EXPECT_FLOAT_EQ(blasts[4]->x, 100.0f - 78.0f - 1.0f);
    EXPECT_FLOAT_EQ(blasts[4]->y, 120.0f + 65.0f + 6.0f);
}

TEST_F(St03mbossTest, AHitterThatNoLongerResolvesDoesNoDamage) {
    ObjTask* boss = parkedBoss();
    const int32_t hp = enemy(boss->work).hp;
    ObjTask* hitter = OBJtaskCreate(nullptr, 6, objTag("TEST"));
    hitter->work = OBJworkNew();
    hitter->work->life = 1000;
    hitter->release = TSKgameCtrlKill;
    boss->work->lastCollider = objRef(hitter);
    OBJtaskRelease(hitter);
    TSKst03mbossHit(boss, boss->work);
    EXPECT_EQ(enemy(boss->work).hp, hp);
}

TEST_F(St03mbossTest, ReleasedAliveOrDyingClearsTheBossPresentFlag) {
    for (bool dying : {false, true}) {
        makeFighter();
        ObjTask* boss = parkedBoss();
        bossPresentFlag = 1;
        if (dying) {
            hit(boss, 6, enemy(boss->work).hp + 10);
            runFrames(boss, 3);
            ASSERT_EQ(boss->work->lifeState, 3);
            bossPresentFlag = 1;
        }
        OBJtaskRelease(boss);
        EXPECT_EQ(bossPresentFlag, 0) << dying;
        nextLevel();
    }
}

TEST_F(St03mbossTest, DiesIntoItsOwnWreck) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.followedLayer = 1;
    e.sizeClass = 3;  // as it is once its entry wait passed 60
    hit(boss, 6, e.hp + 10);
    bool plates = true;
    runUntil(boss, [&] {
        const bool done = e.deathPhase == 5 && e.deathTimer == 0;
        plates = plates && (frame < 2 || boss->work->animFrame == 13);
        return done;
    }, 2000);
    ASSERT_EQ(e.deathPhase, 5);
    EXPECT_TRUE(plates);
    int wrecks = 0;
    OBJtaskWalk(kWreckGroup, [&](ObjTask* t) { wrecks += t->work != nullptr ? 1 : 0; });
    EXPECT_EQ(wrecks, 5);
    EXPECT_EQ(effects(74).size(), 2u);
    runFrame(boss);
    OBJtaskWalk(kWreckGroup, [&](ObjTask*) { --wrecks; });
    EXPECT_EQ(wrecks, 0) << "once";
}

}  // namespace
