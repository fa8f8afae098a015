#include "engine/task/worker_pool.h"

#include <algorithm>
#include <limits>

#include "engine/task/task.h"
#include "platform/clock/clock.h"
#include "platform/thread/thread_control.h"

namespace {

MWorkerPool* pool = nullptr;
std::once_flag poolCreated;
int requestedThreadCount = 0;

}  // namespace

bool MWorkerPool::setThreadCount(int count) {
    if (pool) return false;
    requestedThreadCount = count;
    return true;
}

MWorkerPool& getWorkerPool() {
    std::call_once(poolCreated, [] {
        const int count =
            requestedThreadCount > 0 ? requestedThreadCount : platform::processorCount();
        pool = new MWorkerPool(count);
    });
    return *pool;
}

// The workers are left to the scheduler: it spreads them over the allowed
// processors, where pinning each to one would be stronger than a preference.
MWorkerPool::MWorkerPool(int threadCount) {
    threads_.reserve(std::size_t(threadCount));
    for (int i = 0; i < threadCount; ++i) threads_.emplace_back([this] { workerThreadMain(); });
}

void MWorkerPool::queueJob(MThreadTask* task) {
    // A second job for a task whose job has not yet run would run its update
    // twice at once on two workers.
    if (task->jobInFlight_) return;
    task->jobInFlight_ = 1;
    std::lock_guard lock(mutex_);
    jobs_.push_back(Job{&execTrampoline, task, &task->workerTimeAverage_});
}

void MWorkerPool::runJobs() {
    std::size_t count;
    {
        std::lock_guard lock(mutex_);
        std::erase_if(jobs_, [](const Job& job) { return job.argument == nullptr; });
        count = jobs_.size();
        if (count == 0) return;
        std::stable_sort(jobs_.begin(), jobs_.end(),
                         [](const Job& a, const Job& b) { return *a.cost > *b.cost; });
        nextJob_ = 0;
    }
    unfinished_.store(std::ptrdiff_t(count), std::memory_order_relaxed);
    ready_.release(std::ptrdiff_t(count));
    waitForUnfinishedJobs();
    // A job queued by a job of this step waits for the next step.
    std::lock_guard lock(mutex_);
    jobs_.erase(jobs_.begin(), jobs_.begin() + std::ptrdiff_t(count));
}

void MWorkerPool::runDeferredCalls() {
    // By index: a deferred call may withdraw a later one (its task deleted).
    for (std::size_t i = 0;; ++i) {
        Job call;
        {
            std::lock_guard lock(mutex_);
            if (i >= deferred_.size()) {
                deferred_.clear();
                return;
            }
            call = deferred_[i];
        }
        if (call.argument) call.entry(call.argument);
    }
}

void MWorkerPool::postDeferred(MThreadTask* task) {
    task->deferredQueued_ = 1;
    std::lock_guard lock(mutex_);
    deferred_.push_back(Job{&deferredTrampoline, task, nullptr});
}

// Withdrawn entries stay in place, emptied, so that a worker step in progress
// keeps its count of jobs; the next worker step drops them.
void MWorkerPool::withdrawJobs(MThreadTask* task) {
    std::lock_guard lock(mutex_);
    for (Job& job : jobs_) {
        if (job.argument == task) job.argument = nullptr;
    }
}

void MWorkerPool::withdrawDeferred(MThreadTask* task) {
    std::lock_guard lock(mutex_);
    for (Job& call : deferred_) {
        if (call.argument == task) call.argument = nullptr;
    }
}

void MWorkerPool::workerThreadMain() {
    for (;;) {
        ready_.acquire();
        Job job;
        {
            std::lock_guard lock(mutex_);
            job = jobs_[nextJob_++];
        }
        if (job.argument) runOneJob(job);
        if (unfinished_.fetch_sub(1, std::memory_order_acq_rel) == 1) unfinished_.notify_one();
    }
}

// Counting the jobs down wakes the main thread once for the last of them,
// where a semaphore released by every job would wake it for each.
void MWorkerPool::waitForUnfinishedJobs() {
    for (std::ptrdiff_t left; (left = unfinished_.load(std::memory_order_acquire)) != 0;) {
        unfinished_.wait(left, std::memory_order_acquire);
    }
}

void MWorkerPool::runOneJob(const Job& job) {
    platform::Clock& clock = platform::currentClock();
    const int64_t start = clock.counter();
    job.entry(job.argument);
    const int64_t elapsed = clock.counter() - start;
    // Widened so that neither a long job nor a long average wraps around.
    const uint64_t ticks = uint64_t(std::clamp<int64_t>(elapsed, 0, UINT32_MAX));
    *job.cost = uint32_t((7 * uint64_t(*job.cost) + ticks) / 8);
}

void MWorkerPool::execTrampoline(MThreadTask* task) {
    task->jobInFlight_ = 0;
    task->exec();
}

void MWorkerPool::deferredTrampoline(MThreadTask* task) {
    task->deferredQueued_ = 0;
    task->runDeferred();
}
