// The stage-5 field's direct entry of the true last boss: kind 105 made at
// stage frame 22002 while st05DirectBoss2 is set, and only then.
#include "game/bosses/boss_flags.h"
#include "tests/game/stages/stage_fixture.h"

namespace {

class St05boss2FieldTest : public StageFixture {
protected:
    void SetUp() override {
        StageFixture::SetUp();
        bossFlagsClear();
        stageSpawnAct = [](int32_t kind) -> ObjTaskFn {
            return kind == 105 ? stageFixtureRecordAct : stageFixtureActOf(kind);
        };
    }
    void TearDown() override {
        bossFlagsClear();
        StageFixture::TearDown();
    }
    static std::vector<ObjWork*> bosses() {
        std::vector<ObjWork*> found;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->work != nullptr && t->work->kind == 105) found.push_back(t->work);
        });
        return found;
    }
};

TEST_F(St05boss2FieldTest, TheDirectFlagBringsTheBossAtFrame22002) {
    const struct {
        int32_t stage, frame;
        uint8_t flag;
        size_t made;
    } cases[] = {{5, 22002, 1, 1}, {5, 22002, 0, 0}, {5, 22001, 1, 0}, {5, 22003, 1, 0}, {4, 22002, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stage) + " at " + std::to_string(c.frame));
        OBJtaskReleaseAll(nullptr);
        stageFieldReset();
        makeField(c.stage);
        st05DirectBoss2 = c.flag;
        stageFrame = c.frame;
        spawnCursor = 1000;
        pass();
        const std::vector<ObjWork*> made = bosses();
        ASSERT_EQ(made.size(), c.made);
        if (c.made == 0) continue;
        EXPECT_EQ(made[0]->x, 112.0f);
        EXPECT_EQ(made[0]->y, 144.0f);
    }
}

}  // namespace
