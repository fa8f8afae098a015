#include "platform/memory/own_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace platform {

uint64_t pageSize() {
    const long size = sysconf(_SC_PAGESIZE);
    return size > 0 ? uint64_t(size) : 4096;
}

std::string ownMemoryMaps() {
    std::ifstream file("/proc/self/maps");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool adviseWillNeed(uint64_t begin, uint64_t end) {
    if (end <= begin) return true;
    return madvise(reinterpret_cast<void*>(begin), size_t(end - begin), MADV_WILLNEED) == 0;
}

}  // namespace platform
