// "rep_info.dat": the summary of a recorded play.
#include <cstdio>
#include <cstdlib>

#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/replay_layout.h"
#include "game/core/wheel_file.h"

namespace {

std::string infoPath(const std::string& folder) { return folder + "/rep_info.dat"; }

}  // namespace

void replayWriteInfo(bool finished) {
    if (!playIsRecorded || replayTempFolder.empty()) return;
    const ReplayPlayFacts facts = replayPlayFactsHook != nullptr ? replayPlayFactsHook() : ReplayPlayFacts{};
    ReplayInfo info;
    info.score = facts.score;
    info.stage = stageNumber;
    info.stageProgress = facts.trueRoute ? 3 : facts.stageProgress;
    info.finished = finished ? 1 : 0;
    info.category = replayHeader.category;
    info.fighterType = facts.fighterType;
    info.creditCounter = facts.creditCounter;
    uint8_t bytes[kReplayInfoBytes] = {};
    encodeRecord(&info, kReplayInfoLayout, bytes);
    SDL2_wheel_FileWrite(infoPath(replayTempFolder).c_str(), bytes, 1, sizeof bytes);
}

bool replayReadInfo(const std::string& folder, ReplayInfo& info) {
    const std::string path = infoPath(folder);
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (!probe) return false;
    std::fclose(probe);
    long size = 0;
    uint8_t* bytes = SDL2_wheel_FileReadAlloc(path.c_str(), &size);
    if (!bytes) return false;
    const bool whole = size == long(kReplayInfoBytes);
    if (whole) decodeRecord(&info, kReplayInfoLayout, bytes);
    std::free(bytes);
    return whole;
}
