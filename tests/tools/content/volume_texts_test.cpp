// The volume texts of both sound folders: every sound and tune name has a
// level and a gain, each read from its own line although keys are matched
// as substrings.
#include <gtest/gtest.h>

#include <set>

#include "game/core/wheel_config.h"
#include "tests/tools/content/first_holding_line.h"
#include "tools/content/sound_names.h"

namespace {

using content::ContentContext;

ContentContext contentFolder() { return ContentContext({HALVIR_CONTENT_DIR, "", "", ""}); }

// A name's level and gain lines, both its own, read by the game's reader.
void expectOwnLines(const std::vector<std::string>& lines, const std::string& name, const std::string& file) {
    const int level = firstHoldingLine(lines, name);
    const int gain = firstHoldingLine(lines, name + "_dB");
    ASSERT_GE(level, 0) << file << " " << name;
    ASSERT_GE(gain, 0) << file << " " << name;
    EXPECT_EQ(lines[size_t(level)].rfind(name + "=", 0), 0u) << file << " " << name;
    EXPECT_EQ(lines[size_t(gain)].rfind(name + "_dB=", 0), 0u) << file << " " << name;
    const int64_t levelValue = SDL2_wheel_ConfigFileGetInt(file.c_str(), name.c_str(), -1);
    const int64_t gainValue = SDL2_wheel_ConfigFileGetInt(file.c_str(), (name + "_dB").c_str(), 1);
    EXPECT_GE(levelValue, 0) << file << " " << name;
    EXPECT_LE(levelValue, 128) << file << " " << name;
    EXPECT_LE(gainValue, 0) << file << " " << name;
}

TEST(VolumeTextsTest, EveryNameReadsItsOwnLevelAndGainInBothFolders) {
    const ContentContext context = contentFolder();
    std::set<std::string> se, voice, bgm;
    for (const auto& sound : content::readSoundNames(context)) {
        (sound.group == "se" ? se : sound.group == "voice" ? voice : bgm).insert(sound.name);
    }
    for (const auto& tune : content::readMusicNames(context)) bgm.insert(tune.name);
    EXPECT_EQ(se.size(), 64u);
    EXPECT_EQ(voice.size(), 854u);
    EXPECT_EQ(bgm.size(), 67u);
    const std::pair<const char*, const std::set<std::string>*> texts[] = {
        {"chunk/se_volume.txt", &se}, {"voice/voice_volume.txt", &voice}, {"music/bgm_volume.txt", &bgm}};
    for (const char* folder : {"sound", "sound_duz3"}) {
        for (const auto& [path, names] : texts) {
            const std::string file = std::string(HALVIR_RESOURCE_DIR "/") + folder + "/" + path;
            const std::vector<std::string> lines = textLines(file);
            EXPECT_EQ(readText(file).back(), '\n') << file;
            EXPECT_EQ(lines.size(), 2 * names->size()) << file;
            for (const std::string& name : *names) expectOwnLines(lines, name, file);
        }
        const std::string master = std::string(HALVIR_RESOURCE_DIR "/") + folder + "/master_volume.txt";
        const std::vector<std::string> lines = textLines(master);
        for (const char* name : {"VANTORLIB_BGM", "VANTORLIB_SE", "VANTORLIB_VOICE"}) {
            expectOwnLines(lines, name, master);
        }
    }
}

}  // namespace
