#include "platform/disk/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform {

namespace {

bool readAll(int file, std::string& bytes) {
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        bytes.append(chunk, size_t(got));
    }
}

bool writeAll(int file, const void* bytes, size_t size) {
    const auto* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t put = ::write(file, at, size);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = ENOSPC;
            return false;
        }
        at += put;
        size -= size_t(put);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a new file takes: the old file's, so a replaced file
// stays as private as its owner made it.
mode_t modeFor(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0666;
}

}  // namespace

WholeRead readWholeFile(const std::string& path, std::string& bytes) {
    WholeRead result;
    bytes.clear();
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        result.error = errno;
        result.status = errno == ENOENT ? WholeReadStatus::Missing : WholeReadStatus::Failed;
        return result;
    }
    struct stat info {};
    if (::fstat(file, &info) != 0) {
        result.error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        result.error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    } else {
        bytes.reserve(size_t(info.st_size));
        if (readAll(file, bytes)) {
            result.status = WholeReadStatus::Read;
        } else {
            result.error = errno;
        }
    }
    ::close(file);
    return result;
}

ReplaceResult replaceFileWhole(const std::string& path, const void* bytes, size_t size) {
    ReplaceResult result;
    const std::string temporary = path + ".tmp";
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, modeFor(path));
    if (file < 0) {
        result.failedAt = ReplaceStep::Create;
        result.error = errno;
        return result;
    }
    const bool written = writeAll(file, bytes, size) && ::fsync(file) == 0;
    const int writeError = errno;
    const bool closed = ::close(file) == 0;
    if (!written || !closed) {
        result.failedAt = ReplaceStep::Write;
        result.error = written ? errno : writeError;
        ::unlink(temporary.c_str());
        return result;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        result.failedAt = ReplaceStep::Rename;
        result.error = errno;
        ::unlink(temporary.c_str());
        return result;
    }
    if (!syncFolderOf(path)) {
        result.folderSynced = false;
        result.error = errno;
    }
    return result;
}

bool syncFolderOf(const std::string& path) {
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    const bool synced = ::fsync(folder) == 0;
    const int error = errno;
    ::close(folder);
    errno = error;
    return synced;
}

}  // namespace platform
