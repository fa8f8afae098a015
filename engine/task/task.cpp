#include "engine/task/task.h"

#include "engine/task/worker_pool.h"

void MTask::exec() {
    if (getState() == kRunning) update();
}

void MTask::draw(int) {}

void MTask::enableBackgroundUpdate(bool) {}

void queueWorkerJob(MTask* task) { getWorkerPool().queueJob(task); }
