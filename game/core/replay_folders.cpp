// The replay folders: the working folder of a play, the dated folder it is
// kept in, and their clearing, copying and deletion.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/wheel_file.h"
#include "game/core/wheel_log.h"
#include "game/core/wheel_time.h"
#include "game/records/paths.h"

std::string replayTempFolder;
std::string replayDatedFolder;

const char* const kReplayFileNameTable[kReplayFileNames] = {
    "rep_st01.dat", "rep_st02.dat", "rep_st03.dat", "rep_st04.dat", "rep_st05.dat", "rep_st06.dat", "rep_info.dat",
};

namespace {

void removeReplayFiles(const std::string& folder) {
    for (const char* name : kReplayFileNameTable) {
        std::error_code ignored;
        std::filesystem::remove(folder + "/" + name, ignored);
    }
}

void makeFolder(const std::string& folder) {
    std::error_code ignored;  // an existing folder is no error; a missing one shows at the first write
    std::filesystem::create_directories(folder, ignored);
}

bool copyFile(const std::string& from, const std::string& to) {
    long size = 0;
    uint8_t* bytes = SDL2_wheel_FileReadAlloc(from.c_str(), &size);
    if (!bytes) return false;
    const bool copied = SDL2_wheel_FileWrite(to.c_str(), bytes, 1, size_t(size)) >= 0;
    std::free(bytes);
    return copied;
}

// Copies the play's replay files into the dated folder. A file that can't
// be copied (a full disk) is moved instead, which needs no room on the
// same disk; false when one of them is still only in the working folder.
bool copyReplayFiles() {
    makeFolder(replayDatedFolder);
    bool committed = true;
    for (const char* name : kReplayFileNameTable) {
        const std::string from = replayTempFolder + "/" + name;
        const std::string to = replayDatedFolder + "/" + name;
        std::error_code missing;
        if (!std::filesystem::is_regular_file(from, missing) || copyFile(from, to)) continue;
        if (std::rename(from.c_str(), to.c_str()) == 0) {
            SDL2_wheel_Log("%s : moved to %s, as it could not be copied", from.c_str(), to.c_str());
        } else {
            committed = false;
        }
    }
    return committed;
}

}  // namespace

void replayMakeFolder() {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    SDL2_wheel_GetLocalTime(&year, &month, &day, &hour, &minute, &second);
    char name[256];
    std::snprintf(name, sizeof name, "replay/%04d%02d%02d_%02d%02d%02d", year, month, day, hour, minute, second);
    replayDatedFolder = makeAppRootPath(name);
    if (replayTempFolder.empty()) return;
    makeFolder(replayTempFolder);
    replayClearFolder();
}

void replayClearFolder() {
    if (!replayTempFolder.empty()) removeReplayFiles(replayTempFolder);
}

// A replay that could not be copied stays in the working folder, so the
// play is not lost with it.
void replayCommitFolder() {
    if (playIsRecorded && !replayTempFolder.empty() && !replayDatedFolder.empty() && !copyReplayFiles()) {
        SDL2_wheel_Log("replay save fail : not copied to %s, kept in %s", replayDatedFolder.c_str(),
                       replayTempFolder.c_str());
        return;
    }
    replayClearFolder();
}

std::string replayStagePath() {
    if (replayTempFolder.empty()) return {};
    char path[512];
    std::snprintf(path, sizeof path, "%s/rep_st%02d.dat", replayTempFolder.c_str(), stageNumber);
    return path;
}

void replayDeleteFolder(const std::string& folder) {
    if (folder.empty()) return;
    removeReplayFiles(folder);
    // Only an empty folder goes: one holding other files is left in place.
    std::error_code notEmpty;
    std::filesystem::remove(folder, notEmpty);
}
