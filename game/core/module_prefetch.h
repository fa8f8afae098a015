#pragma once
// The start-up prefetch: pages in the program's mapped files (the executable
// and its shared libraries, as /proc/self/maps lists them) by reading one
// byte of each readable page, so the first frames don't stall on page faults.
// It reads memory only. Every line goes to the debug trace; a page that
// can't be read is skipped and never stops the start-up. Runs of pages that
// are unmapped or unreadable are reported once per run, not once per page.
//
// Threads: main thread, at start-up.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One mapped file: the mappings of one path that follow each other in the
// map listing, from the first one's start to the last one's end.
struct MappedModule {
    struct Range {
        uint64_t begin = 0;
        uint64_t end = 0;
        uint64_t offset = 0;  // in the file, of the range's first byte
        bool readable = false;
    };
    std::string path;
    uint64_t inode = 0;
    std::vector<Range> ranges;

    uint64_t base() const { return ranges.front().begin; }
    uint64_t size() const { return ranges.back().end - ranges.front().begin; }
};

// The mapped files of a /proc/<pid>/maps text, in listing order; anonymous
// and special mappings ("[heap]" and the like), devices and memory files are
// left out.
std::vector<MappedModule> parseMappedModules(std::string_view maps);

// Reads one byte of each readable page of the module; answers how many reads
// succeeded. Pages that lie within the mapped file (the same inode, still as
// long) are read directly; the others through reads that can't fault.
uint32_t prefetchModuleRange(const MappedModule& module, uint64_t pageSize);

// False when the program's map could not be read.
bool workaroundPrefetchModule();
