// libFuzzer target: the small files a player or operator may edit or damage.
// The first byte chooses what the rest is:
// 0 "dinput.ini": a pad's button map read from it;
// 1 the cabinet stand-in's settings file;
// 2 the cabinet stand-in's script;
// 3 the sound volume texts (master, effects, voice cues and music, read
//   through SDL2_wheel_ConfigFileGetInt), as the sound layer loads a sound of
//   each kind and mixes their volumes;
// 4 "rep_info.dat", a replay's summary.
// Each must be read without a fault or undefined behaviour, and give only
// what its readers promise. Files are written in the fuzzer's own folder.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/input/win_input_config.h"
#include "game/core/replay_files.h"
#include "game/core/replay_layout.h"
#include "game/core/sound_requests.h"
#include "platform/arcade/cabinet_script.h"
#include "platform/arcade/cabinet_settings.h"
#include "platform/input/ini_file.h"
#include "tests/game/core/config_files_fuzz.h"
#include "tests/support/fuzz_folder.h"

namespace {

void writeConfigFuzzFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void readPadMap(const std::string& text) {
    const platform::IniFile ini = platform::IniFile::parse(text);
    const std::vector<MInputMapping> mapping = readPadMapping(ini, configfuzz::padProduct());
    if (mapping.size() > inputConfigKeys().size()) std::abort();
    for (const MInputMapping& m : mapping) {
        if (m.source >= 128) std::abort();
    }
}

void readCabinetSettings(const std::string& text) {
    const arcade::SettingsLoad load = arcade::parseCabinetSettings(text, "cabinet.txt");
    if (load.settings.keychipId.size() != 11 || load.settings.gameId.size() != 4) std::abort();
}

void readCabinetScript(const std::string& text) {
    const arcade::ScriptLoad load = arcade::parseCabinetScript(text, "script.txt");
    for (size_t i = 1; i < load.actions.size(); ++i) {
        if (load.actions[i].step < load.actions[i - 1].step) std::abort();
    }
}

// The same text as every volume text: the sound layer reads them in turn,
// so each read fills the parameter cache afresh.
void readVolumeTexts(const std::string& root, const std::string& text) {
    const std::string folder = root + "resource/" + soundFolder() + "/";
    for (const char* file : configfuzz::kVolumeTexts) writeConfigFuzzFile(folder + file, text);
    SDL2_wheel_SoundInit();
    SDL2_wheel_SoundLoad(configfuzz::kEffectName, configfuzz::kEffectId, 1, 0);
    SDL2_wheel_SoundLoadVoice(configfuzz::kVoiceName, configfuzz::kVoiceId, 2);
    SDL2_wheel_SoundLoadMusic(configfuzz::kMusicName, configfuzz::kMusicNumber, 0);
    soundMixedVolume(configfuzz::kEffectId);
    soundMixedVolume(configfuzz::kVoiceId);
    musicMixedVolume(configfuzz::kMusicNumber);
}

void readReplayInfo(const std::string& root, const std::string& bytes) {
    writeConfigFuzzFile(root + "rep_info.dat", bytes);
    ReplayInfo info;
    if (replayReadInfo(root.substr(0, root.size() - 1), info) != (bytes.size() == kReplayInfoBytes)) std::abort();
}

const std::string& configFuzzRoot() {
    static const std::string root = [] {
        const std::string folder = fuzzFolder("halvir_config_fuzz").root();
        for (const char* file : configfuzz::kVolumeTexts) {
            std::filesystem::create_directories(std::filesystem::path(folder + "resource/" + soundFolder() + "/" + file)
                                                    .parent_path());
        }
        return folder;
    }();
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string& root = configFuzzRoot();
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % configfuzz::kKinds) {
        case configfuzz::kPadMap: readPadMap(text); break;
        case configfuzz::kCabinetSettings: readCabinetSettings(text); break;
        case configfuzz::kCabinetScript: readCabinetScript(text); break;
        case configfuzz::kVolumeText: readVolumeTexts(root, text); break;
        default: readReplayInfo(root, text); break;
    }
    return 0;
}
