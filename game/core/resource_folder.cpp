#include "game/core/resource_folder.h"

#include <filesystem>

#include "engine/app/win_app.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/search_directories.h"

namespace {

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

std::string gameFolder() {
    if (const MWinApp* app = MWinApp::getInstance()) {
        const auto& option = app->options().dataDirectory;
        if (option && !option->empty()) return withSlash(*option);
    }
    return withSlash(winAppSettings().executableDirectory);
}

void useGameFolder(const std::string& folder) { setPrimarySearchDirectory(folder); }

std::string checkResourceFolder(const std::string& folder) {
    const std::filesystem::path resource = std::filesystem::path(folder) / "resource";
    std::error_code error;
    std::filesystem::directory_iterator listing(resource, error);
    if (!error) return {};
    return "The resource folder " + resource.string() + " is missing or unreadable (" + error.message() +
           "). Build it with: cmake --build <build folder> --target halvir_content (scripts/run does this).";
}
