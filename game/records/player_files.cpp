// The player's files: missing, unreadable and damaged ones.
#include "game/records/player_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "game/core/wheel_file.h"
#include "game/core/wheel_log.h"
#include "platform/disk/whole_file.h"

namespace {

std::set<std::string>& leftAlone() {
    static std::set<std::string> paths;
    return paths;
}

}  // namespace

PlayerFileRead readPlayerFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (playerFileLeftAlone(path)) return PlayerFileRead::LeftAlone;
    const platform::WholeRead read = platform::readWholeFile(path, bytes);
    if (read.status == platform::WholeReadStatus::Read) return PlayerFileRead::Read;
    if (read.status == platform::WholeReadStatus::Missing) return PlayerFileRead::Missing;
    bytes.clear();
    SDL2_wheel_Log("%s : can't be read (%s); the game runs on the defaults and leaves the file alone", path.c_str(),
                   std::strerror(read.error));
    leftAlone().insert(path);
    return PlayerFileRead::LeftAlone;
}

bool playerFileLeftAlone(const std::string& path) { return leftAlone().count(path) != 0; }

bool writePlayerFile(const std::string& path, const void* bytes, size_t size) {
    return !playerFileLeftAlone(path) && writeFileReplacing(path.c_str(), bytes, size);
}

void keepDamagedPlayerFile(const std::string& path, size_t size, size_t expected) {
    const std::string damaged = path + ".damaged";
    if (std::rename(path.c_str(), damaged.c_str()) != 0) {
        SDL2_wheel_Log("%s : %zu bytes where %zu belong, and it can't be kept as %s (%s); the defaults are used",
                       path.c_str(), size, expected, damaged.c_str(), std::strerror(errno));
        leftAlone().insert(path);
        return;
    }
    platform::syncFolderOf(path);
    SDL2_wheel_Log("%s : %zu bytes where %zu belong; kept as %s, the defaults are used", path.c_str(), size, expected,
                   damaged.c_str());
}
