// The bullet patterns over the real shots: angles of fans and lines, speeds,
// the one flash a call, the stop flag; the aim slots turning toward the
// fighter.
#include <gtest/gtest.h>

#include <vector>

#include "game/stages/enemies/bullet_patterns.h"
#include "tests/game/objects/eshot_fixture.h"

namespace {

class BulletPatternTest : public EshotFixture {
protected:
    struct Fired {
        int32_t heading;
        float speed;
    };
    static std::vector<Fired> fired() {
        std::vector<Fired> out;
        OBJtaskWalk(kEshotGroup, [&](ObjTask* task) { out.push_back({task->work->heading, task->work->speed}); });
        return out;
    }
    static std::vector<int32_t> headings() {
        std::vector<int32_t> out;
        for (const Fired& f : fired()) out.push_back(f.heading);
        return out;
    }
    static int flashes() { return effects(82); }
};

TEST_F(BulletPatternTest, FansStraddleOrCentreAndWrap) {
    struct Case {
        int32_t angle, count, step;
        std::vector<int32_t> headings;
    };
    const std::vector<Case> cases = {{512, 2, 32, {496, 528}},
                                     {512, 3, 32, {480, 512, 544}},
                                     {0, 3, 32, {992, 0, 32}},
                                     {100, 4, 10, {85, 95, 105, 115}},
                                     {100, 0, 10, {}}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        enemyShotFan(22, c.angle, 100.0f, c.count, c.step, {}, 112.0f, 100.0f);
        EXPECT_EQ(headings(), c.headings) << c.angle << " x" << c.count;
        EXPECT_EQ(flashes(), c.count > 0 ? 1 : 0);
    }
}

TEST_F(BulletPatternTest, ALineRisesInSpeedOnOneAngle) {
    const int32_t angle = enemyShotLine(22, 1100, 200.0f, 3, 50.0f, {}, 112.0f, 100.0f);
    EXPECT_EQ(angle, 1100);
    const std::vector<Fired> shots = fired();
    ASSERT_EQ(shots.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(shots[i].heading, 76);
        EXPECT_FLOAT_EQ(shots[i].speed, 2.0f + 0.5f * float(i));
    }
    EXPECT_EQ(flashes(), 1);
}

TEST_F(BulletPatternTest, NestedRoutinesFlashOnceACall) {
    enemyShotFanOfFans(22, 512, 100.0f, 3, 100, 2, 10, {}, 112.0f, 100.0f);
    EXPECT_EQ(fired().size(), 6u);
    EXPECT_EQ(flashes(), 4) << "its own and one for each inner fan";
    OBJtaskReleaseAll(nullptr);
    enemyShotFanOfLines(22, 512, 100.0f, 3, 100, 2, 20.0f, {}, 112.0f, 100.0f);
    EXPECT_EQ(headings(), (std::vector<int32_t>{412, 412, 512, 512, 612, 612}));
    OBJtaskReleaseAll(nullptr);
    enemyShotFanOfFanLines(22, 512, 100.0f, 2, 200, 3, 10, 2, 20.0f, {}, 112.0f, 100.0f);
    EXPECT_EQ(fired().size(), 12u);
    OBJtaskReleaseAll(nullptr);
    enemyShotFanOfFans(22, 512, 100.0f, 3, 100, 0, 10, {}, 112.0f, 100.0f);
    enemyShotFanOfFanLines(22, 512, 100.0f, 2, 200, 0, 10, 2, 20.0f, {}, 112.0f, 100.0f);
    EXPECT_TRUE(fired().empty());
    EXPECT_EQ(flashes(), 0);
}

TEST_F(BulletPatternTest, NothingWhileBulletsAreOff) {
    enemyShotStop = 1;
    enemyShot(22, 0, 100.0f, {}, 112.0f, 100.0f);
    enemyShotFan(22, 0, 100.0f, 3, 10, {}, 112.0f, 100.0f);
    enemyShotLine(22, 0, 100.0f, 3, 10.0f, {}, 112.0f, 100.0f);
    enemyShotFanOfFans(22, 0, 100.0f, 3, 10, 3, 10, {}, 112.0f, 100.0f);
    enemyShotFanOfLines(22, 0, 100.0f, 3, 10, 3, 10.0f, {}, 112.0f, 100.0f);
    enemyShotFanOfFanLines(22, 0, 100.0f, 3, 10, 3, 10, 3, 10.0f, {}, 112.0f, 100.0f);
    EXPECT_TRUE(fired().empty());
    EXPECT_EQ(OBJtaskCountByTag(kEffectGroup, objTag("EFCT")), 0);
}

TEST_F(BulletPatternTest, NoFlashOnceTheShotsAreFull) {
    eshotLiveCount = kEshotLiveLimit;
    enemyShot(22, 0, 100.0f, {}, 112.0f, 100.0f);
    EXPECT_EQ(flashes(), 0);
    EXPECT_TRUE(fired().empty());
}

TEST_F(BulletPatternTest, AimSlotsTurnTowardTheFighterAtTheirLimit) {
    ObjTask* enemyTask = makeParent();
    ObjWork* work = enemyTask->work;
    work->x = 112.0f;
    work->y = 100.0f;
    EXPECT_EQ(enemySetAimSlot(work, 3, 4, 77, 0.0f, 0.0f), 77);
    const EnemyAimSlot& slot = enemy(work).aimSlots[3];
    EXPECT_EQ(slot.armed, 1);
    EXPECT_EQ(slot.heading, 0) << "no fighter: heading 0";
    makeFighter(212.0f, 100.0f);
    enemyStepAimSlots(work);
    EXPECT_EQ(slot.heading, 4) << "turned 4 units toward 256";
    for (int i = 0; i < 100; ++i) enemyStepAimSlots(work);
    EXPECT_EQ(slot.heading, 256);
    EXPECT_EQ(enemy(work).aimSlots[0].heading, 0) << "unarmed slots stay";
}

}  // namespace
