#include "engine/data/search_candidates.h"

#include "engine/data/search_directories.h"

std::string joinSearchPath(std::string_view directory, std::string_view path) {
    if (!directory.empty() && directory.back() == '/') directory.remove_suffix(1);
    if (!path.empty() && path.front() == '/') path.remove_prefix(1);
    std::string joined(directory);
    joined += '/';
    joined += path;
    return joined;
}

std::vector<std::string> searchCandidates(std::string_view path) {
    std::vector<std::string> candidates;
    const std::vector<std::string>& directories = searchDirectories();
    for (auto directory = directories.rbegin(); directory != directories.rend(); ++directory) {
        if (!directory->empty()) candidates.push_back(joinSearchPath(*directory, path));
    }
    if (path.starts_with('/')) candidates.emplace_back(path);
    return candidates;
}
