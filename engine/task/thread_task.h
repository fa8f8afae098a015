#pragma once
// MThreadTask: the root of every task. It carries what the worker pool keeps
// for the task (its measured worker time) and remembers whether a worker job
// or a deferred main-thread call for it is queued, so that destroying the task
// withdraws them and nothing ever runs for a task that no longer exists.
//
// Threads: the worker-time average is written by the worker that ran the
// task's job and read by the main thread after the worker step has joined.
// The job flag is set on the main thread and cleared by the worker when the
// job starts; the deferred flag is set by postDeferred on a worker thread and
// cleared on the main thread when the call runs. The worker step's semaphores
// order all of these. Destroy tasks on the main thread, outside the worker step.

#include <cstdint>

class MWorkerPool;

class MThreadTask {
public:
    MThreadTask() = default;
    MThreadTask(const MThreadTask&) = delete;
    MThreadTask& operator=(const MThreadTask&) = delete;
    virtual ~MThreadTask();

    // The body a worker job runs.
    virtual void exec() {}
    // The body a deferred call runs on the main thread.
    virtual void runDeferred() {}

    // Queues a call of runDeferred on the main thread, after this frame's
    // worker step. Called on a worker thread while this task's own job runs.
    void postDeferred();

    // Performance-counter ticks of this task's recent worker jobs, averaged.
    uint32_t getWorkerTimeAverage() const { return workerTimeAverage_; }

private:
    friend class MWorkerPool;

    uint32_t workerTimeAverage_ = 0;
    uint8_t jobInFlight_ = 0;
    uint8_t deferredQueued_ = 0;
};
