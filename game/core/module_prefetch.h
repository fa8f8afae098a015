#pragma once
// The start-up prefetch: brings the program's mapped files (the executable
// and its shared libraries, as /proc/self/maps lists them) into the system's
// page cache, so the first frames don't stall on disk reads. Each readable
// range is handed to the kernel as needed soon rather than touched page by
// page: the reads run in the background and the pages stay out of the
// resident set until the program uses them (touching every page would map
// all of them, about 200 MB with the GL driver's libraries). Its lines go to
// the debug trace only while kPrefetchTraceVariable is set in the
// environment (an unreadable map listing always does); a range the kernel
// refuses is skipped and never stops
// the start-up. Runs of pages that are unmapped or unreadable are reported
// once per run, not once per page.
//
// Threads: main thread, at start-up.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kPrefetchTraceVariable = "HALVIR_PREFETCH_TRACE";

// One mapped file: the mappings of one path that follow each other in the
// map listing, from the first one's start to the last one's end.
struct MappedModule {
    struct Range {
        uint64_t begin = 0;
        uint64_t end = 0;
        bool readable = false;
    };
    std::string path;
    std::vector<Range> ranges;

    uint64_t base() const { return ranges.front().begin; }
    uint64_t size() const { return ranges.back().end - ranges.front().begin; }
};

// The mapped files of a /proc/<pid>/maps text, in listing order; anonymous
// and special mappings ("[heap]" and the like), devices and memory files are
// left out.
std::vector<MappedModule> parseMappedModules(std::string_view maps);

// Asks for each readable range of the module to be read ahead; answers the
// pages of the ranges the kernel took.
uint32_t prefetchModuleRange(const MappedModule& module, uint64_t pageSize);

// False when the program's map could not be read.
bool workaroundPrefetchModule();
