// The fighter's hits and losses over one fighter in play: what a hit does
// by power, energy, assist and gauges, the misses' cuts, the full cancel
// queue and the give-up hold.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/core/collision.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_ref.h"
#include "game/objects/fighter_hit.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

void fighterHitTestIdle(ObjTask* task) {
    if (task->state == kObjStateInit) {
        task->work = OBJworkNew();
        task->release = TSKgameCtrlKill;
        task->state = kObjStateRun;
    }
}

class FighterHitTest : public FighterFixture {
protected:
    void SetUp() override {
        FighterFixture::SetUp();
        setAutoGameSystem(0);
        eshotCancelClear();
        makeFighter();
        f().invulnerable = 0;
    }
    void TearDown() override {
        setAutoGameSystem(0);
        FighterFixture::TearDown();
    }
    ObjTask* attacker(int32_t group, int32_t kind = 0, int32_t ground = 0) {
        ObjTask* t = OBJtaskCreate(fighterHitTestIdle, group, objTag("TEST"));
        t->act(t);
        t->work->kind = kind;
        t->work->ground = ground;
        return t;
    }
    void hitBy(ObjTask* other) {
        work()->lastCollider = objRef(other);
        TSKfighterHit(task, work());
    }
    void setFullGauges(int32_t n) {
        for (int32_t i = 0; i < 4; ++i) f().teamGauges[i] = i < n ? kFighterGaugeFull : 0;
    }
};

TEST_F(FighterHitTest, HitChoosesEmergencyPowerUpAutoBombOrLoss) {
    enum Outcome { kEmergency, kBomb, kMiss, kMissLast };
    struct Case {
        int32_t powered, energy, assist, full;
        Outcome outcome;
    };
    const Case cases[] = {
        {0, 10000, 1, 4, kEmergency}, {1, 10000, 1, 4, kBomb}, {0, 10000, 0, 4, kBomb},
        {1, 3000, 0, 1, kBomb},       {0, 9999, 1, 4, kMiss},  {0, 0, 0, 2, kMiss},
        {0, 0, 0, 1, kMissLast},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.powered << " " << c.energy << " " << c.assist << " " << c.full);
        setAutoGameSystem(c.assist);
        setFullGauges(c.full);
        fighterSetType(0);
        f().powerUp = c.powered;
        f().energy = c.energy;
        f().bombActive = f().fireLock = f().misses = f().invulnerable = 0;
        hitBy(attacker(kGroupEnemyShots));
        switch (c.outcome) {
        case kEmergency:
            EXPECT_EQ(f().powerUp, 1);
            EXPECT_EQ(f().bombActive, 0);
            EXPECT_EQ(f().doubleDrain, 1);
            EXPECT_GE(f().invulnerable, 180);
            EXPECT_EQ(f().teamGauges[0], kFighterGaugeFull);
            break;
        case kBomb:
            EXPECT_EQ(f().bombActive, 1);
            EXPECT_EQ(f().autoBomb, 1);
            EXPECT_EQ(f().energy, 0);
            EXPECT_EQ(f().teamGauges[0], kFighterGaugeFull);
            break;
        case kMiss:
            EXPECT_EQ(f().teamGauges[0], 0);
            EXPECT_EQ(f().type, 1);
            EXPECT_EQ(f().fireLock, 120);
            EXPECT_EQ(f().misses, 1);
            break;
        case kMissLast:
            EXPECT_EQ(f().teamGauges[0], 0);
            EXPECT_EQ(f().fireLock, 180);
            EXPECT_GE(eshotCancelQueue.countdown, 180);
            break;
        }
    }
}

TEST_F(FighterHitTest, LastLossLeavesTheFighterWaiting) {
    setFullGauges(1);
    f().energy = 0;
    hitBy(attacker(kGroupEnemies));
    for (int i = 0; i < 200 && task->state == kObjStateRun; ++i) frame(0);
    EXPECT_TRUE(task->state == kFighterStateWaiting || task->state == kFighterStateWaitingReady) << task->state;
}

TEST_F(FighterHitTest, HarmlessAttackersAndInvulnerabilityChangeNothing) {
    struct Case {
        int32_t group, kind, ground, invulnerable;
    };
    const Case cases[] = {{kGroupEnemies, 3, 1, 0},  {kGroupEnemies, 57, 0, 0},     {kGroupEnemies, 58, 0, 0},
                          {kGroupEnemies, 59, 0, 0}, {kGroupEnemyShots, 0, 0, 5}, {kGroupSpecialEnemyShots, 0, 0, 1}};
    for (const Case& c : cases) {
        setFullGauges(4);
        f().energy = 0;
        f().invulnerable = c.invulnerable;
        hitBy(attacker(c.group, c.kind, c.ground));
        EXPECT_EQ(f().teamGauges[0], kFighterGaugeFull) << c.group << " " << c.kind;
        EXPECT_EQ(f().misses, 0) << c.group << " " << c.kind;
    }
}

TEST_F(FighterHitTest, MissKeepsDestructionAndBonusByMode) {
    struct Case {
        int32_t mode, playType, destruction, bonus;
    };
    const Case cases[] = {{0, 0, 900, 0}, {1, 0, 900, 0}, {2, 0, 850, 0}, {3, 0, 800, 0}, {3, 2, 900, 50}};
    for (const Case& c : cases) {
        setGameMode(c.mode);
        menuResultCode = c.playType;
        setFullGauges(4);
        f().destruction = 1000;
        f().bonusCounter = 100;
        f().rank = 10;
        fighterMiss(work());
        EXPECT_EQ(f().destruction, c.destruction) << c.mode << " " << c.playType;
        EXPECT_EQ(f().bonusCounter, c.bonus) << c.mode << " " << c.playType;
        EXPECT_EQ(f().rank, c.playType == 2 ? 5 : 8) << c.mode << " " << c.playType;
    }
    menuResultCode = 0;
}

TEST_F(FighterHitTest, LastMissWithAFullCancelQueueDropsTheRequest) {
    for (EshotCancelSlot& slot : eshotCancelQueue.slots) slot = {7, 3, 1, 1, 0};
    eshotCancelQueue.countdown = 20;
    fighterMissLast(work());
    for (const EshotCancelSlot& slot : eshotCancelQueue.slots) EXPECT_EQ(slot.ownerSerial, 7u);
    EXPECT_EQ(eshotCancelQueue.countdown, 180);
    eshotCancelClear();
    eshotCancelQueue.countdown = 400;
    fighterMissLast(work());
    EXPECT_EQ(eshotCancelQueue.slots[0].ownerSerial, 0u);
    EXPECT_EQ(eshotCancelQueue.slots[0].level, -1);
    EXPECT_EQ(eshotCancelQueue.countdown, 400);
}

TEST_F(FighterHitTest, GiveUpAfter300HeldFramesResetOnRelease) {
    f().frameCount = 100;
    padHeld = 0x10 | 0x20 | 0x40 | 0x8000;
    for (int i = 0; i < 299; ++i) fighterGiveUpHold(work());
    EXPECT_EQ(f().giveUpHoldCount, 299);
    padHeld = 0x10 | 0x20 | 0x40;
    fighterGiveUpHold(work());
    EXPECT_EQ(f().giveUpHoldCount, 0);
    padHeld = 0x10 | 0x20 | 0x40 | 0x8000;
    for (int i = 0; i < 300; ++i) fighterGiveUpHold(work());
    EXPECT_EQ(f().giveUpHoldCount, 300);
    EXPECT_EQ(f().giveUpDone, 1);
    for (int32_t g : f().teamGauges) EXPECT_EQ(g, 0);
    EXPECT_EQ(f().fireLock, 180);
    padHeld = 0;
}

}  // namespace
