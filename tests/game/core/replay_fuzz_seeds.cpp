// Writes the replay reader's seeds into the folder given: small stage files
// made by our own encoder (an ordinary recording, one whose array has no end
// marker and ends in a part frame, and one with no input at all).
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/core/obj_work.h"
#include "game/core/replay_files.h"

namespace {

std::string stageFile(const ReplayHeader& header, const std::vector<uint32_t>& words) {
    std::string bytes(kReplayHeaderBytes + 4 * words.size(), '\0');
    replayHeaderEncode(header, reinterpret_cast<uint8_t*>(bytes.data()));
    for (size_t i = 0; i < words.size(); ++i) {
        for (size_t b = 0; b < 4; ++b) bytes[kReplayHeaderBytes + 4 * i + b] = char(words[i] >> (8 * b));
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);

    ReplayHeader header;
    header.seed = 123456;
    header.startStage = 2;
    header.category = 1;
    header.leaderType = 3;
    header.assist = 1;
    header.settings.BG_BRIGHTNESS = 10;
    ObjWork fighter;
    OBJworkInit(&fighter);
    fighter.x = 112.0f;
    fighter.y = 250.0f;
    fighter.flip = 1;
    fighter.family.words[5] = 42;
    replayWorkStore(fighter, header.works[0]);
    OBJworkInit(&fighter);
    replayWorkStore(fighter, header.works[1]);
    replayWorkStore(fighter, header.works[2]);

    const std::vector<uint32_t> recorded = {0x01, 0x10, 0x10, 12, kReplayMarker, 0x0A, 0x30, 0x20, 99, kReplayMarker,
                                            kReplayMarker, kReplayMarker, kReplayMarker, kReplayMarker, 0, 0};
    const std::vector<uint32_t> unmarked = {0x04, 0xF0, 0, 1, kReplayMarker, 0x08, 0, 0};
    std::vector<std::string> seeds;
    header.capacity = uint32_t(recorded.size());
    seeds.push_back(stageFile(header, recorded));
    header.capacity = uint32_t(unmarked.size());
    seeds.push_back(stageFile(header, unmarked));
    header.capacity = 0;
    seeds.push_back(stageFile(header, {}));
    int index = 0;
    for (const std::string& seed : seeds) {
        std::ofstream(folder / ("seed_" + std::to_string(index++)), std::ios::binary) << seed;
    }
    return 0;
}
