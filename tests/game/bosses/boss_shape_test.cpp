// The boss shape: tint words, the smoke pairs, the aim formula, the turret
// refresh's keep-last rule, the form hit points and linked parts.
#include <gtest/gtest.h>

#include "game/bosses/boss_shape.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

TEST(BossShapeTest, TintWordsHalveGreenAndBlue) {
    EXPECT_EQ(bossTintWord({255, 255}), 0x7F7F7FFFu);
    EXPECT_EQ(bossTintWord({255, 160}), 0x7F7F50FFu) << "point-blank";
    EXPECT_EQ(bossTintWord({160, 160}), 0x7F5050FFu) << "hit flash";
}

TEST(BossShapeTest, SmokePairsByLife) {
    const struct {
        int32_t life, pairs;
    } cases[] = {{40000, 0}, {32768, 0}, {29493, 0}, {29492, 1}, {16384, 5}, {3277, 9}, {8, 10}, {0, 10}, {-50, 10}};
    for (const auto& c : cases) EXPECT_EQ(bossSmokePairs(c.life), c.pairs) << c.life;
}

TEST(BossShapeTest, FormHitPointsByDifficultyAndMode) {
    const struct {
        int32_t system, mode, normal, hard, hp;
    } cases[] = {{0, 2, 0xA000, 0x8000, 40960},   {2, 2, 0xA000, 0x8000, 32768},   {0, 0, 0xA000, 0x8000, 32768},
                 {2, 0, 0xA000, 0x8000, 26214},   {0, 1, 0x1B000, 0x15999, 110592}, {2, 3, 0x1B000, 0x15999, 88473},
                 {0, 0, 0x1B000, 0x15999, 88473}, {2, 0, 0x1B000, 0x15999, 70778},  {0, 0, 0x15000, 0x10CCC, 68812},
                 {2, 0, 0x15000, 0x10CCC, 55049}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        EXPECT_EQ(bossFormHp(c.normal, c.hard), c.hp) << c.system << " " << c.mode << " " << c.normal;
    }
    gameSystem = 0;
    gameMode = 0;
}

class BossShapeFixtureTest : public BossFixture {};

TEST_F(BossShapeFixtureTest, AimTruncatesTowardZeroAndIsZeroWithoutAFighter) {
    EXPECT_EQ(bossAimAngle(100.0f, 100.0f), 0) << "no fighter";
    makeFighter(100.0f, 200.0f);
    const struct {
        float x, y;
        int32_t angle;
    } cases[] = {{100, 100, 512}, {100, 300, 0}, {0, 200, 256}, {200, 200, 768}, {101, 300, 1023}, {99, 300, 1}, {102, 300, 1021}};
    for (const auto& c : cases) EXPECT_EQ(bossAimAngle(c.x, c.y), c.angle) << c.x << "," << c.y;
}

TEST_F(BossShapeFixtureTest, AMissingTurretKeepsItsLastPositionAndTheBossPositionBeforeAny) {
    cacheBossMotion("st01mboss", {{"st01mboss", {{"appear", 20}, {"form1_default", 16}}, bossfixture::turretRow(5)}});
    ObjWork* work = OBJworkNew();
    ASSERT_NE(work, nullptr);
    work->x = 112.0f;
    work->y = 80.0f;
    work->motionSlot0 = SDL2_wheel_MotionCreate(430, "st01mboss");
    ASSERT_GE(work->motionSlot0, 0);
    bossSetMotion(work, 163);
    task->setMotionPosition(work->motionSlot0, work->x, work->y);
    task->refreshMotion(work->motionSlot0);
    bossRefreshTurrets(work, 6);
    const ObjPoint t1 = bossTurret(work, 1);
    EXPECT_NEAR(t1.x, work->x - 20.0f, 0.5f);
    EXPECT_NEAR(t1.y, work->y + 21.0f, 0.5f);
    ObjPoint t5 = bossTurret(work, 5);
    EXPECT_FLOAT_EQ(t5.x, work->x) << "never found: the boss position";
    EXPECT_FLOAT_EQ(t5.y, work->y);
    enemy(work).locators[5] = {3.0f, 4.0f};
    enemy(work).turretSeen |= 1 << 5;
    bossRefreshTurrets(work, 6);
    t5 = bossTurret(work, 5);
    EXPECT_FLOAT_EQ(t5.x, 3.0f) << "missing now: the last position";
    EXPECT_FLOAT_EQ(t5.y, 4.0f);
    OBJworkFree(work);
}

TEST_F(BossShapeFixtureTest, EndingALinkUsesTheEndStateAndAGoneLinkIsOnlyCleared) {
    ObjTask* part = OBJtaskCreate(nullptr, kEshotGroup, kEshotTag);
    part->work = OBJworkNew();
    part->release = TSKgameCtrlKill;
    part->state = 12345;
    ObjRef link = objRef(part);
    bossEndLink(link);
    EXPECT_EQ(part->work->lifeState, 10);
    EXPECT_EQ(part->state, 12345) << "the task state is the part's own";
    EXPECT_EQ(link.serial, 0u);
    ObjRef gone = objRef(part);
    OBJtaskRelease(part);
    bossEndLink(gone);
    EXPECT_EQ(gone.serial, 0u);
    bossPlaceLink(gone, {1.0f, 2.0f});
}

}  // namespace
