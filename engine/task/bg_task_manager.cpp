#include "engine/task/bg_task_manager.h"

#include <algorithm>

#include "engine/task/bg_task.h"
#include "platform/thread/thread_control.h"

namespace {

MBgTaskManager* managers[MBgTask::kQueueCount] = {};
std::once_flag managersCreated;

}  // namespace

MBgTaskManager& MBgTaskManager::get(int queueIndex) {
    std::call_once(managersCreated, &MBgTaskManager::createAll);
    return *managers[queueIndex];
}

void MBgTaskManager::createAll() {
    managers[0] = new MBgTaskManager(+1);
    // Raising a thread above normal needs privilege on Linux. Where queue 0's
    // thread could not be raised, the other queues stay at normal as well, so
    // all four run at one priority rather than queue 0 losing its lead.
    const bool ranked = managers[0]->priorityApplied_;
    managers[1] = new MBgTaskManager(0);
    managers[2] = new MBgTaskManager(ranked ? -1 : 0);
    managers[3] = new MBgTaskManager(ranked ? -2 : 0);
}

MBgTaskManager::MBgTaskManager(int priority) : thread_([this, priority] { threadMain(priority); }) {
    // The thread takes its priority before it may run anything.
    started_.acquire();
}

void MBgTaskManager::queue(MBgTask* task) {
    std::lock_guard lock(mutex_);
    pending_.push_back(task);
}

void MBgTaskManager::withdraw(MBgTask* task) {
    std::lock_guard lock(mutex_);
    const auto found = std::find(pending_.begin(), pending_.end(), task);
    if (found != pending_.end()) pending_.erase(found);
}

void MBgTaskManager::postLoopHook() {
    std::lock_guard lock(mutex_);
    if (pending_.empty()) return;
    {
        std::lock_guard event(eventMutex_);
        eventSignalled_ = true;
    }
    eventCondition_.notify_one();
}

void MBgTaskManager::waitForEvent() {
    std::unique_lock event(eventMutex_);
    eventCondition_.wait(event, [this] { return eventSignalled_; });
    eventSignalled_ = false;
}

void MBgTaskManager::threadMain(int priority) {
    priorityApplied_ = priority == 0 || platform::setCurrentThreadPriority(priority);
    started_.release();
    for (;;) {
        std::unique_lock lock(mutex_);
        if (pending_.empty()) {
            lock.unlock();
            waitForEvent();
            continue;
        }
        MBgTask* task = pending_.front();
        pending_.pop_front();
        task->ownMutex_.lock();
        lock.unlock();
        task->run();
        task->setState(MTask::kFinished);
        task->ownMutex_.unlock();
    }
}
