#include "game/frontend/replay_folder_count.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "game/records/paths.h"

int32_t replayFolderCount() {
    std::error_code failed;
    std::filesystem::directory_iterator entries(makeAppRootPath("replay"), failed);
    if (failed) return 0;
    int32_t count = 0;
    for (const std::filesystem::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.find('.') == std::string::npos && name != "temp") ++count;
    }
    return count;
}
