#pragma once
// Task sets: a task owning an intrusive, singly linked list of child tasks.
// The serial set runs and draws only its first child; the parallel set runs
// and draws every child in list order. Finished children are unlinked and
// deleted; the set deletes whatever it still holds when it is cleared or
// destroyed.
//
// Threads: without its mutex a set is main-thread only. Once enableMutex has
// been called, add, remove, clear, isEmpty, update and draw each hold the
// set's mutex for their whole run, including the children's own update and
// draw; the mutex is re-entrant, so a child's update may add tasks to the very
// set that runs it, and other threads may add and remove children.

#include <memory>
#include <mutex>

#include "engine/task/task.h"

class MTaskSet : public MTask {
public:
    MTaskSet() = default;
    ~MTaskSet() override;

    // Appends a task, which must not already be in a list; the set owns it.
    void add(MTask* task);
    // Unlinks the first child equal to task without deleting it; nothing
    // when it is not a child.
    void remove(MTask* task);
    // Deletes every child in list order.
    void clear();
    bool isEmpty();
    // From now on every operation holds the set's mutex.
    void enableMutex();

protected:
    // Holds the set's mutex, when enabled, for its lifetime.
    class ListLock {
    public:
        explicit ListLock(MTaskSet& set);
        ~ListLock();
        ListLock(const ListLock&) = delete;
        ListLock& operator=(const ListLock&) = delete;

    private:
        std::recursive_mutex* mutex_;
    };

    static MTask* nextOf(MTask* task) { return task->next_; }
    // Unlinks the child at *link; `link` points at head or a predecessor's next.
    void unlinkAt(MTask** link);

    MTask* head_ = nullptr;
    MTask** tail_ = &head_;

private:
    uint8_t useMutex_ = 0;
    std::unique_ptr<std::recursive_mutex> mutex_;
};

class MSerialTaskSet final : public MTaskSet {
public:
    // Runs the head; a head that leaves the running state is dropped (and
    // deleted when finished) and its successor runs in the same pass.
    void update() override;
    void draw(int pass) override;
};

class MParallelTaskSet : public MTaskSet {
public:
    void update() override;
    void draw(int pass) override;
};
