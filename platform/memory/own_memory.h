#pragma once
// Reads of the process's own memory that never fault: a page that is mapped
// but can't be read (a file mapping past the file's end, a guard page) makes
// the read fail instead of raising a signal. The module prefetch pages in the
// program's mapped files through it.
//
// Threads: any thread.

#include <cstdint>
#include <string>

namespace platform {

// The system's page size; 4096 when the system reports none.
uint64_t pageSize();

// Reads one byte at the address; false when it could not be read.
bool readOwnByte(uint64_t address);

// The text of /proc/self/maps, or empty when it can't be read.
std::string ownMemoryMaps();

}  // namespace platform
