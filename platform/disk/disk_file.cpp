#include "platform/disk/disk_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

namespace {

size_t readRange(FileHandle file, uint8_t* buffer, size_t count, uint64_t offset) {
    size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(file, buffer + done, count - done, off_t(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += size_t(got);
    }
    return done;
}

}  // namespace

FileHandle openFileForReading(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return kNoFile;
    struct stat info {};
    if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(file);
        return kNoFile;
    }
    ::posix_fadvise(file, 0, 0, POSIX_FADV_SEQUENTIAL);
    return file;
}

bool fileByteSize(FileHandle file, uint64_t& size) {
    struct stat info {};
    if (::fstat(file, &info) != 0) return false;
    size = uint64_t(info.st_size);
    return true;
}

void closeFile(FileHandle file) {
    if (file != kNoFile) ::close(file);
}

AsyncFileRead::~AsyncFileRead() { wait(); }

void AsyncFileRead::start(FileHandle file, uint8_t* buffer, size_t count, uint64_t offset) {
    wait();
    arrived_ = 0;
    thread_ = std::thread([this, file, buffer, count, offset] { arrived_ = readRange(file, buffer, count, offset); });
}

size_t AsyncFileRead::wait() {
    if (thread_.joinable()) thread_.join();
    return arrived_;
}

FileMapping::~FileMapping() { unmap(); }

FileMapping::FileMapping(FileMapping&& other) noexcept
    : address_(std::exchange(other.address_, nullptr)), size_(std::exchange(other.size_, 0)) {}

FileMapping& FileMapping::operator=(FileMapping&& other) noexcept {
    if (this != &other) {
        unmap();
        address_ = std::exchange(other.address_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

bool FileMapping::map(FileHandle file, size_t size) {
    unmap();
    if (file == kNoFile || size == 0) return false;
    void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file, 0);
    if (address == MAP_FAILED) return false;
    address_ = address;
    size_ = size;
    return true;
}

void FileMapping::unmap() {
    if (address_ != nullptr) ::munmap(address_, size_);
    address_ = nullptr;
    size_ = 0;
}

}  // namespace platform
