#pragma once
// MTask: everything stepped once per frame. A task is owned by the task set it
// was added to, which updates and draws it in list order and deletes it once
// its state is finished. runTask is how a parent runs one child for a frame:
// inline, or as a job on the worker pool when the task's worker flag is set.
//
// Threads: tasks are created, added, run, drawn and destroyed on the main
// thread. Only the update of a worker-flagged task (on a worker thread) and
// the body of a background task (on its background thread) run elsewhere;
// either may change the task's state, which is why the state is atomic (the
// owner reads it on a later pass). The hidden flag is atomic for the same
// reason: a background body may show the task it built.

#include <atomic>
#include <cstdint>

#include "engine/task/thread_task.h"

class MTaskSet;
class MSerialTaskSet;
class MParallelTaskSet;

class MTask : public MThreadTask {
public:
    static constexpr int32_t kRunning = 0;
    static constexpr int32_t kSuspended = 1;  // not updated, still drawn
    static constexpr int32_t kFinished = 2;   // deleted by its owner's next pass

    MTask() = default;

    // Calls update while the task is running; the body of its worker job.
    void exec() override;
    // The per-frame step.
    virtual void update() = 0;
    // The per-frame draw; the main loop passes pass 0.
    virtual void draw(int pass);
    // A task that will run on the worker pool prepares its locks here.
    virtual void enableBackgroundUpdate(bool enable);

    void show() { hidden_.store(0, std::memory_order_relaxed); }
    void hide() { hidden_.store(1, std::memory_order_relaxed); }
    void resume() { setState(kRunning); }
    void suspend() { setState(kSuspended); }

    bool isHidden() const { return hidden_.load(std::memory_order_relaxed) != 0; }
    int32_t getState() const { return state_.load(std::memory_order_acquire); }
    void setState(int32_t state) { state_.store(state, std::memory_order_release); }
    bool isWorker() const { return worker_ != 0; }
    void setWorker(bool worker) { worker_ = worker ? 1 : 0; }

private:
    friend class MTaskSet;
    friend class MSerialTaskSet;
    friend class MParallelTaskSet;

    MTask* next_ = nullptr;
    std::atomic<int32_t> state_{kRunning};
    std::atomic<uint8_t> hidden_{0};
    uint8_t worker_ = 0;
};

// Queues the task's update as a job for the worker pool's next worker step.
void queueWorkerJob(MTask* task);

// Runs one task for a frame: nothing unless it is running; its update inline,
// or, when its worker flag is set, a job queued for the worker pool's next
// worker step. Inline, since sets call it for every child every frame.
inline void runTask(MTask* task) {
    if (task->getState() != MTask::kRunning) return;
    if (task->isWorker()) {
        queueWorkerJob(task);
    } else {
        task->update();
    }
}
