// The worker pool with four workers: every job of a step has ended when the
// step returns, and deferred calls reach the main thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/task/task_set.h"
#include "engine/task/worker_pool.h"

namespace {

const bool fourWorkers = MWorkerPool::setThreadCount(4);

std::atomic<int> updates{0};
int deferredOnMain = 0;

class CountingTask : public MTask {
public:
    void update() override {
        ++updates;
        postDeferred();
    }
    void runDeferred() override {
        if (std::this_thread::get_id() == mainThread_) ++deferredOnMain;
    }

private:
    std::thread::id mainThread_ = std::this_thread::get_id();
};

TEST(WorkerPoolThreads, EveryJobHasEndedWhenTheWorkerStepReturns) {
    ASSERT_TRUE(fourWorkers);
    ASSERT_EQ(getWorkerPool().getThreadCount(), 4);
    MParallelTaskSet set;
    for (int i = 0; i < 64; ++i) {
        MTask* task = new CountingTask;
        task->setWorker(true);
        set.add(task);
    }
    for (int frame = 1; frame <= 100; ++frame) {
        set.update();
        getWorkerPool().runJobs();
        ASSERT_EQ(updates.load(), 64 * frame);
        getWorkerPool().runDeferredCalls();
        ASSERT_EQ(deferredOnMain, 64 * frame);
    }
}

}  // namespace
