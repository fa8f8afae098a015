#include "engine/data/search_directories.h"

#include <algorithm>

namespace {

std::vector<std::string>& directories() {
    static std::vector<std::string> list;
    return list;
}

}  // namespace

void setPrimarySearchDirectory(const std::string& directory) {
    std::vector<std::string>& list = directories();
    if (list.empty()) {
        list.push_back(directory);
    } else {
        list.front() = directory;
    }
}

void addSearchDirectory(const std::string& directory) {
    std::vector<std::string>& list = directories();
    if (std::find(list.begin(), list.end(), directory) == list.end()) {
        list.push_back(directory);
    }
}

const std::vector<std::string>& searchDirectories() { return directories(); }

void clearSearchDirectories() { directories().clear(); }
