#include "engine/sound/sound_file_load_task.h"

#include "engine/task/application_driver.h"
#include "engine/data/file_read_task.h"

MSoundFileLoadFromFileTask::MSoundFileLoadFromFileTask(std::string fileName, PSBObject** document,
                                                       MReadStatus* status)
    : fileName_(std::move(fileName)), document_(document), status_(status) {}

// Runs when the serial set is empty: at first, and once the read task has
// finished (the set has deleted it by then).
void MSoundFileLoadFromFileTask::step() {
    if (!started_) {
        startRead();
        return;
    }
    readTask_ = nullptr;
    if (cancelled_) {
        end(kSoundLoadCancelled);
    } else {
        setState(kFinished);
    }
}

void MSoundFileLoadFromFileTask::startRead() {
    started_ = true;
    MApplicationDriver* driver = MApplicationDriver::getInstance();
    readTask_ = driver ? driver->createReadTask() : nullptr;
    if (readTask_ == nullptr) {
        end(kReadNotFound);
        return;
    }
    requestId_ = readTask_->requestMapped(fileName_, document_, status_);
    getSerialSet().add(readTask_);
}

void MSoundFileLoadFromFileTask::cancel() {
    if (getState() == kFinished) return;
    if (readTask_ == nullptr || readTask_->withdrawRequest(requestId_)) {
        end(kSoundLoadCancelled);
    } else {
        cancelled_ = true;
    }
}

void MSoundFileLoadFromFileTask::end(int32_t status) {
    status_->store(status, std::memory_order_release);
    setState(kFinished);
}
