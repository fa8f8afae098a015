#pragma once
// Files on disk for the engine's file reader (engine/data/disk_file_read_task):
// opening a regular file for reading, its size, one read of a byte range
// that runs while the caller decodes the previous file, and a read-only
// mapping of a whole file.
//
// Threads: the functions may be called from any thread. An AsyncFileRead
// belongs to one thread (the read task's completion run); its read runs on a
// thread of its own until wait() or the destructor joins it. A FileMapping
// may be read from any number of threads at once.

#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

namespace platform {

using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;

// A regular file opened for reading, with sequential read-ahead advised;
// kNoFile when it is missing, unreadable or not a regular file.
FileHandle openFileForReading(const std::string& path);
// The file's size in bytes; false when it cannot be asked.
bool fileByteSize(FileHandle file, uint64_t& size);
void closeFile(FileHandle file);

class AsyncFileRead {
public:
    AsyncFileRead() = default;
    ~AsyncFileRead();
    AsyncFileRead(const AsyncFileRead&) = delete;
    AsyncFileRead& operator=(const AsyncFileRead&) = delete;

    // Starts reading count bytes at offset into buffer; a read still going
    // on is waited for first.
    void start(FileHandle file, uint8_t* buffer, size_t count, uint64_t offset);
    // Waits for the read; the number of bytes that arrived, fewer than asked
    // when the file ended early or reading failed.
    size_t wait();

private:
    std::thread thread_;
    size_t arrived_ = 0;
};

// A file's bytes mapped read-only and private; unmapped when it goes. Pages
// come from the page cache as they are first touched, so a large file read
// here and there never sits whole in the process's own memory. The file may
// be closed once mapped.
class FileMapping {
public:
    FileMapping() = default;
    ~FileMapping();
    FileMapping(FileMapping&& other) noexcept;
    FileMapping& operator=(FileMapping&& other) noexcept;

    // Maps the file's first size bytes; false, with nothing mapped, for a
    // size of 0 or when the system refuses.
    bool map(FileHandle file, size_t size);
    const uint8_t* bytes() const { return static_cast<const uint8_t*>(address_); }
    size_t size() const { return size_; }
    explicit operator bool() const { return address_ != nullptr; }

private:
    void unmap();

    void* address_ = nullptr;
    size_t size_ = 0;
};

}  // namespace platform
