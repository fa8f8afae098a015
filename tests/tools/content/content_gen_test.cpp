// The generator run again on the content the build ran it on gives the same
// files, byte for byte, as the build's own run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Every file below a folder, by its relative path.
std::map<std::string, std::string> filesBelow(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), root).string()] = {std::istreambuf_iterator<char>(in), {}};
    }
    return files;
}

int runGenerator(const TempDir& out, const std::string& tail = "") {
    const std::string command = std::string(HALVIR_CONTENT_GEN) + " --content " HALVIR_CONTENT_DIR " --resource " +
                                (out / "resource") + " --generated " + (out / "generated") + tail + " > " +
                                (out / "log.txt") + " 2>&1";
    return std::system(command.c_str());
}

// The build's run is the first of the two: a third run under the sanitizers
// would add a minute to the test command and check nothing more.
TEST(ContentGenTest, ASecondRunGivesTheSameBytesAsTheBuild) {
    TempDir out;
    ASSERT_EQ(runGenerator(out), 0);
    // The resource folder and the generated sources of the game library.
    const std::pair<const char*, const char*> folders[] = {{"resource", HALVIR_RESOURCE_DIR},
                                                           {"generated", HALVIR_GENERATED_DIR}};
    for (const auto& [folder, builtFolder] : folders) {
        const auto ran = filesBelow(out / folder);
        const auto built = filesBelow(builtFolder);
        ASSERT_FALSE(ran.empty()) << folder;
        for (const auto& [path, bytes] : ran) {
            ASSERT_TRUE(built.contains(path)) << path;
            EXPECT_TRUE(bytes == built.at(path)) << path;
        }
    }
}

TEST(ContentGenTest, TheResourceFolderHoldsTheFilesTheGameOpens) {
    const char* expected[] = {
        "font/font16.psb.m",         "font/font24.psb.m",           "font/font32.psb.m",
        "graphic/font8x8.png",       "data/config.txt",             "sound/voice/opning_config.txt",
        "sound/master_volume.txt",   "sound/chunk/se_volume.txt",   "sound/voice/voice_volume.txt",
        "sound/music/bgm_volume.txt", "sound_duz3/master_volume.txt", "sound_duz3/chunk/se_volume.txt",
        "sound_duz3/voice/voice_volume.txt", "sound_duz3/music/bgm_volume.txt"};
    for (const char* path : expected) EXPECT_TRUE(fs::is_regular_file(fs::path(HALVIR_RESOURCE_DIR) / path)) << path;
}

TEST(ContentGenTest, BadContentStopsTheRunNamingTheFile) {
    TempDir content, out;
    fs::copy(HALVIR_CONTENT_DIR, content.str(), fs::copy_options::recursive);
    content.write("data/config.txt", "SOUND_OUT=1\nOUT=2\n");
    const std::string command = std::string(HALVIR_CONTENT_GEN) + " --content " + content.str() + " --resource " +
                                (out / "resource") + " --generated " + (out / "generated") + " > " +
                                (out / "log.txt") + " 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);
    std::ifstream in(out / "log.txt");
    const std::string log{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(log.find("data/config.txt: key OUT would be read from line 1 (SOUND_OUT)"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(out / "resource/data/config.txt"));
}

// A mistake in the sound content stops the run with the file and line. Here,
// not beside the sound bank's tests: those run under ThreadSanitizer too,
// where the three runs of the generator would take a minute and a half.
TEST(SoundBankContentTest, BadSoundContentNamesItsFileAndLine) {
    const struct {
        const char* file;
        const char* text;
        const char* message;
    } cases[] = {
        {"sound/effects.txt", "ok buzz 880 880 0 0.1 0.001 0 0.3\n", "sound/effects.txt:1: \"buzz\" is not a wave"},
        {"music/gameover.txt", "tempo 72\nvoice lead sine sine sine 0.1 0 both\npattern a\nlead e5 h4\nloop a\n",
         "music/gameover.txt:4: \"h4\" is not a note, - or ."},
        {"voice/speakers.txt", "typea en+m3 42 60 170\n", "voice/speakers.txt: no speaker narrator"},
    };
    for (const auto& c : cases) {
        TempDir content, out;
        fs::copy(HALVIR_CONTENT_DIR, content.str(), fs::copy_options::recursive);
        content.write(c.file, c.text);
        const std::string command = std::string(HALVIR_CONTENT_GEN) + " --content " + content.str() +
                                    " --resource " + (out / "resource") + " --generated " + (out / "generated") +
                                    " > " + (out / "log.txt") + " 2>&1";
        EXPECT_NE(std::system(command.c_str()), 0) << c.file;
        std::ifstream in(out / "log.txt");
        const std::string log{std::istreambuf_iterator<char>(in), {}};
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        EXPECT_FALSE(fs::exists(out / "resource/soundfile_duz3/se.psb")) << c.file;
    }
}

TEST(ContentGenTest, WrongArgumentsShowTheUsage) {
    TempDir out;
    EXPECT_NE(runGenerator(out, " --colour blue"), 0);
}

}  // namespace
