// Kind 128, the stage-5 boss's appear effect over a "st05boss" with an
// "appear" label: its record, and the sounds and the music of its timeline.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "game/bosses/boss_kinds.h"
#include "game/core/obj_task.h"
#include "game/core/sound_requests.h"
#include "game/stages/enemies/enemy_damage.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

class St05bossAppearTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        cacheBossMotion("st05boss", {{"st05boss", {{"appear", 700}, {"form1_default", 40}}, {}}});
    }
};

TEST_F(St05bossAppearTest, TheRecordIsAMotionOnlyEffect) {
    ObjTask* appear = spawnBoss(128, 112.0f, 144.0f);
    ASSERT_NE(appear, nullptr);
    ObjWork* work = appear->work;
    EXPECT_EQ(appear->release, TSKgameCtrlKill);
    EXPECT_EQ(work->draw, TSKbossAppearDraw);
    EXPECT_EQ(work->hit, TSKenemyHit);
    EXPECT_EQ(work->attack, TSKenemyNoAttack);
    EXPECT_FLOAT_EQ(work->depth, 304.0f);
    EXPECT_EQ(enemy(work).sizeClass, 0);
    EXPECT_GE(work->motionSlot0, 0);
}

TEST_F(St05bossAppearTest, SoundsAt440And560AndTheMusicAt600) {
    ObjTask* appear = spawnBoss(128, 112.0f, 144.0f);
    ASSERT_NE(appear, nullptr);
    std::map<int, std::set<int32_t>> heard;
    int musicFrame = -1;
    for (int f = 0; f < 620 && appear->state == kObjStateRun; ++f) {
        soundLayerState().soundGuard.fill(0);
        soundLayerState().layerTarget = 1;
        appear->act(appear);
        for (int32_t id : {5, 26}) {
            if (soundLayerState().soundGuard[size_t(id)] > 0) heard[f].insert(id);
        }
        if (soundLayerState().layerTarget == 0 && musicFrame < 0) musicFrame = f;
    }
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard.begin()->first, 440);
    EXPECT_EQ(heard.begin()->second, std::set<int32_t>{26});
    EXPECT_EQ(heard.rbegin()->first, 560);
    EXPECT_EQ(heard.rbegin()->second, std::set<int32_t>{5});
    EXPECT_EQ(musicFrame, 600) << "the boss layer off with the boss music";
}

}  // namespace
