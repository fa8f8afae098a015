#include "engine/task/task_set.h"

#include <gtest/gtest.h>

#include "engine/task/call_task.h"
#include "engine/task/process.h"
#include "tests/engine/task/task_log.h"

namespace {

using Log = std::vector<std::string>;

TEST(SerialTaskSet, FinishedHeadsAreDeletedAndTheirSuccessorRunsInTheSameFrame) {
    TaskLog log;
    MSerialTaskSet set;
    set.add(new LogTask(log, "a", finish));
    set.add(new LogTask(log, "b", finish));
    set.add(new LogTask(log, "c", finish));
    set.add(new LogTask(log, "d"));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:a", "~a", "u:b", "~b", "u:c", "~c", "u:d"}));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:d"}));
}

TEST(SerialTaskSet, SuspendedHeadIsDroppedWithoutDeletion) {
    TaskLog log;
    LogTask suspended(log, "s");
    suspended.suspend();
    MSerialTaskSet set;
    set.add(&suspended);
    set.add(new LogTask(log, "n"));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:n"}));
    set.draw(0);
    EXPECT_EQ(log.take(), (Log{"d:n"}));
    set.clear();
    EXPECT_EQ(log.take(), (Log{"~n"}));
}

TEST(SerialTaskSet, DrawsOnlyAVisibleHead) {
    TaskLog log;
    MSerialTaskSet set;
    LogTask* head = new LogTask(log, "h");
    set.add(head);
    set.add(new LogTask(log, "x"));
    set.draw(3);
    EXPECT_EQ(log.take(), (Log{"d:h@3"}));
    head->hide();
    set.draw(0);
    EXPECT_TRUE(log.take().empty());
}

TEST(SerialTaskSet, AddAfterRunningOffTheEndAppendsToTheEmptyList) {
    TaskLog log;
    MSerialTaskSet set;
    set.add(new LogTask(log, "a", finish));
    set.update();
    EXPECT_TRUE(set.isEmpty());
    set.add(new LogTask(log, "b"));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:a", "~a", "u:b"}));
}

TEST(ParallelTaskSet, RunsEveryChildAndDeletesAFinisherBeforeItsNextSibling) {
    TaskLog log;
    MParallelTaskSet set;
    set.add(new LogTask(log, "a"));
    set.add(new LogTask(log, "f", finish));
    set.add(new LogTask(log, "b"));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:a", "u:f", "~f", "u:b"}));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:a", "u:b"}));
}

TEST(ParallelTaskSet, FlagsDecideWhatIsUpdatedDrawnAndKept) {
    struct Case {
        const char* name;
        void (*prepare)(MTask&);
        bool updated;
        bool drawn;
        bool kept;
    };
    const Case cases[] = {
        {"running", [](MTask&) {}, true, true, true},
        {"hidden", [](MTask& t) { t.hide(); }, true, false, true},
        {"suspended", [](MTask& t) { t.suspend(); }, false, true, true},
        {"finished", [](MTask& t) { t.setState(MTask::kFinished); }, false, false, false},
    };
    for (const Case& c : cases) {
        TaskLog log;
        MParallelTaskSet set;
        LogTask* task = new LogTask(log, "t");
        c.prepare(*task);
        set.add(task);
        set.draw(0);
        set.update();
        const Log entries = log.take();
        const auto has = [&](const char* e) {
            return std::find(entries.begin(), entries.end(), e) != entries.end();
        };
        EXPECT_EQ(has("u:t"), c.updated) << c.name;
        EXPECT_EQ(has("d:t"), c.drawn) << c.name;
        EXPECT_EQ(!has("~t"), c.kept) << c.name;
    }
}

TEST(ParallelTaskSet, ChildMayAddToTheRunningSet) {
    TaskLog log;
    MParallelTaskSet set;
    set.enableMutex();
    set.add(new LogTask(log, "spawner", [&](LogTask& self) {
        set.add(new LogTask(log, "child"));
        finish(self);
    }));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:spawner", "~spawner", "u:child"}));
}

TEST(SerialTaskSet, ChildMayAddToTheRunningSet) {
    TaskLog log;
    MSerialTaskSet set;
    set.enableMutex();
    set.add(new LogTask(log, "spawner", [&](LogTask& self) {
        set.add(new LogTask(log, "next"));
        finish(self);
    }));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:spawner", "~spawner", "u:next"}));
    set.add(new LogTask(log, "later"));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:next"}));
}

TEST(TaskSet, RemoveOfTheTailMakesTheNextAddFollowTheNewLast) {
    TaskLog log;
    MParallelTaskSet set;
    LogTask tail(log, "tail");
    set.add(new LogTask(log, "a"));
    set.add(&tail);
    set.remove(&tail);
    set.remove(&tail);  // not a child any more: nothing
    set.add(new LogTask(log, "b"));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:a", "u:b"}));
}

TEST(TaskSet, RemoveOfTheOnlyChildEmptiesTheList) {
    TaskLog log;
    MParallelTaskSet set;
    LogTask only(log, "only");
    set.add(&only);
    set.remove(&only);
    EXPECT_TRUE(set.isEmpty());
    set.add(new LogTask(log, "b"));
    set.update();
    EXPECT_EQ(log.take(), (Log{"u:b"}));
}

TEST(TaskSet, ClearAndDestructionDeleteChildrenInListOrder) {
    TaskLog log;
    {
        MParallelTaskSet set;
        set.enableMutex();
        set.add(new LogTask(log, "a"));
        set.add(new LogTask(log, "b"));
        set.clear();
        EXPECT_EQ(log.take(), (Log{"~a", "~b"}));
        set.add(new LogTask(log, "c"));
        set.add(new LogTask(log, "d"));
    }
    EXPECT_EQ(log.take(), (Log{"~c", "~d"}));
}

class LogProcess : public MProcess {
public:
    LogProcess(TaskLog& log, std::function<void(LogProcess&)> onStep = {})
        : log_(log), onStep_(std::move(onStep)) {}
    void step() override {
        log_.add("step");
        if (onStep_) onStep_(*this);
    }

private:
    TaskLog& log_;
    std::function<void(LogProcess&)> onStep_;
};

TEST(Process, StepsOnlyInFramesThatBeginWithAnEmptySerialSet) {
    TaskLog log;
    LogProcess process(log);
    process.getSerialSet().add(new LogTask(log, "s", finish));
    process.getParallelSet().add(new LogTask(log, "p"));
    process.update();
    EXPECT_EQ(log.take(), (Log{"u:s", "~s", "u:p"}));
    process.update();
    EXPECT_EQ(log.take(), (Log{"step", "u:p"}));
}

TEST(Process, SubTasksAddedByTheStepRunInTheSameFrame) {
    TaskLog log;
    LogProcess process(log,
                       [&](LogProcess& self) { self.getSerialSet().add(new LogTask(log, "s")); });
    process.update();
    EXPECT_EQ(log.take(), (Log{"step", "u:s"}));
    process.update();
    EXPECT_EQ(log.take(), (Log{"u:s"}));
}

TEST(Process, DrawsParallelSubTasksBeneathSerialOnesAndHonoursSetFlags) {
    TaskLog log;
    LogProcess process(log);
    process.getSerialSet().add(new LogTask(log, "s"));
    process.getParallelSet().add(new LogTask(log, "p"));
    process.draw(0);
    EXPECT_EQ(log.take(), (Log{"d:p", "d:s"}));
    process.getParallelSet().hide();
    process.getSerialSet().suspend();
    process.draw(0);
    EXPECT_EQ(log.take(), (Log{"d:s"}));
    process.update();  // a hidden set still runs; a suspended one does not
    EXPECT_EQ(log.take(), (Log{"u:p"}));
}

TEST(Process, DestructionClearsParallelThenSerialSubTasks) {
    TaskLog log;
    {
        LogProcess process(log);
        process.getSerialSet().add(new LogTask(log, "s"));
        process.getParallelSet().add(new LogTask(log, "p"));
    }
    EXPECT_EQ(log.take(), (Log{"~p", "~s"}));
}

TEST(CallTask, CallsItsTargetAndLetsTheSequenceGoOnInTheSameFrame) {
    TaskLog log;
    LogTask shown(log, "shown");
    MSerialTaskSet sequence;
    sequence.add(new MCallTask0<MTask>(&shown, &MTask::hide));
    sequence.add(new LogTask(log, "after"));
    sequence.update();
    EXPECT_TRUE(shown.isHidden());
    EXPECT_EQ(log.take(), (Log{"u:after"}));
}

}  // namespace
