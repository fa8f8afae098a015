#pragma once
// MFileReadTask: reads data files in the background. A client queues requests
// (a path, where the result goes, a status word to poll, whether the file is
// a data container) and adds the task to one of its own task sets. The task's
// step hands the queue to a completion run on a background queue (2 unless
// set otherwise), which reads each file, deciphers and inflates containers,
// builds a document with its textures (MTexPSBObject) and writes the status
// word. Every read waits until the pending archives are mounted, and is
// resolved against them first (file_mount_request.h, mount_table.h). Reading is overlapped: the
// next file's read starts before the current one is decoded. The task
// finishes once its queue is empty, including requests queued while a run
// went on.
//
// The storage is left to the derived class (the disk: disk_file_read_task.h).
//
// A run that fails without a status word to report to (a read or decode of a
// request queued with none) fails the task: it then waits, with the rest of
// its queue, until its close flag is set, and finishes.
//
// Threads: request and withdrawRequest may be called from any thread while
// the task lives (it lives at least until its queue is empty). The steps,
// construction and destruction run on the main thread; complete runs on the
// background thread (or inline when synchronous). mutex_ guards the queue and
// the request counter and is never held across a read. The failed flag is
// atomic: the run sets it, the steps read it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "engine/data/file_read_request.h"
#include "engine/task/process.h"
#include "platform/disk/disk_file.h"

class MFileReadTask : public MProcess {
public:
    using RequestQueue = std::deque<std::unique_ptr<MFileReadRequest>>;

    // What inflate answers.
    static constexpr int kInflated = 0;
    static constexpr int kInflateNoMemory = 1;
    static constexpr int kInflateBroken = 2;

    // Copies the data-file key and its key-stream length (data_file_key.h).
    MFileReadTask();
    ~MFileReadTask() override;

    void step() override { (this->*step_)(); }

    // Queues a read whose result is a document; answers the request id. The
    // status word, if given, becomes kReadQueued now.
    uint32_t request(std::string_view path, PSBObject** result, MReadStatus* status, bool decode);
    // Queues a read of a plain document (never a container) that is read in
    // place from a read-only mapping of its file, for large documents read
    // only here and there; storage that can't map it reads it as request does.
    uint32_t requestMapped(std::string_view path, PSBObject** result, MReadStatus* status);
    // Queues a read whose result is the bytes themselves (from malloc).
    uint32_t requestBytes(std::string_view path, uint8_t** bytes, size_t* size, MReadStatus* status, bool decode);
    // Takes a request that has not started out of the queue; false when it
    // is no longer queued.
    bool withdrawRequest(uint32_t id);

    // A buffer for a request's bytes (the C heap; never null for a size of
    // 0), and its release.
    uint8_t* allocate(uint32_t id, size_t size);
    void releaseBuffer(uint8_t* buffer);

    // Deciphers a container in place with the key stream of logicalPath's
    // file name; nothing without a key stream, for 8 bytes or fewer, or for
    // bytes that are not a container.
    void decodeBuffer(uint8_t* bytes, size_t size, const std::string& logicalPath);

    // The completion run over the queue.
    void complete();

    // The background queue of the completion run (0 to 3).
    void setBgQueueIndex(int index) { bgQueue_ = index; }
    // Runs the completion on the dispatching thread instead.
    void setSynchronous(bool synchronous) { synchronous_ = synchronous; }
    // Lets a failed task finish.
    void setClose(bool close) { close_ = close; }
    // The read task of a mount request, which dispatches without waiting
    // for mounts.
    void setMountRead(bool mountRead) { mountRead_ = mountRead; }
    bool isDone() const { return done_; }
    bool isFailed() const { return failed_; }

protected:
    // Asked once, at the first request; false fails the task.
    virtual bool prepare() { return true; }
    // Asked before the task finishes; false keeps it waiting for close.
    virtual bool canFinish() { return true; }
    // May reorder the queue before a completion run (under the task mutex).
    virtual void orderRequests(RequestQueue&) {}
    // Opens the request's file and starts reading it.
    virtual void ReadRequest(MFileReadRequest& request) = 0;
    // Waits for the read started last and hands over its buffer; false when
    // it could not be opened or read whole.
    virtual bool finishRead(uint8_t*& bytes, size_t& size) = 0;
    // Asked right after a finishRead that succeeded: the mapping that read
    // left, which owns the bytes it handed over, or none when they came from
    // allocate.
    virtual platform::FileMapping takeMapping() { return {}; }
    virtual bool isContainer(const uint8_t* bytes, size_t size) = 0;
    // kInflated, kInflateNoMemory, or kInflateBroken (not a container, or a
    // damaged stream); the output comes from allocate.
    virtual int inflate(const uint8_t* bytes, size_t size, uint8_t*& out, size_t& outSize, uint32_t id) = 0;
    // Told of a decode failure that fails the task.
    virtual void onError(int) {}

    // Waits for a completion run still going on; a derived class calls it
    // first in its destructor, so the run never sees it half destroyed.
    void stopCompletion() { getSerialSet().clear(); }

private:
    using Step = void (MFileReadTask::*)();

    void dispatch();
    void finish();
    void waitClose();

    uint32_t enqueue(std::unique_ptr<MFileReadRequest> request);
    std::unique_ptr<MFileReadRequest> takeNext();
    void startRead(MFileReadRequest& request);
    int decodeAndStore(MFileReadRequest& request, uint8_t* bytes, size_t size);
    void store(MFileReadRequest& request, uint8_t* bytes, size_t size);
    void storeMapped(MFileReadRequest& request, platform::FileMapping mapping);
    void abandonRead(std::unique_ptr<MFileReadRequest> request);

    Step step_ = &MFileReadTask::dispatch;
    RequestQueue queue_;
    std::mutex mutex_;
    uint32_t counter_ = 0;
    bool prepared_ = false;
    bool done_ = false;
    std::atomic<bool> failed_{false};
    bool close_ = false;
    bool synchronous_ = false;
    bool mountRead_ = false;
    int bgQueue_ = 2;
    std::string key_;
    uint32_t keyStreamLength_;
};
