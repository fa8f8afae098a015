// Items over one fighter in play: their motion by kind, the pick-up rule
// and what a pick-up gives.
#include <gtest/gtest.h>

#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/fighter_pickup.h"
#include "game/objects/item.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/rank_carriers.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

class ItemTest : public FighterFixture {
protected:
    void SetUp() override {
        FighterFixture::SetUp();
        itemLiveBombs = itemLiveChanges = itemLiveSways = 0;
        rankCarriersClear();
        makeFighter();
    }
    void TearDown() override {
        rankCarriersClear();
        FighterFixture::TearDown();
    }
    // The newest item.
    static ObjTask* lastItem() {
        ObjTask* found = nullptr;
        OBJtaskWalk(kItemGroup, [&](ObjTask* t) { found = t; });
        return found;
    }
    static ObjTask* makeItem(int32_t kind, float x, float y, int32_t delay = 0) {
        TSKitemCreate(kind, 512, 0.0f, delay, 0, x, y);
        return lastItem();
    }
    static void pass(ObjTask* t) { t->act(t); }
};

TEST_F(ItemTest, DelayedItemShowsAndIsTakenOnItsFourthPass) {
    ObjTask* t = makeItem(0, work()->x, work()->y, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(fighterPickUpApplies(t->work)) << i;
        pass(t);
        EXPECT_EQ(t->work->hitBoxCount, 0) << i;
    }
    pass(t);
    EXPECT_EQ(t->work->hitBoxCount, 1);
    EXPECT_TRUE(fighterPickUpApplies(t->work));
}

TEST_F(ItemTest, MedalRisesThenFallsBackPastItsStartOnPass22) {
    work()->x = 20.0f;
    ObjTask* t = makeItem(2, 200.0f, 200.0f);
    for (int i = 1; i <= 21; ++i) {
        pass(t);
        EXPECT_LE(t->work->y, 200.0f) << i;
    }
    pass(t);
    EXPECT_GT(t->work->y, 200.0f);
}

TEST_F(ItemTest, ChangeItemNeverShowsTheFlyingType) {
    ObjTask* t = makeItem(10, 112.0f, 100.0f);
    for (int i = 0; i < 800; ++i) {
        if (i == 300) fighterSetType(2);
        if (i == 500) fighterSetType(item(t->work).shownType);
        pass(t);
        ASSERT_NE(item(t->work).shownType, fighterGetType()) << i;
        ASSERT_EQ(t->work->spriteBase, 4641 + item(t->work).shownType) << i;
    }
    EXPECT_EQ(itemLiveChanges, 1);
    OBJtaskRelease(t);
    EXPECT_EQ(itemLiveChanges, 0);
}

TEST_F(ItemTest, LifeItemTurnsBackNineTimesThenLeaves) {
    fighterSetControl(0);
    ObjTask* t = makeItem(6, 112.0f, 20.0f);
    int32_t passes = 0;
    while (t->state == kObjStateRun && passes < 20000) {
        pass(t);
        ++passes;
        ASSERT_LE(item(t->work).bounces, 9);
    }
    EXPECT_EQ(t->state, kObjStateEnd);
    EXPECT_EQ(item(t->work).bounces, 9);
}

TEST_F(ItemTest, PickUpRuleNeverLosesAnItem) {
    struct Case {
        int32_t kind, stageClear, result, fireLock, weaponsOn;
        bool taken;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 1, true},   {0, 0, 0, 5, 1, false},  {0, 1, 1, 0, 0, true},   {5, 0, 0, 0, 1, true},
        {5, 1, 0, 0, 1, false},  {5, 0, 1, 0, 1, false},  {5, 0, 0, 9, 1, false},
        {6, 0, 0, 0, 1, true},   {6, 0, 0, 0, 0, false},  {6, 1, 0, 0, 1, false},  {11, 0, 0, 0, 0, false},
        {11, 1, 0, 0, 1, false}, {11, 0, 1, 0, 1, true},  {12, 0, 1, 0, 1, false}, {13, 1, 0, 0, 1, false},
        {10, 1, 1, 0, 0, true},  {7, 1, 0, 0, 0, true},
    };
    for (const Case& c : cases) {
        stageClearFlag = c.stageClear;
        stageResultActive = c.result;
        f().fireLock = c.fireLock;
        fighterSetWeaponsOn(c.weaponsOn);
        ObjTask* t = makeItem(c.kind, work()->x, work()->y);
        pass(t);
        EXPECT_EQ(fighterPickUpApplies(t->work), c.taken) << c.kind << c.stageClear << c.result << c.fireLock;
        TSKitemHit(t, t->work);
        EXPECT_EQ(t->state == kObjStateEnd, c.taken) << c.kind << c.stageClear << c.result << c.fireLock;
        EXPECT_EQ(t->work->hit == nullptr, c.taken);
        OBJtaskRelease(t);
    }
}

TEST_F(ItemTest, PickUpScoresAndFeedsBonusCarriersAndMedals) {
    struct Case {
        int32_t mode, kind;
        uint64_t worth;
        int32_t bonus, change, bomb, medal;
    };
    const Case cases[] = {
        {2, 4, 5000, 1, 0, 30, 3},  {0, 1, 100, 3, 0, 80, 0},  {1, 2, 300, 3, 0, 80, 1},
        {3, 3, 1000, 1, 0, 15, 2},  {2, 9, 0, 0, 210, 10, -1}, {0, 7, 0, 0, 45, 0, -1},
    };
    for (const Case& c : cases) {
        setGameMode(c.mode);
        fighterSetBonusCounter(0);
        f().score = 0;
        std::fill(std::begin(f().medals), std::end(f().medals), 0);
        itemCarrierChangeTimer = itemCarrierBombTimer = 0;
        const int32_t rate = enemyScoreRate();
        ObjTask* t = makeItem(c.kind, work()->x, work()->y);
        pass(t);
        TSKitemHit(t, t->work);
        ASSERT_EQ(t->state, kObjStateEnd);
        const uint64_t value = c.worth == 0 ? 0 : c.mode == 0 ? c.worth : c.worth + uint64_t(c.bonus);
        EXPECT_EQ(fighterGetScore(), fighterPickUpScore(value, rate)) << c.mode << " " << c.kind;
        EXPECT_EQ(fighterGetBonusCounter(), c.bonus) << c.mode << " " << c.kind;
        EXPECT_EQ(itemCarrierChangeTimer, c.change) << c.mode << " " << c.kind;
        EXPECT_EQ(itemCarrierBombTimer, c.bomb) << c.mode << " " << c.kind;
        if (c.medal >= 0) EXPECT_EQ(f().medals[c.medal], 1) << c.mode << " " << c.kind;
        OBJtaskRelease(t);
    }
    EXPECT_EQ(fighterPickUpScore(5001, 15), 7500u);
}

TEST_F(ItemTest, PickUpAt18000ArmsTheCarrier) {
    itemCarrierChangeTimer = kItemCarrierFull - 100;
    ObjTask* t = makeItem(9, work()->x, work()->y);
    pass(t);
    TSKitemHit(t, t->work);
    EXPECT_EQ(itemCarrierChangeTimer, kItemCarrierFull);
}

TEST_F(ItemTest, ChangeItemSwitchesToAFullTypeOrRefillsItsGauge) {
    ObjTask* t = makeItem(10, work()->x, work()->y);
    pass(t);
    const int32_t shown = item(t->work).shownType;
    TSKitemHit(t, t->work);
    EXPECT_EQ(fighterGetType(), shown);
    f().teamGauges[1] = 1000;
    fighterSetType(0);
    ObjTask* u = makeItem(10, work()->x, work()->y);
    item(u->work).shownType = 1;
    TSKitemHit(u, u->work);
    EXPECT_EQ(fighterGetType(), 0);
    EXPECT_EQ(fighterGetGauge(1), kFighterGaugeFull);
}

}  // namespace
