#include "platform/memory/own_memory.h"

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

std::string ownMemoryMaps() {
    std::ifstream file("/proc/self/maps");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace platform
