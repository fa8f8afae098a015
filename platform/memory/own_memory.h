#pragma once
// Reads of the process's own memory. readOwnByte never faults: a page that is
// mapped but can't be read (a file mapping past the file's end, a guard page)
// makes the read fail instead of raising a signal; touchOwnPages is the fast
// way for pages known to be backed. The module prefetch pages in the
// program's mapped files through them.
//
// Threads: any thread.

#include <cstdint>
#include <string>

namespace platform {

// The system's page size; 4096 when the system reports none.
uint64_t pageSize();

// Reads one byte at the address; false when it could not be read.
bool readOwnByte(uint64_t address);

// Reads one byte of each page in [begin, end) with plain loads; answers the
// pages read. Only for readable pages the caller knows to be backed, such as
// pages of a mapped file that lie within the file.
uint32_t touchOwnPages(uint64_t begin, uint64_t end, uint64_t pageSize);

// The text of /proc/self/maps, or empty when it can't be read.
std::string ownMemoryMaps();

struct FileIdentity {
    bool known = false;
    uint64_t inode = 0;
    uint64_t size = 0;
};
// The file's inode and size as they are now; not known when it can't be read.
FileIdentity fileIdentity(const std::string& path);

}  // namespace platform
