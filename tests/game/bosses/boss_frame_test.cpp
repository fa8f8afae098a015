// The boss frame over a kind-102 boss: the smoke burst that keeps a missing
// locator's entry, the damage fire on the boss's own layer, and the dying
// frame that detaches every link and starts the death motion.
#include <gtest/gtest.h>

#include "game/bosses/boss_frame.h"
#include "game/bosses/boss_kinds.h"
#include "game/core/draw_store.h"
#include "game/core/sprite_frames.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

class BossFrameTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        // Three of the five smoke points: smoke03 and smoke04 are missing.
        std::vector<bossfixture::Turret> locators = bossfixture::turretRow(2);
        for (int n = 0; n < 3; ++n) locators.push_back({"smoke0" + std::to_string(n), float(20 * n), -40.0f});
        cacheBossMotion("st03boss", {{"st03boss", {{"default", 20}, {"form2_death", 30}}, locators}});
    }
    ObjTask* placedBoss() {
        ObjTask* boss = spawnBoss(102);
        runFrame(boss);
        enemy(boss->work).steerMode = 0;
        return boss;
    }
    static int groupSize(int32_t group) {
        int n = 0;
        OBJtaskWalk(group, [&](ObjTask*) { ++n; });
        return n;
    }
};

TEST_F(BossFrameTest, ASmokeBurstWritesTheLocatorsFoundAndKeepsTheRest) {
    ObjTask* boss = placedBoss();
    ObjWork* work = boss->work;
    EnemyFields& e = enemy(work);
    e.locators[3] = {1.0f, 2.0f};
    e.locators[4] = {3.0f, 4.0f};
    const int effectsBefore = groupSize(8);
    bossSmokeBurst(work, 5, 103, 496);
    EXPECT_EQ(groupSize(8) - effectsBefore, 3) << "a puff at each locator found";
    for (int n = 0; n < 3; ++n) {
        EXPECT_NEAR(e.locators[n].x, work->x + float(20 * n), 0.5f) << n;
        EXPECT_NEAR(e.locators[n].y, work->y - 40.0f, 0.5f) << n;
    }
    EXPECT_FLOAT_EQ(e.locators[3].x, 1.0f) << "missing: kept, not zeroed";
    EXPECT_FLOAT_EQ(e.locators[4].y, 4.0f);
}

TEST_F(BossFrameTest, DamageFireOnTheBossLayerByLife) {
    std::vector<SpriteFrame> rows(65536, SpriteFrame{4, 0, 0, 8, 8, 0, 0, 0, 0, 0, 0});
    OBJsetFrameTable(rows);
    ObjTask* boss = placedBoss();
    ObjWork* work = boss->work;
    const struct {
        int32_t hp, fires;
    } cases[] = {{40000, 0}, {32768, 0}, {29492, 1}, {16384, 5}, {1, 10}};
    for (const auto& c : cases) {
        enemy(work).hp = c.hp;
        const int before = OBJdrawStoreCount();
        TSKst03bossDraw(boss, work);
        int fires = 0;
        for (int k = before; k < OBJdrawStoreCount(); ++k) {
            const DrawObj* d = OBJdrawStoreEntry(k);
            if (d->type != kDrawSprite || d->frameId < 1830 || d->frameId > 1841) continue;
            ++fires;
            EXPECT_EQ(d->layer, 430) << "the layer of the boss's depth";
        }
        EXPECT_EQ(fires, 2 * c.fires) << c.hp << ": each fire twice, alpha then additive";
    }
    enemy(work).hp = 1;
    work->lifeState = 3;
    const int before = OBJdrawStoreCount();
    TSKst03bossDraw(boss, work);
    EXPECT_EQ(OBJdrawStoreCount(), before) << "none while dying";
    OBJsetFrameTable({});
}

TEST_F(BossFrameTest, DyingDetachesEveryLinkAndStartsTheDeathMotion) {
    ObjTask* boss = placedBoss();
    ObjWork* work = boss->work;
    EnemyFields& e = enemy(work);
    std::vector<ObjWork*> parts;
    for (int link : {0, 5, 9}) {
        ObjTask* part = OBJtaskCreate(nullptr, 11, objTag("TEST"));
        part->work = OBJworkNew();
        part->release = TSKgameCtrlKill;
        part->state = 12345;
        e.partLink[link] = objRef(part);
        parts.push_back(part->work);
    }
    enemyStartDying(work);
    runFrame(boss);
    for (ObjWork* part : parts) EXPECT_EQ(part->lifeState, 10);
    for (const ObjRef& link : e.partLink) EXPECT_EQ(link.serial, 0u);
    EXPECT_EQ(e.deathPhase, 1);
    EXPECT_EQ(e.motionState, 70) << "form2_death at death phase 1, timer 0";
    EXPECT_FLOAT_EQ(e.steerSpeed, 0.0f);
}

}  // namespace
