#pragma once
// MWorkerPool: the threads that run the updates of worker-flagged tasks, and
// the list of calls those updates defer to the main thread. The main loop's
// worker step sorts the queued jobs costliest first (by each task's recent
// worker time), releases them all at once and waits for every one, so long
// jobs start first and short ones fill in around them.
//
// One pool per process, created with its threads on the first getWorkerPool
// call and never destroyed; its threads live until the process exits.
//
// Threads: queueJob, withdrawJobs, runJobs and runDeferredCalls are called on
// the main thread; queueJob and withdrawJobs outside runJobs (from a task's
// update or destructor). postDeferred is called on worker threads during
// runJobs. The job list and the deferred list are guarded by the pool mutex
// wherever a worker may touch them; the ready semaphore hands the jobs over,
// and the count of unfinished jobs, which runJobs waits to reach zero, orders
// everything a job wrote before runJobs returns.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <semaphore>
#include <thread>
#include <vector>

#include "engine/task/thread_task.h"

class MWorkerPool {
public:
    // Sets the number of worker threads the pool will start; 0 (the default)
    // means one per processor in the process's affinity mask. Only a call made
    // before the pool exists has an effect; answers whether this one did.
    static bool setThreadCount(int count);

    int getThreadCount() const { return int(threads_.size()); }

    // Queues the task's job for the next worker step, unless one is queued.
    void queueJob(MThreadTask* task);
    // The worker step: run every queued job, costliest first, and return
    // when all have ended.
    void runJobs();
    // Calls every deferred call in queue order, then empties the list.
    void runDeferredCalls();

private:
    friend MWorkerPool& getWorkerPool();
    friend class MThreadTask;

    struct Job {
        void (*entry)(MThreadTask*);
        MThreadTask* argument;  // null once withdrawn
        uint32_t* cost;         // null for a deferred call
    };

    explicit MWorkerPool(int threadCount);
    ~MWorkerPool() = delete;

    void postDeferred(MThreadTask* task);
    void withdrawJobs(MThreadTask* task);
    void withdrawDeferred(MThreadTask* task);
    void waitForUnfinishedJobs();
    void workerThreadMain();
    void runOneJob(const Job& job);

    static void execTrampoline(MThreadTask* task);
    static void deferredTrampoline(MThreadTask* task);

    std::vector<Job> jobs_;
    std::size_t nextJob_ = 0;
    std::vector<Job> deferred_;
    std::mutex mutex_;
    std::counting_semaphore<INT32_MAX> ready_{0};
    // Jobs of the running worker step that have not yet ended.
    std::atomic<std::ptrdiff_t> unfinished_{0};
    std::vector<std::thread> threads_;
};

// The process's worker pool, created with its threads on the first call.
MWorkerPool& getWorkerPool();
