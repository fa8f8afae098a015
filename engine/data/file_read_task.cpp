#include "engine/data/file_read_task.h"

#include <algorithm>
#include <cstdlib>

#include "engine/data/container_cipher.h"
#include "engine/data/data_file_key.h"
#include "engine/data/file_mount_request.h"
#include "engine/data/mount_table.h"
#include "engine/data/normalize_path.h"
#include "engine/data/psb_value.h"
#include "engine/data/tex_psb_object.h"
#include "engine/task/bg_task.h"

namespace {

void writeStatus(const MFileReadRequest& request, int32_t status) {
    if (request.status) request.status->store(status, std::memory_order_release);
}

std::unique_ptr<MFileReadRequest> documentRequest(std::string_view path, PSBObject** result, MReadStatus* status) {
    auto r = std::make_unique<MFileReadRequest>();
    r->fileToOpen = normalizePath(path);
    r->document = result;
    r->status = status;
    return r;
}

}  // namespace

MFileReadTask::MFileReadTask() : key_(dataFileKey), keyStreamLength_(dataFileKeyMode) {}

MFileReadTask::~MFileReadTask() { stopCompletion(); }

uint32_t MFileReadTask::request(std::string_view path, PSBObject** result, MReadStatus* status, bool decode) {
    auto r = documentRequest(path, result, status);
    r->decode = decode;
    return enqueue(std::move(r));
}

uint32_t MFileReadTask::requestMapped(std::string_view path, PSBObject** result, MReadStatus* status) {
    auto r = documentRequest(path, result, status);
    r->mapped = true;
    return enqueue(std::move(r));
}

uint32_t MFileReadTask::requestBytes(std::string_view path, uint8_t** bytes, size_t* size, MReadStatus* status,
                                     bool decode) {
    auto r = std::make_unique<MFileReadRequest>();
    r->fileToOpen = normalizePath(path);
    r->bytes = bytes;
    r->byteSize = size;
    r->status = status;
    r->decode = decode;
    r->resultKind = MReadResultKind::Bytes;
    return enqueue(std::move(r));
}

uint32_t MFileReadTask::enqueue(std::unique_ptr<MFileReadRequest> request) {
    std::lock_guard lock(mutex_);
    if (!prepared_) {
        prepared_ = true;
        if (!prepare()) failed_ = true;
    }
    request->id = counter_++;
    writeStatus(*request, kReadQueued);
    const uint32_t id = request->id;
    queue_.push_back(std::move(request));
    return id;
}

bool MFileReadTask::withdrawRequest(uint32_t id) {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(queue_.begin(), queue_.end(), [id](const auto& r) { return r->id == id; });
    if (found == queue_.end()) return false;
    queue_.erase(found);
    return true;
}

uint8_t* MFileReadTask::allocate(uint32_t, size_t size) {
    return static_cast<uint8_t*>(std::malloc(size ? size : 1));
}

void MFileReadTask::releaseBuffer(uint8_t* buffer) { std::free(buffer); }

void MFileReadTask::decodeBuffer(uint8_t* bytes, size_t size, const std::string& logicalPath) {
    if (keyStreamLength_ == 0 || size <= kContainerHeadBytes || !isContainer(bytes, size)) return;
    cipherContainerBody(bytes, size, key_, keyStreamLength_, logicalPath);
}

void MFileReadTask::dispatch() {
    if (!mountRead_ && holdReadsForMounts(*this)) return;
    if (failed_) {
        step_ = &MFileReadTask::waitClose;
        return;
    }
    bool pending;
    {
        std::lock_guard lock(mutex_);
        pending = !queue_.empty();
    }
    step_ = &MFileReadTask::finish;
    if (!pending) return;
    if (synchronous_) {
        complete();
    } else {
        getSerialSet().add(new MBgCallTask0<MFileReadTask>(bgQueue_, this, &MFileReadTask::complete));
    }
}

void MFileReadTask::finish() {
    if (failed_ || !canFinish()) {
        step_ = &MFileReadTask::waitClose;
        return;
    }
    bool pending;
    {
        std::lock_guard lock(mutex_);
        pending = !queue_.empty();
    }
    // Requests that arrived after the last run took its last one: run again.
    if (pending) {
        dispatch();
        return;
    }
    done_ = true;
    setState(kFinished);
}

void MFileReadTask::waitClose() {
    if (close_) setState(kFinished);
}

std::unique_ptr<MFileReadRequest> MFileReadTask::takeNext() {
    std::lock_guard lock(mutex_);
    if (queue_.empty()) return nullptr;
    std::unique_ptr<MFileReadRequest> next = std::move(queue_.front());
    queue_.pop_front();
    return next;
}

void MFileReadTask::startRead(MFileReadRequest& request) {
    openMountedFile(request);
    ReadRequest(request);
}

void MFileReadTask::complete() {
    {
        std::lock_guard lock(mutex_);
        orderRequests(queue_);
    }
    std::unique_ptr<MFileReadRequest> current = takeNext();
    if (!current) return;
    startRead(*current);
    while (current) {
        uint8_t* bytes = nullptr;
        size_t size = 0;
        const bool read = finishRead(bytes, size);
        platform::FileMapping mapping = read ? takeMapping() : platform::FileMapping();
        if (!read) {
            if (!current->status || failed_) {
                failed_ = true;
                return;
            }
            writeStatus(*current, kReadNotFound);
        }
        std::unique_ptr<MFileReadRequest> next = takeNext();
        if (next) startRead(*next);
        if (mapping) {
            storeMapped(*current, std::move(mapping));
        } else if (read) {
            const int code = decodeAndStore(*current, bytes, size);
            if (code != kInflated && !current->status) {
                onError(code);
                failed_ = true;
                abandonRead(std::move(next));
                return;
            }
        }
        current = std::move(next);
    }
}

int MFileReadTask::decodeAndStore(MFileReadRequest& request, uint8_t* bytes, size_t size) {
    if (request.decode) {
        decodeBuffer(bytes, size, request.logicalPath);
        uint8_t* out = nullptr;
        size_t outSize = 0;
        const int code = inflate(bytes, size, out, outSize, request.id);
        releaseBuffer(bytes);
        if (code != kInflated) {
            writeStatus(request, kReadUndecodable);
            return code;
        }
        bytes = out;
        size = outSize;
    }
    store(request, bytes, size);
    return kInflated;
}

void MFileReadTask::store(MFileReadRequest& request, uint8_t* bytes, size_t size) {
    if (request.resultKind == MReadResultKind::Document && request.document) {
        auto* document = new MTexPSBObject(bytes, size, PSBOwnership::Owned);
        document->buildTextures(document->root(), true);
        *request.document = document;
    } else if (request.resultKind == MReadResultKind::Bytes && request.bytes) {
        *request.bytes = bytes;
        if (request.byteSize) *request.byteSize = size;
    } else {
        releaseBuffer(bytes);
    }
    writeStatus(request, kReadDone);
}

// A mapped document is never a container: it is read as it is on disk.
void MFileReadTask::storeMapped(MFileReadRequest& request, platform::FileMapping mapping) {
    if (request.document) {
        auto* document = new MTexPSBObject(std::move(mapping));
        document->buildTextures(document->root(), false);
        *request.document = document;
    }
    writeStatus(request, kReadDone);
}

// The next request's read is already in flight when a decode failure fails
// the run: it is waited for and its buffer released before the request goes
// back to the head of the queue, with the rest that stays queued.
void MFileReadTask::abandonRead(std::unique_ptr<MFileReadRequest> request) {
    if (!request) return;
    uint8_t* bytes = nullptr;
    size_t size = 0;
    if (finishRead(bytes, size) && !takeMapping()) releaseBuffer(bytes);
    std::lock_guard lock(mutex_);
    queue_.push_front(std::move(request));
}
