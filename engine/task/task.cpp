#include "engine/task/task.h"

#include "engine/task/worker_pool.h"

void MTask::exec() {
    if (getState() == kRunning) update();
}

void MTask::draw(int) {}

void MTask::enableBackgroundUpdate(bool) {}

void runTask(MTask* task) {
    if (task->getState() != MTask::kRunning) return;
    if (task->isWorker()) {
        getWorkerPool().queueJob(task);
    } else {
        task->update();
    }
}
