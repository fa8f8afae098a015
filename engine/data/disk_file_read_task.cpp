#include "engine/data/disk_file_read_task.h"

#include <zlib.h>

#include <limits>

#include "engine/base/debug_trace.h"
#include "engine/data/container_cipher.h"
#include "engine/data/open_file_cache.h"
#include "engine/data/search_candidates.h"

namespace {

// Only a whole plain document can be read in place: a container is
// deciphered and inflated, and the other results are heap bytes.
bool mapsInPlace(const MFileReadRequest& request) {
    return request.mapped && !request.decode && request.resultKind == MReadResultKind::Document &&
           request.document != nullptr && request.offset == 0 && request.size == kReadWholeFile;
}

}  // namespace

MDiskFileReadTask::~MDiskFileReadTask() {
    stopCompletion();
    closeOpenFile();
}

void MDiskFileReadTask::ReadRequest(MFileReadRequest& request) {
    file_ = openFromSearchDirectories(request.fileToOpen);
    keepOpen_ = request.keepOpen;
    if (file_ == platform::kNoFile) {
        debugTrace(0, __FILE__, __LINE__, "MDiskFileReadTask::ReadRequest", "cannot find file [%s].\n",
                   request.fileToOpen.c_str());
        return;
    }
    // A slice that reaches past the file's end (an archive member's damaged
    // offset or size) could not be read whole: it fails here, before a
    // buffer of the size it claims is allocated.
    uint64_t fileSize = 0;
    const bool whole = request.size == kReadWholeFile;
    const bool fits = platform::fileByteSize(file_, fileSize) &&
                      (whole || (request.offset <= fileSize && request.size <= fileSize - request.offset));
    const uint64_t count = whole ? fileSize : request.size;
    if (!fits || count > std::numeric_limits<size_t>::max()) {
        closeOpenFile();
        return;
    }
    if (mapsInPlace(request) && mapping_.map(file_, size_t(count))) {
        byteCount_ = size_t(count);
        return;
    }
    buffer_ = allocate(request.id, size_t(count));
    if (!buffer_) {
        closeOpenFile();
        return;
    }
    byteCount_ = size_t(count);
    read_.start(file_, buffer_, byteCount_, request.offset);
}

platform::FileHandle MDiskFileReadTask::openFromSearchDirectories(const std::string& path) {
    for (const std::string& candidate : searchCandidates(path)) {
        platform::FileHandle file = takeCachedFile(candidate);
        if (file == platform::kNoFile) file = platform::openFileForReading(candidate);
        if (file == platform::kNoFile) continue;
        fullPath_ = candidate;
        return file;
    }
    return platform::kNoFile;
}

bool MDiskFileReadTask::finishRead(uint8_t*& bytes, size_t& size) {
    if (file_ == platform::kNoFile) return false;
    if (mapping_) {
        finishMappedRead(bytes, size);
        return true;
    }
    const size_t arrived = read_.wait();
    if (keepOpen_ && arrived == byteCount_) {
        keepCachedFile(fullPath_, file_);
    } else {
        platform::closeFile(file_);
    }
    file_ = platform::kNoFile;
    uint8_t* buffer = buffer_;
    buffer_ = nullptr;
    if (arrived != byteCount_) {
        releaseBuffer(buffer);
        return false;
    }
    bytes = buffer;
    size = byteCount_;
    return true;
}

// The mapping keeps the bytes; the file itself is no longer needed.
void MDiskFileReadTask::finishMappedRead(uint8_t*& bytes, size_t& size) {
    if (keepOpen_) {
        keepCachedFile(fullPath_, file_);
    } else {
        platform::closeFile(file_);
    }
    file_ = platform::kNoFile;
    bytes = const_cast<uint8_t*>(mapping_.bytes());
    size = byteCount_;
}

void MDiskFileReadTask::closeOpenFile() {
    if (file_ == platform::kNoFile) return;
    read_.wait();
    platform::closeFile(file_);
    file_ = platform::kNoFile;
    releaseBuffer(buffer_);
    buffer_ = nullptr;
}

bool MDiskFileReadTask::isContainer(const uint8_t* bytes, size_t size) { return hasContainerMagic(bytes, size); }

int MDiskFileReadTask::inflate(const uint8_t* bytes, size_t size, uint8_t*& out, size_t& outSize, uint32_t id) {
    if (size < kContainerHeadBytes || !hasContainerMagic(bytes, size)) return kInflateBroken;
    const uint64_t declared = containerInflatedSize(bytes);
    const uint64_t packed = size - kContainerHeadBytes;
    if (!canInflateTo(declared, packed)) return kInflateBroken;
    out = allocate(id, size_t(declared));
    if (!out) return kInflateNoMemory;
    uLongf produced = uLongf(declared);
    uLong consumed = uLong(packed);
    if (uncompress2(out, &produced, bytes + kContainerHeadBytes, &consumed) != Z_OK) {
        releaseBuffer(out);
        out = nullptr;
        return kInflateBroken;
    }
    outSize = produced;
    return kInflated;
}
