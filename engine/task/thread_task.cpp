#include "engine/task/thread_task.h"

#include "engine/task/worker_pool.h"

MThreadTask::~MThreadTask() {
    if (jobInFlight_) getWorkerPool().withdrawJobs(this);
    if (deferredQueued_) getWorkerPool().withdrawDeferred(this);
}

void MThreadTask::postDeferred() { getWorkerPool().postDeferred(this); }
