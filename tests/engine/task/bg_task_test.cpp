// The background queues. Their managers live as long as the process and hook
// into one looper, so the whole binary shares one looper.
#include "engine/task/bg_task.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <semaphore>
#include <thread>

#include "engine/task/looper.h"
#include "tests/engine/task/task_log.h"
#include "tests/support/looper_environment.h"

namespace {

using Log = std::vector<std::string>;

// The owner's pass, then the post-loop phase that wakes the background threads.
void runFrame(MParallelTaskSet& owner) {
    runTask(&owner);
    runTask(&testLooper()->getPostLoopPhase());
}

// A body that logs its start and end and, when given a gate, waits at it.
struct Body {
    Body(TaskLog& log, std::string name, std::binary_semaphore* gate = nullptr)
        : log(log), name(std::move(name)), gate(gate) {}
    void run() {
        thread = std::this_thread::get_id();
        log.add(name + " start");
        started.release();
        if (gate) gate->acquire();
        log.add(name + " end");
        ended = true;
    }
    MBgTask* task(int queue) { return new MBgCallTask0<Body>(queue, this, &Body::run); }

    TaskLog& log;
    std::string name;
    std::binary_semaphore* gate;
    std::binary_semaphore started{0};
    std::atomic<bool> ended{false};
    std::thread::id thread;
};

TEST(BgTask, EveryQueueRunsItsTaskOnAThreadOfItsOwnAndTheOwnerDeletesIt) {
    TaskLog log;
    for (int queue = 0; queue < MBgTask::kQueueCount; ++queue) {
        Body body(log, "q" + std::to_string(queue));
        MParallelTaskSet owner;
        owner.add(body.task(queue));
        ASSERT_TRUE(runFramesUntil(owner, [&] { return owner.isEmpty(); })) << queue;
        EXPECT_TRUE(body.ended) << queue;
        EXPECT_NE(body.thread, std::this_thread::get_id()) << queue;
    }
}

TEST(BgTask, OneQueueRunsInQueueOrderWhileAnotherOvertakesIt) {
    TaskLog log;
    std::binary_semaphore gate{0};
    Body first(log, "first", &gate);
    Body second(log, "second");
    Body other(log, "other");
    MParallelTaskSet owner;
    owner.add(first.task(1));
    owner.add(second.task(1));
    runFrame(owner);
    first.started.acquire();
    owner.add(other.task(0));
    ASSERT_TRUE(runFramesUntil(owner, [&] { return other.ended.load(); }));
    gate.release();
    ASSERT_TRUE(runFramesUntil(owner, [&] { return owner.isEmpty(); }));
    EXPECT_EQ(log.take(), (Log{"first start", "other start", "other end", "first end",
                               "second start", "second end"}));
}

TEST(BgTask, CancelDuringTheBodyReturnsOnlyAfterTheBodyReturned) {
    TaskLog log;
    std::binary_semaphore gate{0};
    Body body(log, "body", &gate);
    MBgTask* task = body.task(2);
    MParallelTaskSet owner;
    owner.add(task);
    runFrame(owner);
    body.started.acquire();
    std::thread opener([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        gate.release();
    });
    task->cancel();
    EXPECT_TRUE(body.ended);
    opener.join();
}

// A background task of its own kind, without MBgCallTask0's cancel.
class PlainBgTask : public MBgTask {
public:
    explicit PlainBgTask(TaskLog& log) : MBgTask(3), log_(log) {}
    void run() override { log_.add("plain"); }

private:
    TaskLog& log_;
};

TEST(BgTask, ATaskCancelledOrDeletedBeforeItsBodyStartsNeverRuns) {
    TaskLog log;
    std::binary_semaphore gate{0};
    Body blocker(log, "blocker", &gate);
    Body cancelled(log, "cancelled");
    Body deleted(log, "deleted");
    MParallelTaskSet owner;
    owner.add(blocker.task(3));
    runFrame(owner);
    blocker.started.acquire();  // the queue's thread is busy from here on

    MBgTask* cancelledTask = cancelled.task(3);
    owner.add(cancelledTask);
    runFrame(owner);
    cancelledTask->cancel();
    owner.remove(cancelledTask);
    delete cancelledTask;
    delete deleted.task(3);  // created and deleted before any update
    MBgTask* plain = new PlainBgTask(log);
    owner.add(plain);
    runFrame(owner);
    owner.remove(plain);
    delete plain;  // still queued

    gate.release();
    ASSERT_TRUE(runFramesUntil(owner, [&] { return owner.isEmpty(); }));
    for (int i = 0; i < 5; ++i) runFrame(owner);
    EXPECT_EQ(log.take(), (Log{"blocker start", "blocker end"}));
}

}  // namespace
