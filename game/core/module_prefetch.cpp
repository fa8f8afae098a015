#include "game/core/module_prefetch.h"

#include <cinttypes>
#include <cstdlib>
#include <sstream>

#include "engine/base/debug_trace.h"
#include "platform/memory/own_memory.h"

namespace {

// "begin-end perms offset dev inode path"; the path may hold blanks.
bool parseMapLine(const std::string& line, MappedModule::Range& range, std::string& path) {
    std::istringstream fields(line);
    std::string span, perms, offset, device;
    uint64_t inode = 0;
    if (!(fields >> span >> perms >> offset >> device >> inode)) return false;
    const size_t dash = span.find('-');
    if (dash == std::string::npos) return false;
    range.begin = std::stoull(span.substr(0, dash), nullptr, 16);
    range.end = std::stoull(span.substr(dash + 1), nullptr, 16);
    range.readable = !perms.empty() && perms[0] == 'r';
    std::getline(fields >> std::ws, path);
    return true;
}

// Files only: device and shared-memory mappings are not the program's.
bool isMappedFile(const std::string& path) {
    return !path.empty() && path[0] == '/' && !path.starts_with("/dev/") && !path.starts_with("/memfd:");
}

std::string baseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A line a range and a module, a few hundred at every start: written only
// for whoever looks into the start-up and sets the variable.
bool prefetchTraced() { return std::getenv(kPrefetchTraceVariable) != nullptr; }

}  // namespace

#define PREFETCH_TRACE(...)                          \
    do {                                             \
        if (prefetchTraced()) M_DEBUG_TRACE(__VA_ARGS__); \
    } while (false)

std::vector<MappedModule> parseMappedModules(std::string_view maps) {
    std::vector<MappedModule> modules;
    std::istringstream lines{std::string(maps)};
    std::string line;
    while (std::getline(lines, line)) {
        MappedModule::Range range;
        std::string path;
        try {
            if (!parseMapLine(line, range, path)) continue;
        } catch (const std::exception&) {
            continue;  // a field that is no number
        }
        if (!isMappedFile(path)) continue;
        if (modules.empty() || modules.back().path != path) modules.push_back({path, {}});
        modules.back().ranges.push_back(range);
    }
    return modules;
}

// Between two mappings of a module lies address space that is not mapped.
uint32_t prefetchModuleRange(const MappedModule& module, uint64_t pageSize) {
    uint32_t count = 0;
    uint64_t previousEnd = module.base();
    for (const MappedModule::Range& range : module.ranges) {
        if (range.begin > previousEnd) PREFETCH_TRACE("not committed. %" PRIx64 " %" PRIx64, previousEnd, range.begin);
        previousEnd = range.end;
        if (!range.readable) {
            PREFETCH_TRACE("protected. %" PRIx64 " %" PRIx64, range.begin, range.end);
            continue;
        }
        if (platform::adviseWillNeed(range.begin, range.end)) count += uint32_t((range.end - range.begin) / pageSize);
    }
    PREFETCH_TRACE("workaroundPrefetchModule: dwCount=%u", count);
    return count;
}

bool workaroundPrefetchModule() {
    const std::string maps = platform::ownMemoryMaps();
    if (maps.empty()) {
        M_DEBUG_TRACE("Warning: EnumProcessModules failed. /proc/self/maps unreadable");
        return false;
    }
    const uint64_t pageSize = platform::pageSize();
    const std::vector<MappedModule> modules = parseMappedModules(maps);
    for (size_t i = 0; i < modules.size(); ++i) {
        const MappedModule& module = modules[i];
        prefetchModuleRange(module, pageSize);
        PREFETCH_TRACE("prefetched %zu %" PRIx64 " %" PRIx64 " %s", i, module.base(), module.size(),
                      baseName(module.path).c_str());
    }
    return true;
}
