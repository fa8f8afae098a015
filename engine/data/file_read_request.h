#pragma once
// One queued read of a file read task (file_read_task.h), and the status word
// its requester polls.
//
// Threads: a request is built under its task's mutex and from then on touched
// only by the completion run. The status word and the result slot are written
// on the completion run's thread, the result first; the requester reads the
// status on the main loop (an acquire load) and then the result.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

class PSBObject;

using MReadStatus = std::atomic<int32_t>;

inline constexpr int32_t kReadQueued = 0;
inline constexpr int32_t kReadDone = 1;
inline constexpr int32_t kReadNotFound = 2;     // cannot be opened or read whole
inline constexpr int32_t kReadUndecodable = 4;  // not a container, or its stream is damaged

// A request's size when it reads its file to the end.
inline constexpr uint64_t kReadWholeFile = ~uint64_t(0);

enum class MReadResultKind : uint32_t {
    Bytes = 0,     // the bytes (from malloc, the requester frees them) and their size
    Document = 1,  // an MTexPSBObject over the bytes, which it owns, with its textures built
};

struct MFileReadRequest {
    uint32_t id = 0;
    std::string fileToOpen;   // the normalised request path
    std::string logicalPath;  // the name the container key stream derives from
    std::string mountName;    // the mount the file was found under, else empty
    PSBObject** document = nullptr;
    uint8_t** bytes = nullptr;
    size_t* byteSize = nullptr;  // may be null
    MReadStatus* status = nullptr;  // may be null: then a failure fails the whole task
    bool decode = false;  // a data container to decipher and inflate
    MReadResultKind resultKind = MReadResultKind::Document;
    uint64_t offset = 0;  // where reading starts in the file
    uint64_t size = kReadWholeFile;  // bytes to read (an archive member may have none)
    bool keepOpen = false;  // the file stays open for the next reader (open_file_cache.h)
    // A plain document read in place from a read-only mapping of its whole
    // file instead of a heap copy, where the storage can map it.
    bool mapped = false;
};
