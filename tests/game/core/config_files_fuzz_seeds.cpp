// Writes the config-files fuzzer's seeds into the folder given, each behind
// its selector byte (config_files_fuzz.h): a "dinput.ini" with the pad's
// section made from its product identifier and every key of the map; a
// cabinet settings file with every key; a cabinet script with every
// command; volume texts made by the content generator's key=value writer
// (master levels, and one with the fuzzed sounds at full and at the
// extremes of level and gain); and a replay summary made by the replay
// record layout.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/input/input_map.h"
#include "engine/input/win_input_config.h"
#include "game/core/replay_files.h"
#include "game/core/replay_layout.h"
#include "tests/game/core/config_files_fuzz.h"
#include "tools/content/key_value_text.h"

namespace {

std::string padMap() {
    std::string text = "; pads\r\n[Common]\r\nVersion = 1.00\r\n[";
    text += inputConfigSection(configfuzz::padProduct()) + "]\n";
    uint32_t button = 0;
    for (const MInputConfigKey& key : inputConfigKeys()) {
        text += std::string(key.name) + " = " + std::to_string(button++ * 9 % 130) + "\n";
    }
    return text + "KeyA = \"12\"\n";
}

const char* const kCabinetSettings =
    "# cabinet\n"
    "keychip_id = A00E0001234\ngame_id = KVZD\ngame_version = 2.13\nlocation_id = 65535\n"
    "location_name = Arcade \xE3\x81\x82\nserver_host = 127.0.0.1\nnetwork = on\ncard_reader = yes\n"
    "card_server = false\nfree_play = 0\ngame_cost = 99\ncard_id = 7\n"
    "card_access_code = 01234567890123456789\napp_root = /tmp/halvir/\n";

const char* const kCabinetScript =
    "# script\n"
    "0 press start button1\n+2 release start\n3 tap up left for 4\n+1 coin 3\n5 credits 9\n"
    "6 free-play off\n7 cost-enough auto\n8 closing 120\n9 closing none\n10 advertise-sound off\n"
    "11 fixed-title on\n12 exit-needed off\n13 error on\n14 network on\n15 card-server off\n"
    "16 card 5 00000000000000000042\n17 card-confirm 2\n18 card-error 3\n19 answer begin-play yes no\n"
    "20 answer card-cancel no\n4 press 15\n";

std::string volumeText(const std::vector<content::KeyValue>& entries) {
    return content::formatKeyValueText(entries, "volume.txt");
}

std::string replayInfo() {
    ReplayInfo info;
    info.score = 123456789;
    info.stage = 4;
    info.stageProgress = 3;
    info.finished = 1;
    info.category = 2;
    info.fighterType = 5;
    info.creditCounter = 2;
    std::string bytes(kReplayInfoBytes, '\0');
    encodeRecord(&info, kReplayInfoLayout, reinterpret_cast<uint8_t*>(bytes.data()));
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    const std::string master = volumeText({{"VANTORLIB_SE", 128},
                                           {"VANTORLIB_BGM", 128},
                                           {"VANTORLIB_VOICE", 128},
                                           {"VANTORLIB_SE_dB", 0},
                                           {"VANTORLIB_BGM_dB", 0},
                                           {"VANTORLIB_VOICE_dB", -30}});
    const std::string sounds = volumeText({{configfuzz::kEffectName, 128},
                                           {configfuzz::kMusicName, 0},
                                           {configfuzz::kVoiceName, 9223372036854775807},
                                           {std::string(configfuzz::kEffectName) + "_dB", -600},
                                           {std::string(configfuzz::kMusicName) + "_dB", -30},
                                           {std::string(configfuzz::kVoiceName) + "_dB", 12000}});
    const std::pair<configfuzz::Kind, std::string> seeds[] = {
        {configfuzz::kPadMap, padMap()},
        {configfuzz::kCabinetSettings, kCabinetSettings},
        {configfuzz::kCabinetScript, kCabinetScript},
        {configfuzz::kVolumeText, master},
        {configfuzz::kVolumeText, master + sounds},
        {configfuzz::kReplayInfo, replayInfo()},
    };
    int index = 0;
    for (const auto& [kind, text] : seeds) {
        std::ofstream(folder / ("seed_" + std::to_string(index++)), std::ios::binary) << char(kind) << text;
    }
    return 0;
}
