#include "platform/memory/own_memory.h"

#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace platform {

uint64_t pageSize() {
    const long size = sysconf(_SC_PAGESIZE);
    return size > 0 ? uint64_t(size) : 4096;
}

// Through the kernel rather than a load, so an unbacked page answers EFAULT.
bool readOwnByte(uint64_t address) {
    unsigned char byte = 0;
    iovec local{&byte, 1};
    iovec remote{reinterpret_cast<void*>(address), 1};
    return process_vm_readv(getpid(), &local, 1, &remote, 1, 0) == 1;
}

// A page's first byte may lie in a global's red zone: the read is of memory,
// not of an object, so AddressSanitizer is told to let it be.
__attribute__((no_sanitize("address"))) uint32_t touchOwnPages(uint64_t begin, uint64_t end, uint64_t pageSize) {
    uint32_t count = 0;
    for (uint64_t page = begin; page < end; page += pageSize) {
        (void)*reinterpret_cast<const volatile unsigned char*>(page);
        ++count;
    }
    return count;
}

FileIdentity fileIdentity(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return {};
    return {true, uint64_t(status.st_ino), uint64_t(status.st_size)};
}

std::string ownMemoryMaps() {
    std::ifstream file("/proc/self/maps");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace platform
