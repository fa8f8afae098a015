#include "engine/data/open_file_cache.h"

#include <map>
#include <mutex>

namespace {

std::mutex cacheMutex;

std::map<std::string, platform::FileHandle>& cache() {
    static std::map<std::string, platform::FileHandle> files;
    return files;
}

}  // namespace

platform::FileHandle takeCachedFile(const std::string& path) {
    std::lock_guard lock(cacheMutex);
    const auto it = cache().find(path);
    if (it == cache().end()) return platform::kNoFile;
    const platform::FileHandle file = it->second;
    cache().erase(it);
    return file;
}

void keepCachedFile(const std::string& path, platform::FileHandle file) {
    {
        std::lock_guard lock(cacheMutex);
        if (cache().emplace(path, file).second) return;
    }
    platform::closeFile(file);
}

bool isFileCached(const std::string& path) {
    std::lock_guard lock(cacheMutex);
    return cache().count(path) != 0;
}

void closeCachedFiles() {
    std::lock_guard lock(cacheMutex);
    for (const auto& [path, file] : cache()) platform::closeFile(file);
    cache().clear();
}
