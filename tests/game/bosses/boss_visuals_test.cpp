// The boss-intro visuals over motions made by our motion builder: the shared
// motion draw, and what a visual does without a slot.
#include <gtest/gtest.h>

#include "game/bosses/boss_visuals.h"
#include "game/core/draw_store.h"
#include "game/stages/field_layers.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

class BossVisualTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        OBJdrawRequestsClear();
        fieldLayerSharedTint = {200, 150, 100};
    }
    void TearDown() override {
        OBJdrawRequestsClear();
        fieldLayerSharedTint = {255, 255, 255};
        BossFixture::TearDown();
    }
    static int motionRequests() {
        int n = 0;
        for (int i = 0; i < OBJdrawStoreCount(); ++i) n += OBJdrawStoreEntry(i)->type == kDrawMotion ? 1 : 0;
        return n;
    }
};

TEST_F(BossVisualTest, DrawQueuesTheSlotInTheFieldTint) {
    cacheBossMotion("st3bossvisual", {{"st3bossvisual", {{"start", 30}, {"loop", 20}}, {}}});
    ObjWork* work = OBJworkNew();
    work->motionSlot0 = SDL2_wheel_MotionCreate(430, "st3bossvisual");
    ASSERT_GE(work->motionSlot0, 0);
    TSKbossVisualDraw(nullptr, work);
    ASSERT_EQ(motionRequests(), 1);
    const DrawObj* entry = nullptr;
    for (int i = 0; i < OBJdrawStoreCount(); ++i) {
        if (OBJdrawStoreEntry(i)->type == kDrawMotion) entry = OBJdrawStoreEntry(i);
    }
    EXPECT_EQ(entry->motionSlot, work->motionSlot0);
    EXPECT_EQ(entry->layer, 430);
    EXPECT_FLOAT_EQ(entry->alpha, 1.0f);
    EXPECT_EQ(entry->r, 200);
    EXPECT_EQ(entry->g, 150);
    EXPECT_EQ(entry->b, 100);
    OBJworkFree(work);
}

TEST_F(BossVisualTest, DrawWithoutASlotQueuesNothing) {
    ObjWork* work = OBJworkNew();
    work->motionSlot0 = -1;
    TSKbossVisualDraw(nullptr, work);
    EXPECT_EQ(motionRequests(), 0);
    OBJworkFree(work);
}

}  // namespace
