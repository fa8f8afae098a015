// The two path builders and the folders they build from.
#include "game/records/paths.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

namespace {

std::vector<std::string>& resourceFolders() {
    static std::vector<std::string> folders;
    return folders;
}

std::string& appRoot() {
    static std::string root;
    return root;
}

std::string defaultAppRoot() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome && *dataHome) {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : ".") + "/.local/share";
    }
    return base + "/halvir/";
}

}  // namespace

void setResourceFolders(std::vector<std::string> folders) { resourceFolders() = std::move(folders); }

std::string makeResourcePath(const std::string& name) {
    const auto& folders = resourceFolders();
    return (folders.empty() ? std::string() : folders.front()) + name;
}

void setAppRootFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    appRoot() = std::move(folder);
}

const std::string& appRootFolder() {
    if (appRoot().empty()) {
        setAppRootFolder(defaultAppRoot());
        std::error_code ignored;  // a root that can't be made shows up as failed writes
        std::filesystem::create_directories(appRoot(), ignored);
    }
    return appRoot();
}

std::string makeAppRootPath(const std::string& name) { return appRootFolder() + name; }
