#pragma once
// The process's own memory as the kernel sees it: the page size, the map
// listing, and a hint that a mapped range will be read soon.
//
// Threads: any thread.

#include <cstdint>
#include <string>

namespace platform {

// The system's page size; 4096 when the system reports none.
uint64_t pageSize();

// The text of /proc/self/maps, or empty when it can't be read.
std::string ownMemoryMaps();

// Asks the kernel to read the file behind the mapped range [begin, end) into
// its page cache ahead of use (madvise MADV_WILLNEED). The reads run in the
// background and the pages are not mapped into the process, so the resident
// set does not grow; a later first access maps a cached page without waiting
// for the disk. False when the range is not mapped; never faults.
bool adviseWillNeed(uint64_t begin, uint64_t end);

}  // namespace platform
