// Kind 101, the stage-2 boss, over a "st02boss" of known label lengths, and
// its appear visual, kind 121: the init, the phase trace of both forms, the
// exhaust and smoke, the call lists of its seven attacks by rank level and
// the visual's colour word.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/core/collision.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/field_layers.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

constexpr int kSt02Default = 20, kSt02Start = 12, kSt02Wait = 10, kSt02End = 8, kSt02Change = 25, kSt02Death = 40, kSt02Appear = 16;

// Eight turrets 00..07 at (10 n - 30, 20 + n) and the smoke points.
std::vector<bossfixture::Turret> st02bossPoints(bool smoke) {
    std::vector<bossfixture::Turret> points = bossfixture::turretRow(8);
    if (!smoke) return points;
    for (int n = 0; n < 4; ++n) points.push_back({"smoke0" + std::to_string(n), float(-50 + 30 * n), -40.0f});
    return points;
}

class St02bossTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        cacheMotion(true);
    }
    // Replaces the cached file (no slot may be open on it).
    void cacheMotion(bool smoke) {
        if (auto old = psbCache().find("st02boss"); old != psbCache().end()) {
            delete old->second;
            psbCache().erase(old);
        }
        const std::vector<bossfixture::Turret> points = st02bossPoints(smoke);
        cacheBossMotion("st02boss", {{"st02boss_form1",
                                      {{"appear", kSt02Appear}, {"form1_default", kSt02Default}, {"form1_att1_start", kSt02Start},
                                       {"form1_att1_wait", kSt02Wait}, {"form1_att1_end", kSt02End}},
                                      points},
                                     {"st02boss_form2",
                                      {{"form2_change", kSt02Change}, {"form2_default", kSt02Default},
                                       {"form2_att1_start", kSt02Start}, {"form2_att1_wait", kSt02Wait},
                                       {"form2_att1_end", kSt02End}, {"death", kSt02Death}},
                                      points}});
    }
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(101);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 9;
        enemy(boss->work).steerMode = 0;
        boss->work->y = 80.0f;
        return boss;
    }
    std::map<int, std::vector<bossfixture::Shot>> runAttack(ObjTask* boss, const BossAttack& attack, int limit) {
        bossStartAttack(boss->work, attack);
        std::map<int, std::vector<bossfixture::Shot>> calls;
        for (int guard = 0; guard < 20000 && enemy(boss->work).attackPattern != 0; ++guard) {
            const int i = enemy(boss->work).shotIndex;
            const int burst = enemy(boss->work).volleyIndex;
            if (i >= limit && enemy(boss->work).shotsLeft > 0) break;
            const size_t before = shots.size();
            runFrame(boss);
            if (enemy(boss->work).shotIndex == i + 1) {
                auto& list = calls[burst * 1000 + i];
                list.assign(shots.begin() + long(before), shots.end());
            }
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
    static std::vector<ObjWork*> effects(int32_t kind) {
        std::vector<ObjWork*> out;
        OBJtaskWalk(kEffectGroup, [&](ObjTask* t) {
            if (t->work != nullptr && t->work->kind == kind) out.push_back(t->work);
        });
        return out;
    }
    static void clearEffects() {
        OBJtaskWalk(kEffectGroup, [](ObjTask* t) { OBJtaskRelease(t); });
    }
};

TEST_F(St02bossTest, InitFillsTheShapeWithoutAFlySound) {
    soundLayerState().soundGuard.fill(0);
    ObjTask* boss = spawnBoss(101);
    ASSERT_NE(boss, nullptr);
    ObjWork* work = boss->work;
    const EnemyFields& e = enemy(work);
    EXPECT_EQ(boss->release, TSKgameCtrlKill);
    EXPECT_EQ(work->draw, TSKbossDraw);
    EXPECT_EQ(work->hit, TSKenemyHit);
    EXPECT_EQ(work->attack, TSKst02bossTurret);
    EXPECT_FLOAT_EQ(work->depth, 430.0f);
    EXPECT_EQ(e.sizeClass, 4);
    EXPECT_EQ(e.score, 750000u);
    EXPECT_EQ(e.entryWait, 60);
    EXPECT_EQ(e.motionState, 24) << "no appear label: it opens with form1_default";
    EXPECT_FLOAT_EQ(e.aimOffset.x, 0.0f);
    EXPECT_FLOAT_EQ(e.aimOffset.y, 15.0f);
    EXPECT_EQ(soundLayerState().soundGuard[5], 0);
}

TEST_F(St02bossTest, HitPointsOfBothForms) {
    const struct {
        int32_t system, mode, one, two;
    } cases[] = {{0, 2, 110592, 106496}, {2, 2, 88473, 85196}, {0, 0, 88473, 85196}, {2, 0, 70778, 68156}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(101);
        ASSERT_NE(boss, nullptr);
        EXPECT_EQ(enemy(boss->work).formHp[0], c.one);
        EXPECT_EQ(enemy(boss->work).formHp[1], c.two);
        OBJtaskRelease(boss);
    }
}

TEST_F(St02bossTest, PhaseTraceOfBothFormsAndTheEndlessPhaseSix) {
    makeFighter();
    ObjTask* boss = spawnBoss(101);
    ObjWork* work = boss->work;
    EnemyFields& e = enemy(work);
    std::vector<int32_t> states;
    runUntil(boss, [&] {
        if (frame == 89) {
            EXPECT_NE(soundLayerState().currentMusicNumber, 2);
        }
        if (frame == 90) {
            EXPECT_EQ(soundLayerState().currentMusicNumber, 2) << "boss_b1 at age 90";
        }
        if (states.empty() || states.back() != e.motionState) states.push_back(e.motionState);
        return e.phase == 1 && e.step == 1 && states.size() > 14;
    });
    const std::vector<int32_t> formOne = {24, 25, 26, 27, 28, 29, 30, 24, 31, 32, 33, 34, 35, 36, 24, 25};
    EXPECT_EQ(states, formOne);
    EXPECT_EQ(work->hitBoxCount, 3);
    EXPECT_FLOAT_EQ(work->hitBoxes[2].halfWidth, 60.0f);
    hit(boss, 6, e.formHp[0]);
    runUntil(boss, [&] { return e.phase == 4; }, 600);
    ASSERT_EQ(e.phase, 4);
    states.clear();
    std::vector<int32_t> steering;
    runUntil(boss, [&] {
        if (states.empty() || states.back() != e.motionState) {
            states.push_back(e.motionState);
            steering.push_back(e.steerMode);
        }
        return e.phase == 6 && e.step == 2;
    }, 6000);
    const std::vector<int32_t> formTwo = {37, 38, 39, 40, 41, 42, 43, 44, 38, 39, 40};
    EXPECT_EQ(states, formTwo);
    const std::vector<int32_t> steer = {1, 1, 2, 2, 2, 2, 2, 1, 1, 2, 2};
    EXPECT_EQ(steering, steer);
    EXPECT_EQ(e.attackPattern, 11);
    EXPECT_EQ(work->hitBoxCount, 3);
    EXPECT_FLOAT_EQ(work->hitBoxes[2].halfWidth, 80.0f) << "form two's boxes in phase 6";
    EXPECT_EQ(soundLayerState().layerTarget, 1);
    runFrames(boss, 1200);
    EXPECT_EQ(e.phase, 6);
    EXPECT_EQ(e.attackPattern, 11) << "attack 11 never ends on its own";
}

TEST_F(St02bossTest, ExhaustEveryFourthFrameAndWhileDyingEveryFrameOrNever) {
    ObjTask* boss = spawnBoss(101);
    EnemyFields& e = enemy(boss->work);
    std::vector<int> streaks;
    for (int n = 0; n < 8; ++n) {
        clearEffects();
        const int32_t counter = e.frameCount;
        runFrame(boss);
        streaks.push_back(int(effects(122).size()));
        EXPECT_EQ(streaks.back(), counter % 4 == 0 ? 4 : 0) << n;
    }
    const ObjWork* one = nullptr;
    clearEffects();
    e.frameCount = 8;
    runFrame(boss);
    for (ObjWork* w : effects(122)) {
        if (w->x < boss->work->x - 70.0f) one = w;
    }
    ASSERT_NE(one, nullptr);
    EXPECT_NEAR(one->y - boss->work->y, 100.0f, 6.01f) << "the streak may have taken its first step";
    for (int32_t frozen : {4, 5}) {
        boss->work->lifeState = 3;
        e.deathPhase = 9;
        e.deathEffectsDone = 1;  // the death sequence held where it is
        e.frameCount = frozen;
        for (int n = 0; n < 3; ++n) {
            clearEffects();
            runFrame(boss);
            EXPECT_EQ(int(effects(122).size()), frozen % 4 == 0 ? 4 : 0) << frozen;
            EXPECT_EQ(e.frameCount, frozen) << "the counter stands still";
        }
    }
}

TEST_F(St02bossTest, SmokeRisesAtTheSmokeLocatorsOrAtTheBoss) {
    for (bool withLocators : {true, false}) {
        cacheMotion(withLocators);
        ObjTask* boss = spawnBoss(101, 100.0f, 90.0f);
        EnemyFields& e = enemy(boss->work);
        runFrame(boss);
        enter(boss);
        e.phase = 9;
        bossHalt(boss->work);
        e.steerMode = 0;
        e.smokeTimer = 50;
        e.frameCount = 4;
        clearEffects();
        runFrame(boss);
        const std::vector<ObjWork*> puffs = effects(103);
        ASSERT_EQ(puffs.size(), 4u) << withLocators;
        for (int n = 0; n < 4; ++n) {
            const float x = withLocators ? boss->work->x - 50.0f + 30.0f * float(n) : boss->work->x;
            const float y = withLocators ? boss->work->y - 40.0f : boss->work->y;
            EXPECT_NEAR(puffs[size_t(n)]->x, x, 8.0f) << withLocators << " " << n;
            EXPECT_NEAR(puffs[size_t(n)]->y, y, 8.0f) << withLocators << " " << n;
            EXPECT_NE(puffs[size_t(n)]->x, 0.0f) << "never at the origin";
        }
        nextLevel();
    }
}

TEST_F(St02bossTest, AttackOneRingsOnlyInTheSecondBurst) {
    const int below[4] = {2, 3, 4, 5};
    const int fans[4] = {6, 6, 6, 27};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {1, 25, 6, 120, 2, 60, 0}, 25);
        ASSERT_EQ(calls.size(), 50u) << level;
        for (const auto& [key, list] : calls) {
            const int burst = key / 1000, i = key % 1000;
            const int centre = i % 5 < below[level] ? i / 5 + (level == 3 ? 4 : 1) : 0;
            EXPECT_EQ(count(list, 48), centre) << level << " " << key;
            EXPECT_EQ(count(list, 4), i % 6 == 0 || i % 6 == 3 ? fans[level] : 0) << level << " " << key;
            const bool ring = burst == 1 && i % 8 == 0 && level > 0;
            EXPECT_EQ(count(list, 14), ring ? (level == 1 ? 17 : 31) : 0) << level << " " << key;
            EXPECT_EQ(count(list, 3), ring && level == 3 ? 30 : 0) << level << " " << key;
        }
        nextLevel();
    }
}

TEST_F(St02bossTest, AttackTwoByLevel) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {2, 80, 4, 120, 1, 0, 0}, 80);
        ASSERT_EQ(calls.size(), 80u);
        for (const auto& [i, list] : calls) {
            const int m6 = i % 6, m10 = i % 10;
            EXPECT_EQ(count(list, 51), m6 < (level == 3 ? 5 : 3) ? 7 : 0) << level << " " << i;
            const bool sides = level == 3 || (level == 2 && m10 < 5);
            EXPECT_EQ(count(list, 141), sides ? 2 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 158), m10 < 5 ? 2 : 0) << level << " " << i;
            int fan = 0;
            if (i >= 20 && m10 < 6) {
                const int counts[4][3] = {{1, 1, 1}, {1, 1, 3}, {1, 3, 5}, {3, 5, 7}};
                fan = counts[level][i >= 60 ? 2 : i >= 40 ? 1 : 0];
            }
            EXPECT_EQ(count(list, 132), 2 * fan) << level << " " << i;
        }
        if (level == 0) {
            for (const auto& s : shotsOf(158)) EXPECT_EQ(s.angle, 512);
        }
        nextLevel();
    }
}

TEST_F(St02bossTest, AttackThreeSweepsOppositeWays) {
    const int r[4] = {55, 45, 30, 24};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {3, 60, 5, 60, 1, 0, 0}, 60);
        ASSERT_EQ(calls.size(), 60u);
        for (const auto& [i, list] : calls) {
            std::vector<int32_t> streams;
            for (const auto& s : list) {
                if (s.type == 141) streams.push_back(s.angle);
            }
            ASSERT_EQ(streams.size(), level == 2 ? 4u : 2u) << level << " " << i;
            EXPECT_EQ(streams.front(), ((312 + r[level] * i) % 1024 + 1024) % 1024) << level << " " << i;
            EXPECT_EQ(streams.back(), (((level == 2 ? 752 : 712) - r[level] * i) % 1024 + 1024) % 1024);
            const int side = level == 0 ? 0 : 2;
            EXPECT_EQ(count(list, level == 3 ? 139 : 158), side) << level << " " << i;
            const int burst = level <= 1 ? 9 : level == 2 ? 3 * 3 * 6 : 3 * 5 * 8;
            EXPECT_EQ(count(list, 3), i == 25 || i == 59 ? burst : 0) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(St02bossTest, AttackFourByLevel) {
    const int every[4] = {4, 4, 2, 1};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {4, 160, 7, 100, 1, 0, 0}, 160);
        ASSERT_EQ(calls.size(), 160u);
        for (const auto& [i, list] : calls) {
            const bool centre = level > 0 && (i <= 50 ? i % 20 == 0 : i % 10 == 0);
            const int line = level == 1 ? 4 : 8;
            EXPECT_EQ(count(list, 27), centre ? line : 0) << level << " " << i;
            EXPECT_EQ(count(list, 38), centre ? (level == 3 ? 32 : 2 * line) : 0) << level << " " << i;
            const int scatter = i % every[level] == 0 ? (i >= 50 ? 4 : 2) : 0;
            EXPECT_EQ(count(list, 0) + count(list, 33), scatter) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(St02bossTest, AttackEightDropsBombsInPairs) {
    const int32_t angles[4][2] = {{544, 480}, {528, 496}, {516, 508}, {512, 512}};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {8, 70, 6, 120, 1, 0, 0}, 70);
        ASSERT_EQ(calls.size(), 70u);
        for (const auto& [i, list] : calls) {
            ASSERT_EQ(count(list, 167), 2) << level << " " << i;
            EXPECT_EQ(list[0].angle, angles[level][0]);
            EXPECT_EQ(list[1].angle, angles[level][1]);
            const ObjPoint first = bossTurret(boss->work, i % 2 == 0 ? 1 : 2);
            EXPECT_NEAR(list[0].x, first.x, 1.0f) << level << " " << i;
            EXPECT_TRUE(list[0].sounds.count(20));
            const bool extra = level == 3 && i % 4 == 0;
            EXPECT_EQ(count(list, 12), extra ? 1 : 0);
            EXPECT_EQ(count(list, 1), extra ? 2 : 0);
        }
        nextLevel();
    }
}

TEST_F(St02bossTest, AttackNineBombsAndSweepingLines) {
    const int below[4] = {5, 10, 20, 25};
    const int m[4] = {60, 40, 30, 40};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {9, 70, 4, 0, 1, 0, 0}, 70);
        ASSERT_EQ(calls.size(), 70u);
        for (const auto& [i, list] : calls) {
            const int bombs = (i < below[level] ? 4 : 0) + (i >= 30 && i % 6 == 0 ? 2 : 0);
            EXPECT_EQ(count(list, 167), bombs) << level << " " << i;
            EXPECT_EQ(count(list, 11), i >= 60 ? 10 : 0) << level << " " << i;
            if (i >= 60) {
                const auto line = std::find_if(list.begin(), list.end(), [](const auto& s) { return s.type == 11; });
                EXPECT_EQ(line->angle, (262 + (i - 60) * m[level]) % 1024) << level << " " << i;
            }
        }
        nextLevel();
    }
}

TEST_F(St02bossTest, AttackElevenRingTurnsAboutTurretZero) {
    const int turn[4] = {42, 32, 22, 22};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = runAttack(boss, {11, 99999, 6, 10, 99999, 0, 0}, 180);
        ASSERT_EQ(calls.size(), 180u);
        const int lines[4] = {20, 30, 49, 81};
        for (const auto& [i, list] : calls) {
            EXPECT_EQ(count(list, 39), i < 30 && i % 2 == 0 ? lines[level] : 0) << level << " " << i;
            const bool pair = i >= 30 && i <= 49 && i % 5 == 0;
            EXPECT_EQ(count(list, 48), pair ? 6 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 4), pair && level >= 2 ? 8 : 0) << level << " " << i;
            EXPECT_EQ(count(list, 166), i == 60 && level == 3 ? 4 : 0) << level << " " << i;
            const int k = i >= 170 ? 7 : 5, w = level == 3 ? 2 : 1;
            EXPECT_EQ(count(list, 134), i >= 70 ? k * w : 0) << level << " " << i;
            EXPECT_EQ(count(list, 140), i >= 110 && level >= 2 ? k * w : 0) << level << " " << i;
            EXPECT_EQ(count(list, 158), i >= 130 && level >= 2 ? k * w : 0) << level << " " << i;
            if (i < 70) continue;
            const ObjPoint centre = bossTurret(boss->work, 0);
            int j = 0;
            for (const auto& s : list) {
                if (s.type != 134 || (w == 2 && j % 2 != 0 && ++j)) continue;
                const int point = w == 2 ? j / 2 : j;
                const int32_t t = i * turn[level] + point * (1024 / k);
                EXPECT_NEAR(std::hypot(s.x - centre.x, s.y - centre.y), 32.0f, 0.01f) << level << " " << i;
                EXPECT_EQ(s.angle, ((t + 92) % 1024 + 1024) % 1024) << level << " " << i;
                ++j;
            }
        }
        nextLevel();
    }
}

TEST_F(St02bossTest, AppearVisualPlaysAndTakesTheDarkenedTint) {
    const struct {
        FieldLayerTint tint;
        uint32_t word;
    } cases[] = {
        {{255, 255, 255}, 0x6E6E6EFFu},
        {{0, 0, 0}, 0x000000FFu},
        {{220, 150, 150}, 0x5E4040FFu},
        {{128, 128, 128}, 0x373737FFu},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bossAppearColorWord(c.tint), c.word) << c.tint.r;
    }
    fieldLayerSharedTint = {220, 150, 150};
    ObjTask* visual = spawnBoss(121);
    ASSERT_NE(visual, nullptr);
    ObjWork* work = visual->work;
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(work->draw, TSKbossAppearDraw);
    EXPECT_FLOAT_EQ(work->depth, 14.0f);
    EXPECT_EQ(enemy(work).sizeClass, 0);
    ASSERT_GE(work->motionSlot0, 0);
    EXPECT_EQ(work->motionSlot1, -1);
    for (int n = 1; n <= kSt02Appear + 2; ++n) {
        runFrame(visual);
        EXPECT_EQ(enemy(work).motionFrame, n % kSt02Appear) << n;
    }
    EXPECT_EQ(task->motionSlots.color[size_t(work->motionSlot0)], 0x5E4040FFu);
    EXPECT_EQ(work->hitBoxCount, 0);
    fieldLayerSharedTint = {255, 255, 255};
}

}  // namespace
