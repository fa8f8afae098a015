#include "platform/disk/disk_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

}  // namespace platform
