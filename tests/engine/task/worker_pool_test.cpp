// The worker pool with a single worker, so that jobs run one at a time in the
// order the worker step releases them.
#include "engine/task/worker_pool.h"

#include <gtest/gtest.h>

#include <thread>

#include "engine/task/task_set.h"
#include "platform/clock/fake_clock.h"
#include "tests/engine/task/task_log.h"

namespace {

const bool oneWorker = MWorkerPool::setThreadCount(1);

using Log = std::vector<std::string>;

class WorkerPoolTest : public testing::Test {
protected:
    void SetUp() override { platform::setClock(&clock_); }
    void TearDown() override { platform::setClock(nullptr); }

    platform::FakeClock clock_;
};

// A worker-flagged task whose update takes `micros` of fake time.
LogTask* costlyTask(TaskLog& log, const char* name, platform::FakeClock& clock, int micros) {
    LogTask* task =
        new LogTask(log, name, [&clock, micros](LogTask&) { clock.advanceMicroseconds(micros); });
    task->setWorker(true);
    return task;
}

TEST_F(WorkerPoolTest, RunsWithTheThreadCountSetBeforeItsCreation) {
    EXPECT_TRUE(oneWorker);
    EXPECT_EQ(getWorkerPool().getThreadCount(), 1);
    EXPECT_FALSE(MWorkerPool::setThreadCount(4));
}

TEST_F(WorkerPoolTest, JobsRunCostliestFirstWithEqualCostsInQueueOrder) {
    TaskLog log;
    MParallelTaskSet set;
    // Averages after one job each: 40/8 = 5, 72/8 = 9, 72/8 = 9.
    set.add(costlyTask(log, "five", clock_, 40));
    set.add(costlyTask(log, "nine", clock_, 72));
    set.add(costlyTask(log, "nine'", clock_, 72));
    set.update();
    EXPECT_EQ(log.take(), (Log{})) << "worker updates wait for the worker step";
    getWorkerPool().runJobs();
    EXPECT_EQ(log.take(), (Log{"u:five", "u:nine", "u:nine'"}));
    set.update();
    getWorkerPool().runJobs();
    EXPECT_EQ(log.take(), (Log{"u:nine", "u:nine'", "u:five"}));
}

TEST_F(WorkerPoolTest, WorkerTimeIsAnEighthWeightedAverage) {
    TaskLog log;
    MParallelTaskSet set;
    LogTask* task = costlyTask(log, "t", clock_, 800);
    set.add(task);
    const uint32_t expected[] = {100, 187, 263};
    for (uint32_t average : expected) {
        set.update();
        getWorkerPool().runJobs();
        EXPECT_EQ(task->getWorkerTimeAverage(), average);
    }
}

TEST_F(WorkerPoolTest, ATaskDestroyedWhileItsJobIsQueuedWithdrawsIt) {
    TaskLog log;
    LogTask* gone = costlyTask(log, "gone", clock_, 0);
    LogTask kept(log, "kept");
    kept.setWorker(true);
    runTask(gone);
    runTask(&kept);
    delete gone;
    getWorkerPool().runJobs();
    EXPECT_EQ(log.take(), (Log{"~gone", "u:kept"}));
    getWorkerPool().runJobs();
    EXPECT_EQ(log.take(), (Log{})) << "a job runs once";
}

TEST_F(WorkerPoolTest, AQueuedTaskIsQueuedOnlyOnce) {
    TaskLog log;
    LogTask task(log, "t");
    task.setWorker(true);
    runTask(&task);
    runTask(&task);
    getWorkerPool().runJobs();
    EXPECT_EQ(log.take(), (Log{"u:t"}));
}

// Posts a deferred call from its worker update; the call logs its thread.
class DeferringTask : public LogTask {
public:
    DeferringTask(TaskLog& log, std::string name)
        : LogTask(log, name, [](LogTask& self) { self.postDeferred(); }),
          log_(log),
          name_(std::move(name)) {
        setWorker(true);
    }
    void runDeferred() override {
        log_.add("deferred:" + name_ +
                 (std::this_thread::get_id() == mainThread_ ? "@main" : "@worker"));
    }

private:
    TaskLog& log_;
    std::string name_;
    std::thread::id mainThread_ = std::this_thread::get_id();
};

TEST_F(WorkerPoolTest, DeferredCallsRunOnTheMainThreadInQueueOrderUnlessWithdrawn) {
    TaskLog log;
    MParallelTaskSet set;
    set.add(new DeferringTask(log, "a"));
    DeferringTask* gone = new DeferringTask(log, "gone");
    set.add(gone);
    set.add(new DeferringTask(log, "c"));
    set.update();
    getWorkerPool().runJobs();
    EXPECT_EQ(log.take(), (Log{"u:a", "u:gone", "u:c"}));
    set.remove(gone);
    delete gone;
    getWorkerPool().runDeferredCalls();
    EXPECT_EQ(log.take(), (Log{"~gone", "deferred:a@main", "deferred:c@main"}));
    getWorkerPool().runDeferredCalls();
    EXPECT_EQ(log.take(), (Log{}));
}

TEST_F(WorkerPoolTest, WorkerHeadOfASerialSetStaysHeadUntilAfterItsJobRan) {
    TaskLog log;
    MSerialTaskSet set;
    LogTask* head = new LogTask(log, "w", finish);
    head->setWorker(true);
    set.add(head);
    set.add(new LogTask(log, "next"));
    set.update();
    EXPECT_EQ(log.take(), (Log{}));
    getWorkerPool().runJobs();
    EXPECT_EQ(log.take(), (Log{"u:w"}));
    set.update();
    EXPECT_EQ(log.take(), (Log{"~w", "u:next"}));
}

}  // namespace
