// The bomb over one fighter in play: how long it lasts, its shared box and
// a second bomb.
#include <gtest/gtest.h>

#include "game/objects/bomb.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

class BombTest : public FighterFixture {
protected:
    void SetUp() override {
        FighterFixture::SetUp();
        makeFighter();
    }
    static ObjTask* lastBomb() {
        ObjTask* found = nullptr;
        OBJtaskWalk(kGroupBombs, [&](ObjTask* t) { found = t; });
        return found;
    }
    // Fighter then bomb, as the act pass runs the groups; the frames until
    // the bomb task ends.
    int32_t runBomb(ObjTask* b) {
        int32_t n = 0;
        while (b->state == kObjStateRun && n < 1000) {
            frame(0);
            b->act(b);
            ++n;
        }
        return n;
    }
};

TEST_F(BombTest, AutomaticAndManualBombsLastTheirBombTime) {
    struct Case {
        int32_t autoBomb, frames, updates;
    };
    for (const Case c : {Case{1, 21, 20}, Case{0, 84, 83}}) {
        fighterStartBomb(work(), c.autoBomb);
        EXPECT_TRUE(fighterIsBombActive());
        ObjTask* b = lastBomb();
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(bomb(b->work).autoBomb, c.autoBomb);
        EXPECT_EQ(b->work->life, c.autoBomb ? 0 : 16);
        EXPECT_EQ(runBomb(b), c.frames) << c.autoBomb;
        EXPECT_EQ(bomb(b->work).frameCount, c.updates) << c.autoBomb;
        EXPECT_FALSE(fighterIsBombActive());
        OBJtaskRelease(b);
    }
}

TEST_F(BombTest, SharedBoxGrowsBy20To320AndASecondBombRestartsIt) {
    fighterStartBomb(work(), 0);
    ObjTask* first = lastBomb();
    EXPECT_EQ(bombSharedBox.halfWidth, 0.0f);
    for (int i = 1; i <= 16; ++i) {
        first->act(first);
        EXPECT_EQ(bombSharedBox.halfWidth, std::min(20.0f * float(i), kBombBoxMax)) << i;
        EXPECT_EQ(bombSharedBox.halfHeight, bombSharedBox.halfWidth);
    }
    EXPECT_EQ(bomb(first->work).phase, 0);
    first->act(first);
    EXPECT_EQ(bombSharedBox.halfWidth, kBombBoxMax);
    EXPECT_EQ(bomb(first->work).phase, 1);
    EXPECT_EQ(first->work->hitBoxes, &bombSharedBox);
    fighterStartBomb(work(), 1);
    EXPECT_EQ(bombSharedBox.halfWidth, 0.0f) << "a second bomb starts the box again";
    EXPECT_NE(lastBomb(), first);
}

TEST_F(BombTest, BombEndsWithoutAFighterOrInTheStageResult) {
    fighterStartBomb(work(), 0);
    ObjTask* b = lastBomb();
    stageResultActive = 1;
    b->act(b);
    EXPECT_EQ(b->state, kObjStateEnd);
    EXPECT_EQ(bomb(b->work).phase, 2);
    stageResultActive = 0;
}

}  // namespace
