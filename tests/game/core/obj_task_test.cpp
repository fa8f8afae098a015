#include "game/core/obj_task.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "game/core/obj_work.h"

namespace {

void noAct(ObjTask*) {}

class ObjTaskTest : public ::testing::Test {
protected:
    void SetUp() override { OBJtaskPoolInit(); }

    static std::vector<ObjTask*> walk(int group) {
        std::vector<ObjTask*> tasks;
        OBJtaskWalk(group, [&](ObjTask* task) { tasks.push_back(task); });
        return tasks;
    }
};

TEST_F(ObjTaskTest, TagPutsFirstCharacterInTheHighByte) {
    EXPECT_EQ(objTag("FIGH"), 0x46494748u);
}

TEST_F(ObjTaskTest, PoolRunsOutAt20001AndReusesTheLastReleasedRecord) {
    std::vector<ObjTask*> made;
    for (int i = 0; i < kObjTaskPoolSize; ++i) {
        ObjTask* task = OBJtaskCreate(noAct, i % kObjTaskGroups, objTag("ZAKO"));
        ASSERT_NE(task, nullptr) << i;
        made.push_back(task);
    }
    EXPECT_EQ(OBJtaskCreate(noAct, 7, objTag("ZAKO")), nullptr);
    EXPECT_EQ(OBJtaskCreateTail(noAct, 7, objTag("ZAKO")), nullptr);
    ObjTask* released = made[1234];
    OBJtaskRelease(released);
    EXPECT_EQ(OBJtaskCreateTail(noAct, 3, objTag("ITEM")), released);
    EXPECT_EQ(released->group, 3);
    EXPECT_EQ(released->tag, objTag("ITEM"));
}

TEST_F(ObjTaskTest, HeadCreationStepsFirstAndTailCreationInOrder) {
    ObjTask* a = OBJtaskCreate(noAct, 5, objTag("FILD"));
    ObjTask* b = OBJtaskCreate(noAct, 5, objTag("FILD"));
    ObjTask* c = OBJtaskCreateTail(noAct, 5, objTag("FILD"));
    EXPECT_EQ(walk(5), (std::vector<ObjTask*>{b, a, c}));
    EXPECT_EQ(a->flags, kObjTaskLive);
    EXPECT_EQ(a->state, kObjStateInit);
}

TEST_F(ObjTaskTest, TaskReleasingItselfMidWalkLetsTheWalkGoOn) {
    ObjTask* first = OBJtaskCreateTail(noAct, 8, objTag("EFCT"));
    ObjTask* self = OBJtaskCreateTail([](ObjTask* task) { OBJtaskRelease(task); }, 8, objTag("EFCT"));
    ObjTask* last = OBJtaskCreateTail(noAct, 8, objTag("EFCT"));
    std::vector<ObjTask*> stepped;
    OBJtaskWalk(8, [&](ObjTask* task) {
        stepped.push_back(task);
        task->act(task);
    });
    EXPECT_EQ(stepped, (std::vector<ObjTask*>{first, self, last}));
    EXPECT_EQ(walk(8), (std::vector<ObjTask*>{first, last}));
    EXPECT_EQ(OBJtaskFreeHead(), self);
    EXPECT_EQ(self->flags, 0u);
    EXPECT_EQ(self->tag, kObjTagNone);
}

TEST_F(ObjTaskTest, TaskCreatedAtTheTailDuringAWalkIsReachedInTheSameWalk) {
    OBJtaskCreateTail([](ObjTask*) { OBJtaskCreateTail(noAct, 11, objTag("ESHT")); }, 11, objTag("ESHT"));
    int steps = 0;
    OBJtaskWalk(11, [&](ObjTask* task) {
        ++steps;
        if (steps == 1) task->act(task);
    });
    EXPECT_EQ(steps, 2);
}

int releaseCalls = 0;

TEST_F(ObjTaskTest, ReleaseAllKeepsTheGivenAndPersistentTasksInOrder) {
    releaseCalls = 0;
    ObjTask* control = OBJtaskCreateTail(noAct, 0, objTag("GCTR"));
    control->flags |= kObjTaskPersistent;
    ObjTask* quake = OBJtaskCreateTail(noAct, 0, objTag("QUAK"));
    ObjTask* keep = OBJtaskCreateTail(noAct, 13, objTag("FADE"));
    for (int group : {6, 13, 13, 31}) {
        ObjTask* task = OBJtaskCreateTail(noAct, group, objTag("ZAKO"));
        task->release = [](ObjTask*) { ++releaseCalls; };
    }
    OBJtaskReleaseAll(keep);
    EXPECT_EQ(releaseCalls, 4);
    EXPECT_EQ(walk(0), (std::vector<ObjTask*>{control}));
    EXPECT_EQ(walk(13), (std::vector<ObjTask*>{keep}));
    EXPECT_TRUE(walk(6).empty());
    EXPECT_TRUE(walk(31).empty());
    EXPECT_EQ(quake->flags, 0u);
}

TEST_F(ObjTaskTest, ReleaseByTagAndCountByTag) {
    for (const char* tag : {"ESHT", "ZAKO", "ESHT"}) {
        OBJtaskCreateTail(noAct, 7, objTag(*reinterpret_cast<const char(*)[5]>(tag)));
    }
    EXPECT_EQ(OBJtaskCountByTag(7, objTag("ESHT")), 2);
    EXPECT_EQ(OBJtaskCountByTag(12, objTag("ESHT")), 0);
    OBJtaskReleaseByTag(objTag("ESHT"));
    EXPECT_EQ(OBJtaskCountByTag(7, objTag("ESHT")), 0);
    EXPECT_EQ(OBJtaskCountByTag(7, objTag("ZAKO")), 1);
}

TEST_F(ObjTaskTest, GroupOutsideTheListsCreatesNothing) {
    EXPECT_EQ(OBJtaskCreate(noAct, kObjTaskGroups, objTag("ZAKO")), nullptr);
    EXPECT_EQ(OBJtaskCreateTail(noAct, -1, objTag("ZAKO")), nullptr);
    EXPECT_EQ(OBJtaskFreeHead(), OBJtaskPool());
}

TEST_F(ObjTaskTest, SecondReleaseOfARecordIsIgnored) {
    ObjTask* a = OBJtaskCreate(noAct, 1, objTag("FILD"));
    OBJtaskRelease(a);
    OBJtaskRelease(a);
    EXPECT_EQ(OBJtaskCreate(noAct, 1, objTag("FILD")), a);
    EXPECT_NE(OBJtaskCreate(noAct, 1, objTag("FILD")), a);
}

TEST_F(ObjTaskTest, ReleasedRecordStillHoldingItsWorkEndsTheProcess) {
    ObjTask* fighter = OBJtaskCreate(noAct, 9, objTag("FIGH"));
    fighter->work = reinterpret_cast<ObjWork*>(fighter);
    OBJtaskRelease(fighter);
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            OBJtaskCreate(noAct, 8, objTag("EFCT"));
        },
        ::testing::ExitedWithCode(255), "not release object task! \\(group is 9 'FIGH'\\)");
    fighter->work = nullptr;
}

struct ObjTaskTouchCase {
    const char* name;
    void (*step)(ObjTask* aside, ObjTask* other);
    bool touches;
};

TEST_F(ObjTaskTest, ReachingOrChangingAGroupTouchesItButNotTheTaskSetAside) {
    const ObjTaskTouchCase cases[] = {
        {"the task set aside resolved", [](ObjTask* aside, ObjTask*) { objRefTask(objRef(aside)); }, false},
        {"another task resolved", [](ObjTask*, ObjTask* other) { objRefTask(objRef(other)); }, true},
        {"a reference that no longer resolves", [](ObjTask*, ObjTask*) { objRefTask({1, 999999u}); }, false},
        {"the group walked", [](ObjTask*, ObjTask*) { OBJtaskWalk(7, [](ObjTask*) {}); }, true},
        {"another group walked", [](ObjTask*, ObjTask*) { OBJtaskWalk(8, [](ObjTask*) {}); }, false},
        {"a task created", [](ObjTask*, ObjTask*) { OBJtaskCreateTail(noAct, 7, objTag("ZAKN")); }, true},
        {"a task released",
         [](ObjTask*, ObjTask*) { OBJtaskRelease(OBJtaskCreate(noAct, 8, objTag("EFCT"))); }, false},
    };
    ObjTask* aside = OBJtaskCreate(noAct, 7, objTag("ZAKA"));
    ObjTask* other = OBJtaskCreate(noAct, 7, objTag("ZAKB"));
    aside->work = OBJworkNew();
    other->work = OBJworkNew();
    EXPECT_EQ(OBJtaskSetAside(aside), nullptr);
    for (const ObjTaskTouchCase& c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t before = OBJtaskGroupTouches(7);
        c.step(aside, other);
        EXPECT_EQ(OBJtaskGroupTouches(7) != before, c.touches);
    }
    EXPECT_EQ(OBJtaskSetAside(nullptr), aside);
    const uint32_t before = OBJtaskGroupTouches(7);
    OBJtaskRelease(other);
    EXPECT_NE(OBJtaskGroupTouches(7), before) << "a release in the group";
    for (ObjTask* task : {aside, other}) {
        OBJworkFree(task->work);
        task->work = nullptr;
    }
}

}  // namespace
