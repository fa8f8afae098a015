#pragma once
// The file load of a sound document or archive: MSoundFileLoadTask is what
// the sound's load queue holds and may cancel; MSoundFileLoadFromFileTask
// reads the file through a read task of the application driver and finishes
// once that read has ended. The documents are plain PSB files, read without
// the data-container decoding and in place from a read-only mapping of the
// file: the sample bytes of an archive (tens of megabytes) are played from
// there and never copied into the heap.
//
// Threads: the task runs and is cancelled on the main thread. The read task
// writes the document slot and then the status word from its background
// run; the requester reads the status first (an acquire load), then the
// slot. A cancelled read that was already under way is let finish, so that
// nothing is written after the requester has gone; its status then becomes
// kSoundLoadCancelled.

#include <cstdint>
#include <string>

#include "engine/data/file_read_request.h"
#include "engine/task/process.h"

class MFileReadTask;

// The status of a load cancelled before its read ended.
inline constexpr int32_t kSoundLoadCancelled = 3;

class MSoundFileLoadTask : public MProcess {
public:
    // Withdraws the read, or lets it end unheard; the status becomes
    // kSoundLoadCancelled when the task ends.
    virtual void cancel() = 0;
};

class MSoundFileLoadFromFileTask final : public MSoundFileLoadTask {
public:
    // `document` and `status` must outlive the task.
    MSoundFileLoadFromFileTask(std::string fileName, PSBObject** document, MReadStatus* status);

    void step() override;
    void cancel() override;

private:
    void startRead();
    void end(int32_t status);

    std::string fileName_;
    PSBObject** document_;
    MReadStatus* status_;
    // The read task, in this task's serial set until it has finished.
    MFileReadTask* readTask_ = nullptr;
    uint32_t requestId_ = 0;
    bool started_ = false;
    bool cancelled_ = false;
};
