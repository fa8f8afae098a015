#pragma once
// MBgTask: work that must not stall a frame (reading and decoding files,
// building a menu). When its owner first updates it, the task hands itself to
// the background thread of its queue (0 to 3, highest priority first); once
// that thread has run its body the task is finished and its owner deletes it.
// MBgCallTask0 is the background task whose body calls one member function.
//
// Threads: construction, update, cancel and destruction on the main thread;
// run on the queue's background thread, with the task's own mutex held. The
// state turns finished only after run has returned. A class derived from
// MBgTask must call cancel first in its destructor (as MBgCallTask0 does), so
// that its members outlive a body that is running; the base destructor
// cancels again, which keeps a task that is still queued from ever running.

#include <cstdint>
#include <mutex>

#include "engine/task/task.h"

class MBgTask : public MTask {
public:
    static constexpr int kQueueCount = 4;

    // The first background task of the process creates the four queues'
    // managers, which need a live looper.
    explicit MBgTask(int queueIndex);
    ~MBgTask() override;

    // Queues the task on its first call; afterwards does nothing.
    void update() override;
    // The body, run on the background thread.
    virtual void run() = 0;

    // Withdraws the task if it is still queued; if its body is running, waits
    // for the body to return.
    void cancel();

    int getQueueIndex() const { return queueIndex_; }

private:
    friend class MBgTaskManager;

    std::mutex ownMutex_;
    int queueIndex_;
    uint8_t queued_ = 0;
};

template <class T>
class MBgCallTask0 final : public MBgTask {
public:
    using Method = void (T::*)();

    MBgCallTask0(int queueIndex, T* target, Method method)
        : MBgTask(queueIndex), target_(target), method_(method) {}
    ~MBgCallTask0() override { cancel(); }

    void run() override { (target_->*method_)(); }

private:
    T* target_;
    Method method_;
};
