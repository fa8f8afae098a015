#include "game/frontend/menus/replay_list.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "game/frontend/replay_folder_count.h"
#include "game/records/paths.h"

std::array<ReplayListSlot, kReplayListSlots> replayList;
std::string replayChosenFolder;
int32_t replayChosenFirstStage = 1;

namespace {

constexpr int kReplayModes = 9;
const char* const kReplayModeTexts[kReplayModes] = {"NOVICE  ", "CASUAL  ", "ORIGINAL", "EXPERT  ", "SA ST 1 ",
                                                    "SA ST 2 ", "SA ST 3 ", "SA ST 4 ", "SA ST 5 "};
constexpr int32_t kReplayFirstStages[kReplayModes] = {1, 1, 1, 1, 1, 2, 3, 4, 5};
constexpr size_t kReplayFolderNameMost = 255;

bool replayListCounts(const std::string& name) { return name.find('.') == std::string::npos && name != "temp"; }

// A directory listing comes in no particular order: sorted by name, the
// dated folders come oldest first.
std::vector<std::string> replayListNames() {
    std::vector<std::string> names;
    std::error_code failed;
    for (std::filesystem::directory_iterator it(makeAppRootPath("replay"), failed), end; !failed && it != end;
         it.increment(failed)) {
        std::string name = it->path().filename().string();
        if (replayListCounts(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

void replayListFill(ReplayListSlot& slot, const std::string& name) {
    slot.present = 1;
    slot.folder = name.substr(0, kReplayFolderNameMost);
    // A missing or damaged summary leaves the record zeroed: listed, not playable.
    ReplayInfo info;
    info.alwaysOne = 0;
    replayReadInfo(makeAppRootPath("replay/" + slot.folder), info);
    slot.info = info;
    std::snprintf(slot.line, sizeof slot.line, "%s %s", slot.folder.c_str(), replayModeText(info.category));
    std::snprintf(slot.scoreLine, sizeof slot.scoreLine, "            %12llu", (unsigned long long)info.score);
}

}  // namespace

const char* replayModeText(int32_t mode) {
    return mode >= 0 && mode < kReplayModes ? kReplayModeTexts[mode] : "        ";
}

int32_t replayFirstStageOfMode(int32_t mode) {
    return mode >= 0 && mode < kReplayModes ? kReplayFirstStages[mode] : 0;
}

void replayListScan() {
    replayList.fill(ReplayListSlot{});
    for (ReplayListSlot& slot : replayList) slot.info.alwaysOne = 0;
    const int32_t n = replayFolderCount();
    const int32_t skip = std::max(n - kReplayListSlots, 0);
    int32_t slot = std::min(n - 1, kReplayListSlots - 1);
    int32_t counted = 0;
    for (const std::string& name : replayListNames()) {
        if (slot < 0) break;
        if (counted++ < skip) continue;
        replayListFill(replayList[size_t(slot--)], name);
    }
}
