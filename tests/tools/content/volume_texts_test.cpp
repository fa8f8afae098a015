// The volume texts of both sound folders: every sound and tune name has a
// level and a gain, each read from its own line although keys are matched
// as substrings.
#include <gtest/gtest.h>

#include <set>

#include "tests/tools/content/key_value_reader.h"
#include "tools/content/sound_names.h"

namespace {

using content::ContentContext;

ContentContext contentFolder() { return ContentContext({HALVIR_CONTENT_DIR, "", "", ""}); }

// A name's level and gain lines, both its own.
void expectOwnLines(const KeyValueLines& text, const std::string& name, const std::string& file) {
    const auto level = findKey(text, name);
    const auto gain = findKey(text, name + "_dB");
    ASSERT_TRUE(level.has_value()) << file << " " << name;
    ASSERT_TRUE(gain.has_value()) << file << " " << name;
    EXPECT_EQ(text.lines[level->line].rfind(name + "=", 0), 0u) << file << " " << name;
    EXPECT_EQ(text.lines[gain->line].rfind(name + "_dB=", 0), 0u) << file << " " << name;
    EXPECT_GE(level->value, 0) << file << " " << name;
    EXPECT_LE(level->value, 128) << file << " " << name;
    EXPECT_LE(gain->value, 0) << file << " " << name;
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
            const KeyValueLines text = readKeyValueLines(file);
            EXPECT_TRUE(text.endsWithLineFeed) << file;
            EXPECT_EQ(text.lines.size(), 2 * names->size()) << file;
            for (const std::string& name : *names) expectOwnLines(text, name, file);
        }
        const std::string master = std::string(HALVIR_RESOURCE_DIR "/") + folder + "/master_volume.txt";
        const KeyValueLines text = readKeyValueLines(master);
        for (const char* name : {"VANTORLIB_BGM", "VANTORLIB_SE", "VANTORLIB_VOICE"}) {
            expectOwnLines(text, name, master);
        }
    }
}

}  // namespace
