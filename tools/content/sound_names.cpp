// Reading the sound and music tables.
#include "tools/content/sound_names.h"

#include <set>

#include "tools/content/content_lines.h"

namespace content {
namespace {

constexpr const char* kSounds = "sound/sounds.csv";
constexpr const char* kMusic = "sound/music.csv";

// The comma-separated fields of a data line, checked against the header's
// count; the header line itself is skipped by the caller.
std::vector<std::string> csvFields(const ContentLine& line, size_t count, std::string_view file) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = line.text.find(',', start);
        fields.push_back(line.text.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (fields.size() != count) {
        throw ContentError(where(file, line, "expected " + std::to_string(count) + " comma-separated fields"));
    }
    return fields;
}

std::vector<ContentLine> dataLines(const ContentContext& context, const char* file, std::string_view header) {
    std::vector<ContentLine> lines = contentLines(context.readContent(file));
    if (lines.empty() || lines.front().text != header) {
        throw ContentError(std::string(file) + ": the first line must be \"" + std::string(header) + "\"");
    }
    lines.erase(lines.begin());
    return lines;
}

}  // namespace

std::vector<SoundName> readSoundNames(const ContentContext& context) {
    std::vector<SoundName> sounds;
    std::set<std::string> names;
    int lastId = -1;
    for (const ContentLine& line : dataLines(context, kSounds, "id,name,group,channel,guard,registered")) {
        const auto f = csvFields(line, 6, kSounds);
        const int id = int(parseNumber(f[0], kSounds, line));
        if (id <= lastId) throw ContentError(where(kSounds, line, "ids must rise"));
        lastId = id;
        if (f[1].empty()) continue;
        if (!names.insert(f[1]).second) throw ContentError(where(kSounds, line, "name " + f[1] + " appears twice"));
        if (f[5] != "yes" && f[5] != "no") throw ContentError(where(kSounds, line, "registered is yes or no"));
        sounds.push_back({id, f[1], f[2], f[3], int(parseNumber(f[4], kSounds, line)), f[5] == "yes"});
    }
    return sounds;
}

std::vector<MusicName> readMusicNames(const ContentContext& context) {
    std::vector<MusicName> music;
    for (const ContentLine& line : dataLines(context, kMusic, "number,name,group,arrangement")) {
        const auto f = csvFields(line, 4, kMusic);
        const int number = int(parseNumber(f[0], kMusic, line));
        if (number != int(music.size())) {
            throw ContentError(where(kMusic, line, "music numbers run from 0 without gaps"));
        }
        if (f[1].empty()) throw ContentError(where(kMusic, line, "every music number needs a name"));
        music.push_back({number, f[1], f[2], int(parseNumber(f[3], kMusic, line))});
    }
    return music;
}

}  // namespace content
