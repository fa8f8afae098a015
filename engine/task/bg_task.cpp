#include "engine/task/bg_task.h"

#include <cstdlib>

#include "engine/base/debug_trace.h"
#include "engine/task/bg_task_manager.h"

MBgTask::MBgTask(int queueIndex) : queueIndex_(queueIndex) {
    if (queueIndex < 0 || queueIndex >= kQueueCount) {
        M_DEBUG_TRACE("background queue %d does not exist", queueIndex);
        std::abort();
    }
    MBgTaskManager::get(queueIndex);
}

MBgTask::~MBgTask() { cancel(); }

void MBgTask::update() {
    if (queued_) return;
    queued_ = 1;
    MBgTaskManager::get(queueIndex_).queue(this);
}

void MBgTask::cancel() {
    MBgTaskManager::get(queueIndex_).withdraw(this);
    // Waits for the body when the background thread is running it now.
    std::lock_guard wait(ownMutex_);
}
