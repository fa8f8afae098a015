// Volume texts module: the master levels and, for every sound name, a level
// (0..128) and a gain in tenths of a decibel, in the texts of both sound
// folders. The game finds a key as a substring of a line, so lines go out
// shortest key first: a key's own line then comes before every longer key
// that holds it ("laser" before "laser2", "N" before "N_dB").
#include <algorithm>
#include <map>
#include <set>

#include "tools/content/content_lines.h"
#include "tools/content/content_modules.h"
#include "tools/content/key_value_text.h"
#include "tools/content/sound_names.h"

namespace content {
namespace {

constexpr const char* kVolumes = "sound/volumes.txt";
constexpr const char* kFolders[] = {"sound", "sound_duz3"};
constexpr int64_t kFullLevel = 128;

struct Volume {
    int64_t level = kFullLevel;
    int64_t decibelTenths = 0;
};

// What "sound/volumes.txt" sets: master levels, each text's default and the
// names set apart from their text's default.
struct VolumeSettings {
    std::vector<std::pair<std::string, Volume>> master;
    std::map<std::string, Volume> defaults;  // by text: se, voice, bgm
    std::map<std::string, Volume> names;
};

Volume readVolume(const std::vector<std::string>& fields, const ContentLine& line) {
    const Volume volume{parseNumber(fields[2], kVolumes, line), parseNumber(fields[3], kVolumes, line)};
    if (volume.level < 0 || volume.level > kFullLevel) {
        throw ContentError(where(kVolumes, line, "a level is 0 to 128"));
    }
    return volume;
}

VolumeSettings readSettings(const ContentContext& context) {
    VolumeSettings settings;
    for (const ContentLine& line : contentLines(context.readContent(kVolumes))) {
        const std::vector<std::string> fields = splitFields(line.text);
        if (fields.size() != 4) throw ContentError(where(kVolumes, line, "expected: kind name level gain"));
        const Volume volume = readVolume(fields, line);
        if (fields[0] == "master") {
            settings.master.emplace_back(fields[1], volume);
        } else if (fields[0] == "default") {
            settings.defaults[fields[1]] = volume;
        } else if (fields[0] == "sound") {
            settings.names[fields[1]] = volume;
        } else {
            throw ContentError(where(kVolumes, line, "a line starts with master, default or sound"));
        }
    }
    return settings;
}

// The names of one text, in table order, each once.
struct VolumeText {
    const char* kind;  // its default in the settings
    const char* path;  // in a sound folder
    std::vector<std::string> names;
};

std::vector<VolumeText> volumeTexts(const ContentContext& context) {
    std::vector<VolumeText> texts = {
        {"se", "chunk/se_volume.txt", {}}, {"voice", "voice/voice_volume.txt", {}}, {"bgm", "music/bgm_volume.txt", {}}};
    std::set<std::string> music;
    for (const MusicName& tune : readMusicNames(context)) {
        if (music.insert(tune.name).second) texts[2].names.push_back(tune.name);
    }
    for (const SoundName& sound : readSoundNames(context)) {
        if (sound.group == "se") texts[0].names.push_back(sound.name);
        else if (sound.group == "voice") texts[1].names.push_back(sound.name);
        else if (music.insert(sound.name).second) texts[2].names.push_back(sound.name);
    }
    return texts;
}

void addVolume(std::vector<KeyValue>& entries, const std::string& name, const Volume& volume) {
    entries.push_back({name, volume.level});
    entries.push_back({name + "_dB", volume.decibelTenths});
}

std::string shortestKeyFirst(std::vector<KeyValue> entries, std::string_view file) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const KeyValue& a, const KeyValue& b) { return a.key.size() < b.key.size(); });
    return formatKeyValueText(entries, file);
}

}  // namespace

void makeVolumeTexts(ContentContext& context) {
    const VolumeSettings settings = readSettings(context);
    std::vector<KeyValue> master;
    for (const auto& [key, volume] : settings.master) addVolume(master, key, volume);
    std::set<std::string> known;
    std::vector<std::pair<std::string, std::string>> files;  // path, text
    for (const VolumeText& text : volumeTexts(context)) {
        const auto fallback = settings.defaults.find(text.kind);
        if (fallback == settings.defaults.end()) {
            throw ContentError(std::string(kVolumes) + ": no \"default " + text.kind + "\" line");
        }
        std::vector<KeyValue> entries;
        for (const std::string& name : text.names) {
            const auto own = settings.names.find(name);
            addVolume(entries, name, own != settings.names.end() ? own->second : fallback->second);
            known.insert(name);
        }
        files.emplace_back(text.path, shortestKeyFirst(std::move(entries), text.path));
    }
    for (const auto& [name, volume] : settings.names) {
        if (!known.contains(name)) throw ContentError(std::string(kVolumes) + ": no sound is named " + name);
    }
    const std::string masterText = shortestKeyFirst(master, "master_volume.txt");
    for (const char* folder : kFolders) {
        const std::string prefix = std::string(folder) + "/";
        context.writeResource(prefix + "master_volume.txt", masterText);
        for (const auto& [path, text] : files) context.writeResource(prefix + path, text);
    }
}

}  // namespace content
