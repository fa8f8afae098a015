// Kind 62, the stage-3 hulk: its record and turrets, the shared wave and
// its flag, the phase cycle on a fixture label length, the form time-out,
// the call lists of its six patterns by rank level, the killing hit and the
// hand-over to the stage-3 boss.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "game/core/collision.h"
#include "game/core/game_task.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/zako_62.h"
#include "game/stages/field_layers.h"
#include "tests/game/bosses/sprite_boss_fixture.h"

namespace {

// The marker pivots as the content gives them (x, row y).
constexpr int32_t kZako62TestPivots[kZako62Turrets][2] = {
    {-22, -106}, {22, -106}, {-22, -68}, {22, -68}, {-56, -26}, {56, -26}, {-56, 6},  {56, 6},    {-38, 38},
    {38, 38},    {-64, 58},  {64, 58},   {-18, 82}, {18, 82},   {-78, -142}, {78, -142}, {-34, 114}, {34, 114}};
constexpr int kZako62TestLabel = 40;

// One attack block: (calls n, interval t, first f, volleys v, pause p).
struct Zako62TestBlock {
    int32_t mode, calls, interval, first, volleys, pause;
};
constexpr Zako62TestBlock kZako62TestBlocks[] = {
    {1, 20, 6, 30, 4, 50}, {3, 90, 9, 80, 1, 30}, {6, 80, 6, 30, 1, 16},
    {8, 60, 16, 200, 1, 16}, {11, 20, 16, 60, 3, 90}, {13, 300, 4, 150, 1, 16},
};
// Frames from the block's start to the frame its pattern clears.
int zako62TestBlockFrames(const Zako62TestBlock& b) {
    return b.volleys * ((b.calls - 1) * b.interval + 1) + b.first + (b.volleys - 1) * std::max(8, b.pause);
}

class Zako62Test : public SpriteBossFixture {
protected:
    void SetUp() override {
        SpriteBossFixture::SetUp();
        for (int32_t k = 0; k < kZako62Turrets; ++k) {
            SpriteFrame& f = frames[size_t(zako62MarkerFrame(k))];
            f.id = zako62MarkerFrame(k);
            f.pivotX = kZako62TestPivots[k][0];
            f.pivotY = kZako62TestPivots[k][1];
        }
        OBJsetFrameTable(frames);
        cacheBossMotion("enemy_g_l02", {{"st04boss", {{"st04boss_2", kZako62TestLabel}}, {}},
                                        {"death", {{"death", 60}, {"deafault", 60}}, {}}});
        cacheBossMotion("3boss_b_wave", {{"3boss_b_wave", {{"anime_1", 120}}, {}}});
        stageNumber = 3;
        bossPresentFlag = 0;
        st03WaveFlag = 0;
    }
    void TearDown() override {
        SpriteBossFixture::TearDown();
        psbCache().erase("enemy_g_l02");
        psbCache().erase("3boss_b_wave");
        bossPresentFlag = 0;
        st03WaveFlag = 0;
        zako62WaveSlot = -1;
        zako62WaveIntensity = 0.0f;
        stageNumber = 1;
    }
    // A hulk past its entry, hovering where the muzzles used are on screen,
    // its phase machine parked.
    // (Its bob takes it up to 15 px lower.)
    ObjTask* parkedHulk(float y = 130.0f) {
        ObjTask* hulk = spawnBoss(62, 112.0f, y);
        runFrame(hulk);
        enter(hulk);
        enemy(hulk->work).phase = 9;
        enemy(hulk->work).step = 1;
        return hulk;
    }
    // The shots of every call of a block, by volley x 1000 + call index.
    std::map<int, std::vector<bossfixture::Shot>> runBlock(ObjTask* hulk, int mode) {
        for (const Zako62TestBlock& b : kZako62TestBlocks) {
            if (b.mode == mode) return runAttack(hulk, {b.mode, b.calls, b.interval, b.first, b.volleys, b.pause, 0},
                                                 b.calls);
        }
        return {};
    }
    // A kill through two hits (the form change between them).
    void kill(ObjTask* hulk) {
        hit(hulk, 6, 1 << 20);
        runUntil(hulk, [&] { return hulk->work->lifeState == 1; }, 200);
        hit(hulk, 6, 1 << 20);
    }
    static std::vector<ObjTask*> enemiesOf(int32_t kind) {
        std::vector<ObjTask*> out;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->work != nullptr && t->work->kind == kind) out.push_back(t);
        });
        return out;
    }
};

TEST_F(Zako62Test, RecordAndHitPoints) {
    const struct {
        int32_t system, mode, hp;
    } cases[] = {{0, 2, 204800}, {2, 2, 163839}, {0, 0, 163839}, {2, 0, 131070}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* hulk = spawnBoss(62);
        ObjWork* w = hulk->work;
        const EnemyFields& e = enemy(w);
        EXPECT_EQ(e.hp, c.hp) << c.system << " " << c.mode;
        EXPECT_EQ(e.formCount, 2);
        EXPECT_EQ(hulk->release, TSKzako62Free);
        EXPECT_EQ(w->draw, TSKzako62Draw);
        EXPECT_EQ(w->hit, TSKzako62Hit);
        EXPECT_EQ(w->attack, TSKzako62Attack);
        EXPECT_FLOAT_EQ(w->depth, 104.0f);
        EXPECT_EQ(e.score, 800000u);
        EXPECT_EQ(e.sizeClass, 3);
        EXPECT_EQ(e.entryWait, 300);
        EXPECT_EQ(e.offscreenTimer, 3600);
        EXPECT_EQ(e.bonusCountdown, 600000);
        EXPECT_EQ(e.shotCountdown, 60);
        EXPECT_EQ(e.volleysLeft, 9999);
        EXPECT_EQ(w->heading, 512);
        EXPECT_FLOAT_EQ(w->speed, 1.0f);
        EXPECT_GE(w->motionSlot0, 0);
        EXPECT_GE(w->motionSlot1, 0);
        OBJtaskRelease(hulk);
    }
}

TEST_F(Zako62Test, EighteenTurretsAndNineteenBoxes) {
    makeFighter(112.0f, 250.0f);
    ObjTask* hulk = spawnBoss(62, 112.0f, 80.0f);
    const EnemyFields& e = enemy(hulk->work);
    for (int32_t k = 0; k < kZako62Turrets; ++k) {
        const EnemyAimSlot& s = e.aimSlots[k];
        const float x = float(kZako62TestPivots[k][0]), y = 2.0f + float(kZako62TestPivots[k][1]);
        EXPECT_EQ(s.armed, 1) << k;
        EXPECT_FLOAT_EQ(s.offsetX, x) << k;
        EXPECT_FLOAT_EQ(s.offsetY, y) << k;
        EXPECT_EQ(s.turnLimit, 16) << k;
        EXPECT_EQ(s.param, k <= 13 ? 8 : 16) << k;
        const HitBox& box = zako62HitBoxes()[k];
        EXPECT_FLOAT_EQ(box.x, x) << k;
        EXPECT_FLOAT_EQ(box.y, y) << k;
        EXPECT_FLOAT_EQ(box.halfWidth, k <= 13 ? 10.0f : 16.0f) << k;
    }
    // Aimed from the turret's place as the record stood when made.
    EXPECT_EQ(e.aimSlots[14].heading, enemyAngleToPlayer(-78.0f, -140.0f));
    const HitBox& hull = zako62HitBoxes()[kZako62Turrets];
    EXPECT_FLOAT_EQ(hull.y, -86.0f);
    EXPECT_FLOAT_EQ(hull.halfWidth, 20.0f);
    EXPECT_FLOAT_EQ(hull.halfHeight, 30.0f);
    // No boxes before the entry; all nineteen after it.
    runFrame(hulk);
    EXPECT_EQ(hulk->work->hitBoxCount, 0);
    enter(hulk);
    runFrame(hulk);
    EXPECT_EQ(hulk->work->hitBoxCount, kZako62Boxes);
    enemy(hulk->work).noHitBoxes = 1;
    runFrame(hulk);
    EXPECT_EQ(hulk->work->hitBoxCount, 0);
}

TEST_F(Zako62Test, EntryMakesTheMidBossAndMusicAtAge320) {
    soundLayerState().currentMusicNumber = -1;
    ObjTask* hulk = spawnBoss(62, 112.0f, 80.0f);
    enemy(hulk->work).entryWait = 62;
    runFrames(hulk, 2);
    EXPECT_EQ(bossPresentFlag, 2);
    EXPECT_EQ(bossGauges[1].maximum, enemy(hulk->work).hp);
    EXPECT_EQ(enemyAge(hulk), 2);
    EXPECT_EQ(enemy(hulk->work).motionState, 74);
    runFrames(hulk, 318);
    EXPECT_NE(soundLayerState().currentMusicNumber, 0);
    runFrame(hulk);
    EXPECT_EQ(soundLayerState().currentMusicNumber, 0) << "boss_a1 at act age 320";
}

TEST_F(Zako62Test, TheWaveIsSharedFadesAndIsReleased) {
    ObjTask* first = spawnBoss(62, 112.0f, 80.0f);
    const int32_t slot = zako62WaveSlot;
    ASSERT_GE(slot, 0);
    EXPECT_EQ(st03WaveFlag, 1);
    EXPECT_EQ(GameTask::getInstance()->getMotionName(slot), "anime_1");
    ObjTask* second = spawnBoss(62, 112.0f, 80.0f);
    EXPECT_EQ(zako62WaveSlot, slot);
    OBJtaskRelease(second);
    EXPECT_EQ(zako62WaveSlot, -1);
    EXPECT_EQ(st03WaveFlag, 0);
    OBJtaskRelease(first);

    ObjTask* hulk = spawnBoss(62, 112.0f, 80.0f);
    EXPECT_FLOAT_EQ(zako62WaveIntensity, 0.0f);
    runFrames(hulk, 9);
    const float before = zako62WaveIntensity;
    runFrame(hulk);
    EXPECT_NEAR(zako62WaveIntensity, 0.10f, 1e-5f);
    EXPECT_EQ(zako62WaveShown, int32_t(before * 255.0f));  // handed as the frame began, truncated
    runFrames(hulk, 100);
    EXPECT_FLOAT_EQ(zako62WaveIntensity, 1.0f);
    enter(hulk);
    kill(hulk);
    ASSERT_EQ(hulk->work->lifeState, 3);
    runFrames(hulk, 4);
    EXPECT_NEAR(zako62WaveIntensity, 1.0f - 4 * 0.0075f, 1e-5f);
    runFrames(hulk, 200);
    EXPECT_GE(zako62WaveIntensity, 0.0f);
}

TEST_F(Zako62Test, HoverSpeeds) {
    const struct {
        int32_t t;
        float speed;
    } cases[] = {{0, 0.0f}, {4, 0.0f}, {9, 0.01f}, {17, 0.02f}, {128, 0.1f}, {256, 0.0f}, {300, -0.05f}, {384, -0.1f}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(zako62HoverSpeed(c.t), c.speed) << c.t;
}

TEST_F(Zako62Test, SinksSlowsAndHovers) {
    ObjTask* hulk = spawnBoss(62, 112.0f, -100.0f);
    runFrame(hulk);
    EXPECT_FLOAT_EQ(hulk->work->speed, 1.0f);
    runUntil(hulk, [&] { return hulk->work->y > -90.0f; }, 100);
    runFrame(hulk);
    EXPECT_NEAR(hulk->work->speed, 0.99f, 1e-5f);
    runUntil(hulk, [&] { return enemy(hulk->work).step == 1; }, 1000);
    EXPECT_GT(hulk->work->y, -40.0f);
    EXPECT_FLOAT_EQ(hulk->work->speed, 0.0f);
    enemy(hulk->work).phase = 4;
    runFrame(hulk);
    EXPECT_EQ(enemy(hulk->work).step, 0);
    EXPECT_FLOAT_EQ(hulk->work->speed, 0.0f);
}

TEST_F(Zako62Test, PhaseCycleOnTheLabelLength) {
    makeFighter();
    ObjTask* hulk = spawnBoss(62, 112.0f, 60.0f);
    enter(hulk);
    std::vector<std::pair<int, int>> changes;  // (frame, new phase)
    int last = 0;
    for (int f = 1; f <= 4000 && changes.size() < 4; ++f) {
        runFrame(hulk);
        if (enemy(hulk->work).phase != last) {
            last = enemy(hulk->work).phase;
            changes.push_back({f, last});
        }
    }
    ASSERT_EQ(changes.size(), 4u);
    // Phase 1 once the label has played through.
    EXPECT_EQ(changes[0], std::make_pair(kZako62TestLabel + 1, 1));
    const int p1 = zako62TestBlockFrames(kZako62TestBlocks[0]) + 1;
    const int p2 = zako62TestBlockFrames(kZako62TestBlocks[1]) + 1;
    const int p3 = zako62TestBlockFrames(kZako62TestBlocks[2]) + 1;
    EXPECT_EQ(changes[1], std::make_pair(changes[0].first + p1, 2));
    EXPECT_EQ(changes[2], std::make_pair(changes[1].first + p2, 3));
    EXPECT_EQ(changes[3], std::make_pair(changes[2].first + p3, 1));
    // The first form spent: phase 4 for 30 frames, then the second cycle.
    hit(hulk, 6, 1 << 20);
    runUntil(hulk, [&] { return enemy(hulk->work).phase == 4; }, 300);
    const int start4 = frame;
    runUntil(hulk, [&] { return enemy(hulk->work).phase == 5; }, 300);
    EXPECT_EQ(frame - start4, 30);
    const int start5 = frame;
    runUntil(hulk, [&] { return enemy(hulk->work).phase == 6; }, 3000);
    EXPECT_EQ(frame - start5, zako62TestBlockFrames(kZako62TestBlocks[3]) + 1);
    const int start6 = frame;
    runUntil(hulk, [&] { return enemy(hulk->work).phase == 7; }, 3000);
    EXPECT_EQ(frame - start6, zako62TestBlockFrames(kZako62TestBlocks[4]) + 1);
    const int start7 = frame;
    runUntil(hulk, [&] { return enemy(hulk->work).phase == 5; }, 3000);
    EXPECT_EQ(frame - start7, zako62TestBlockFrames(kZako62TestBlocks[5]) + 1);
}

TEST_F(Zako62Test, AFormNotBeatenIn7200FramesEndsWithoutScore) {
    ObjTask* hulk = spawnBoss(62, 112.0f, 60.0f);
    enter(hulk);
    const uint64_t score = fighterGetScore();
    runFrames(hulk, kZako62FormFrames - 1);
    EXPECT_EQ(enemy(hulk->work).formIndex, 0);
    runFrame(hulk);
    EXPECT_EQ(enemy(hulk->work).formIndex, 1);
    EXPECT_EQ(enemy(hulk->work).formHp[0], 0);
    EXPECT_EQ(hulk->work->lifeState, 2);
    EXPECT_EQ(hulk->work->enemyTimer, kZako62FormFrames);
    // The second form's clock starts again once the change is over.
    const int n = runUntil(hulk, [&] { return hulk->work->lifeState == 3; }, kZako62FormFrames + 100);
    EXPECT_GE(n, kZako62FormFrames);
    EXPECT_LE(n, kZako62FormFrames + 10);
    EXPECT_EQ(hulk->work->lifeState, 3);
    EXPECT_EQ(fighterGetScore(), score);
}

TEST_F(Zako62Test, PatternOneByLevel) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* hulk = parkedHulk();
        const auto calls = runBlock(hulk, 1);
        ASSERT_EQ(calls.size(), 80u) << level;
        constexpr int kQ[4] = {4, 6, 8, 12};
        for (const auto& [key, list] : calls) {
            const int b = key / 1000, i = key % 1000;
            const bool fires = b == 3 || i <= kQ[level];
            const int front = level == 3 ? 20 : 4, middle = b >= 1 ? (level >= 2 ? 12 : 4) : 0;
            const int stern = b >= 2 && level >= 1 ? 2 : 0;
            EXPECT_EQ(count(list, 158), fires ? (level == 0 ? 4 : stern) : 0) << level << " " << key;
            EXPECT_EQ(count(list, 133), fires ? (level == 0 ? middle : front + middle) : 0) << level << " " << key;
            EXPECT_EQ(count(list, 46), fires && level == 3 && b >= 1 ? 8 : 0) << level << " " << key;
            EXPECT_EQ(count(list, 45), fires && level == 3 && b >= 2 ? 4 : 0) << level << " " << key;
        }
        nextLevel();
    }
}

TEST_F(Zako62Test, PatternThreeByLevel) {
    constexpr int kPair[4] = {2, 3, 3, 4};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* hulk = parkedHulk();
        const auto calls = runBlock(hulk, 3);
        ASSERT_EQ(calls.size(), 90u) << level;
        for (const auto& [key, list] : calls) {
            const int i = key % 1000;
            EXPECT_EQ(count(list, 139), i % 12 < 5 ? 4 * kPair[level] : 0) << level << " " << i;
            int lines = 0;
            if (i >= 24 && i % 8 == 0) {
                const bool late = i >= 50;
                lines = level == 3 ? 15 + (late ? 10 : 0) : level >= 1 && late ? 9 : 3;
            }
            EXPECT_EQ(count(list, 133), 8 * lines) << level << " " << i;
        }
        nextLevel();
    }
}

TEST_F(Zako62Test, PatternSixByLevel) {
    constexpr int kFans[4] = {2, 3, 5, 15}, kM[4] = {2, 5, 7, 9}, kN[4] = {3, 5, 3, 1};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* hulk = parkedHulk();
        const auto calls = runBlock(hulk, 6);
        ASSERT_EQ(calls.size(), 80u) << level;
        for (const auto& [key, list] : calls) {
            const int i = key % 1000;
            EXPECT_EQ(count(list, 1), i % (level == 0 ? 10 : 8) == 0 ? 4 * kFans[level] : 0) << level << " " << i;
            const bool held = i >= 12 && i % 12 <= kM[level];
            EXPECT_EQ(count(list, 139), held ? 4 * (level == 3 ? 3 : 1) : 0) << level << " " << i;
            const bool loose = i >= 36 && level >= 1 && i % kN[level] == 0;
            EXPECT_EQ(count(list, 158), loose ? 2 : 0) << level << " " << i;
        }
        // Held past the volley's end at level 3 (the phase change re-arms them).
        for (int32_t k = 8; k <= 11; ++k) {
            EXPECT_EQ(enemy(hulk->work).aimSlots[k].armed, level < 3 ? 1 : 0) << level << " " << k;
        }
        nextLevel();
    }
}

TEST_F(Zako62Test, PatternEightByLevel) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* hulk = parkedHulk();
        const auto calls = runBlock(hulk, 8);
        ASSERT_EQ(calls.size(), 60u) << level;
        constexpr int kEarly[4] = {5, 4, 3, 3}, kLate[4] = {4, 2, 1, 1};
        int sternShots = 0;
        for (const auto& [key, list] : calls) {
            const int i = key % 1000;
            const int n = level == 0 ? 7 : level == 1 ? 5 : level == 2 ? (i <= 50 ? 4 : 3) : 3;
            EXPECT_EQ(count(list, 33), i % n == 0 ? 2 * 3 * (level == 3 ? 4 : 3) : 0) << level << " " << i;
            const int every = i >= 50 ? kLate[level] : kEarly[level];
            EXPECT_EQ(count(list, 168), i >= 16 && i % every == 0 ? 2 : 0) << level << " " << i;
            sternShots += count(list, 168);
        }
        EXPECT_GT(sternShots, 0);
        // Re-armed on the last call; frozen from call 0 until then.
        EXPECT_EQ(enemy(hulk->work).aimSlots[0].armed, 1);
        EXPECT_EQ(enemy(hulk->work).aimSlots[1].armed, 1);
        nextLevel();
        makeFighter();
        hulk = parkedHulk(115.0f);
        runAttack(hulk, {8, 60, 16, 200, 1, 16, 0}, 1);
        EXPECT_EQ(enemy(hulk->work).aimSlots[0].armed, 0);
        EXPECT_EQ(enemy(hulk->work).aimSlots[1].armed, 0);
        nextLevel();
    }
}

TEST_F(Zako62Test, PatternElevenSwingsTheSternTurrets) {
    makeFighter();
    ObjTask* hulk = parkedHulk(110.0f);
    const auto calls = runBlock(hulk, 11);
    ASSERT_EQ(calls.size(), 60u);
    for (const auto& [key, list] : calls) {
        const int b = key / 1000;
        EXPECT_EQ(count(list, 170), b == 2 ? 4 : 2) << key;
    }
    // Volley 0: turret 16's pair 32 apart, swinging back 30 a call.
    const auto& first = calls.at(0);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ((first[0].angle - first[1].angle) & 1023, 32);
    EXPECT_EQ((first[0].angle - calls.at(19)[0].angle) & 1023, 570);
    // Volley 1: turret 17 the mirror.
    EXPECT_EQ((calls.at(1019)[0].angle - calls.at(1000)[0].angle) & 1023, 570);
    EXPECT_EQ(enemy(hulk->work).aimSlots[16].armed, 1);
    EXPECT_EQ(enemy(hulk->work).aimSlots[17].armed, 1);
}

TEST_F(Zako62Test, PatternThirteenByLevelAndFighterHeight) {
    for (const float fighterY : {250.0f, 40.0f}) {
        for (int32_t level = 0; level < 4; ++level) {
            gameMode = level;
            makeFighter(112.0f, fighterY);
            ObjTask* hulk = parkedHulk();
            const auto calls = runBlock(hulk, 13);
            ASSERT_EQ(calls.size(), 300u) << level;
            constexpr int kEvery[4] = {4, 2, 1, 1}, kReload[4] = {20, 17, 15, 13};
            int countdown = 0;
            for (const auto& [key, list] : calls) {
                const int i = key % 1000;
                EXPECT_EQ(count(list, 0), 8) << level << " " << i;
                EXPECT_EQ(count(list, 133), i >= 120 && i % kEvery[level] == 0 ? 2 : 0) << level << " " << i;
                if (countdown > 0) --countdown;
                const bool volley = countdown == 0 && i >= 30 && i <= 119;
                if (volley) countdown = kReload[level] - (i >= 60 ? 5 : 0);
                EXPECT_EQ(count(list, 135), volley ? 7 : 0) << level << " " << i;
                const bool rising = fighterY < 70.0f && level >= 2 && i % 20 < 10;
                EXPECT_EQ(count(list, 42), rising ? 4 : 0) << level << " " << i;
            }
            // The pair closes in over the first thirty calls.
            const auto& call0 = calls.at(0);
            const auto pair = std::find_if(call0.begin(), call0.end(), [](const auto& s) { return s.type == 0; });
            ASSERT_NE(pair, call0.end());
            EXPECT_EQ(((pair + 1)->angle - pair->angle) & 1023, (300 - 80 * (level >= 1) - 60 * (level >= 2) -
                                                                  20 * (level >= 3) + 900) & 1023);
            nextLevel();
        }
    }
}

TEST_F(Zako62Test, KillingHitExplodesEveryTurretAndBringsTheBoss) {
    makeFighter();
    makeSequence();
    ObjTask* hulk = spawnBoss(62, 112.0f, 100.0f);
    runFrame(hulk);
    enter(hulk);
    kill(hulk);
    ASSERT_EQ(hulk->work->lifeState, 3);
    EXPECT_EQ(enemy(hulk->work).motionState, 47);
    int explosions = 0;
    OBJtaskWalk(kEffectGroup, [&](ObjTask* t) {
        if (t->work != nullptr && t->work->kind == 65) ++explosions;
    });
    EXPECT_GE(explosions, kZako62Turrets);
    for (int n = 0; n < 1000 && enemiesOf(102).empty(); ++n) runEnemiesFrame();
    ASSERT_EQ(enemiesOf(102).size(), 1u);
    EXPECT_EQ(stage3BossFlag, 1);
    for (int n = 0; n < 100 && !enemiesOf(62).empty(); ++n) runEnemiesFrame();
    EXPECT_TRUE(enemiesOf(62).empty());
    EXPECT_EQ(st03WaveFlag, 0);
    EXPECT_EQ(zako62WaveSlot, -1);
}

}  // namespace
