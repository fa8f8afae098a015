#pragma once
// MBgTaskManager: one background queue with its thread. There are exactly
// four, created together by the first background task and kept until the
// process exits; their threads are never stopped. Each is a post-loop hook
// that wakes its thread once per frame while work is pending. A thread runs
// its queue's tasks one at a time in queue order and empties its whole queue
// before it sleeps again; different queues run concurrently.
//
// Threads: queue and withdraw are called on the main thread, the hook body on
// the main thread in the post-loop phase, the queue's thread runs the tasks.
// The pending list is touched only under the manager mutex; the thread takes
// a task's own mutex (under the manager mutex) before it releases the manager
// mutex, and holds it while the task's body runs.

#include <condition_variable>
#include <list>
#include <mutex>
#include <semaphore>
#include <thread>

#include "engine/task/looper_hook.h"

class MBgTask;

class MBgTaskManager final : public MLooperPostLoopHook {
public:
    // The manager of a queue, 0 to 3; creates all four on the first call.
    static MBgTaskManager& get(int queueIndex);

    // Appends the task to the pending list.
    void queue(MBgTask* task);
    // Removes the task from the pending list when it is still there.
    void withdraw(MBgTask* task);

    void postLoopHook() override;

private:
    explicit MBgTaskManager(int priority);
    ~MBgTaskManager() override = default;
    static void createAll();

    void threadMain(int priority);
    void waitForEvent();

    std::list<MBgTask*> pending_;
    std::mutex mutex_;
    // The auto-reset event the hook signals and the thread sleeps on.
    std::mutex eventMutex_;
    std::condition_variable eventCondition_;
    bool eventSignalled_ = false;
    // Whether the thread could take its priority; set before the constructor returns.
    bool priorityApplied_ = false;
    std::binary_semaphore started_{0};
    std::thread thread_;
};
