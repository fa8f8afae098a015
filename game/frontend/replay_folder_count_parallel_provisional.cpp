// Provisional: the stage-results and game-over work brings the real count.
#include <filesystem>
#include <string>
#include <system_error>

#include "game/frontend/replay_folder_count.h"
#include "game/records/paths.h"

int32_t replayFolderCount() {
    std::error_code failed;
    int32_t count = 0;
    for (std::filesystem::directory_iterator it(makeAppRootPath("replay"), failed), end; !failed && it != end;
         it.increment(failed)) {
        const std::string name = it->path().filename().string();
        if (name.find('.') == std::string::npos && name != "temp") ++count;
    }
    return count;
}
