#include "game/core/sound_requests.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game/core/game_task.h"
#include "game/core/wheel_config.h"
#include "game/records/paths.h"
#include "game/records/settings_file.h"

namespace {

namespace fs = std::filesystem;

// Records what the sound requests ask of the sound system.
class RecordingDevice final : public SoundDevice {
public:
    std::vector<std::string> calls;
    std::map<std::string, int32_t> playing;
    std::vector<std::pair<int32_t, float>> volumes;

    int32_t play(const std::string& archive, const std::string& name, float volume,
                 const std::string& group) override {
        std::ostringstream line;
        line << "play " << archive << "/" << name << " " << volume << " " << group;
        calls.push_back(line.str());
        const int32_t id = next_++;
        playing[name] = id;
        return id;
    }
    int32_t findSound(const std::string&, const std::string& name) override {
        const auto found = playing.find(name);
        return found == playing.end() ? -1 : found->second;
    }
    void setSoundVolume(int32_t sound, float volume) override { volumes.emplace_back(sound, volume); }
    float getGroupVolume(const std::string&) override { return 1.0f; }
    void stopGroup(const std::string& group) override { calls.push_back("stop " + group); }
    void stopSounds(const std::string& archive, const std::string& name) override {
        calls.push_back("stopSounds " + archive + "/" + name);
        playing.erase(name);
    }
    void pauseGroup(const std::string& group) override { calls.push_back("pause " + group); }
    void resumeGroup(const std::string& group) override { calls.push_back("resume " + group); }
    void fadeGroupVolume(const std::string& group, float from, float to, uint32_t frames) override {
        std::ostringstream line;
        line << "fade " << group << " " << from << " " << to << " " << frames;
        calls.push_back(line.str());
    }
    void fadeSoundVolume(int32_t, float, float, uint32_t) override {}

    int count(const std::string& call) const { return int(std::count(calls.begin(), calls.end(), call)); }

private:
    int32_t next_ = 1;
};

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

// One working folder with the volume texts for the whole suite: the
// parameter cache keeps a text by its path.
class SoundRequestsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("sound_requests_test_" + std::to_string(getpid()));
        fs::create_directories(folder_);
        previous_ = fs::current_path();
        fs::current_path(folder_);
        const fs::path root = "resource/sound_duz3";
        writeText(root / "master_volume.txt",
                  "VANTORLIB_BGM=128\nVANTORLIB_BGM_dB=0\nVANTORLIB_SE=100\nVANTORLIB_SE_dB=60\n"
                  "VANTORLIB_VOICE=128\nVANTORLIB_VOICE_dB=-60\n");
        writeText(root / "chunk/se_volume.txt", "ok=100\nok_dB=0\ncancel=128\ncancel_dB=-60\ncursor=50\n");
        writeText(root / "voice/voice_volume.txt", "op_001_00=100\n");
        writeText(root / "music/bgm_volume.txt",
                  "boss_a1=100\nboss_a2=80\nbgm01=100\narr2_bgm01=90\ncredit1=100\narr2_boss_true1=100\n"
                  "arr2_boss_true2=100\n");
    }
    static void TearDownTestSuite() {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    void SetUp() override {
        savedSettings_ = gameSettings;
        gameSettings.SOUND_OUT = 1;
        gameSettings.SE_VOLUME = gameSettings.VOICE_VOLUME = gameSettings.BGM_VOLUME = 128;
        gameSettings.SOUNDTYPE = 0;
        gameSettings.REF_SOUNDFOLDER = 0;
        task_ = GameTask::getInstance();
        ASSERT_NE(task_, nullptr);
        task_->soundDevice = &device_;
        task_->soundReady = true;
        task_->currentMusic = -1;
        SDL2_wheel_SoundInit();
    }
    void TearDown() override {
        task_->soundDevice = nullptr;
        gameSettings = savedSettings_;
    }

    void frames(int n) {
        for (int i = 0; i < n; ++i) SDL2_wheel_SoundUpdate();
    }

    static inline fs::path folder_;
    static inline fs::path previous_;
    RecordingDevice device_;
    GameTask* task_ = nullptr;
    GameSettings savedSettings_{};
};

TEST(SoundIds, NamesGroupsChannelsAndGuards) {
    EXPECT_STREQ(soundNameForId(0), "ok");
    EXPECT_STREQ(soundNameForId(73), "ed_first_no_009_00a");
    EXPECT_STREQ(soundNameForId(918), "typew_warning_06_00");
    EXPECT_STREQ(soundNameForId(64), "");
    EXPECT_STREQ(soundNameForId(919), "");
    EXPECT_STREQ(soundNameForId(943), "arr2_boss_true2");
    EXPECT_STREQ(soundNameForId(944), "");
    EXPECT_EQ(soundChannelForId(920), 30);
    EXPECT_EQ(soundChannelForId(921), 29);
    EXPECT_EQ(soundGroupForId(919), nullptr);
    EXPECT_STREQ(soundGroupForId(930), "bgm2");
    EXPECT_STREQ(musicNameForNumber(52), "arr2_bgm01");
    EXPECT_STREQ(musicNameForNumber(66), "credit1");
    EXPECT_STREQ(musicGroupForNumber(66), "bgm1");
    EXPECT_EQ(musicGroupForNumber(67), nullptr);
    const std::pair<int, int> guards[] = {{2, 5}, {34, 5}, {8, 4}, {20, 4}, {31, 4}, {45, 4}, {32, 3}, {33, 3},
                                          {0, 1}, {21, 1}, {46, 1}, {920, 1}};
    for (const auto& [id, guard] : guards) EXPECT_EQ(soundRetriggerGuard(id), guard) << id;
}

// Levels and gains a damaged volume text may hold, beyond what the
// arithmetic can take, are held to 32 times full volume either way; an
// ordinary one is untouched.
TEST_F(SoundRequestsTest, ExtremeLevelsAreHeld) {
    writeText("extreme/volume.txt",
              "huge=9223372036854775807\nhuge_dB=0\nloud=128\nloud_dB=12000\nquiet=128\n"
              "quiet_dB=-9223372036854775808\nneg=-9223372036854775808\nneg_dB=600\nplain=90\nplain_dB=-30\n");
    const std::pair<const char*, int32_t> cases[] = {
        {"huge", 4096}, {"loud", 4096}, {"quiet", 0}, {"neg", -4096}, {"plain", 63}};
    for (const auto& [name, level] : cases) EXPECT_EQ(soundLevelOf("extreme/volume.txt", name), level) << name;
}

TEST_F(SoundRequestsTest, LevelsAndMixedVolumes) {
    // Masters: 128 x 1.0; trunc(1.995 x 128) = 255, x 100 / 128 = 199; trunc(0.501 x 128) = 64.
    EXPECT_EQ(soundLayerState().masterMusic, 128);
    EXPECT_EQ(soundLayerState().masterEffects, 199);
    EXPECT_EQ(soundLayerState().masterVoices, 64);
    EXPECT_STREQ(soundFolder(), "sound_duz3");
    gameSettings.REF_SOUNDFOLDER = 1;
    EXPECT_STREQ(soundFolder(), "sound");
    gameSettings.REF_SOUNDFOLDER = 0;

    SDL2_wheel_SoundLoad("ok", 0, 1, 0);       // 199 x 100 / 100: above 128
    SDL2_wheel_SoundLoad("cancel", 1, 1, 0);   // level 64: 199 x 64 / 100 = 127
    gameSettings.VOICE_VOLUME = 64;
    SDL2_wheel_SoundLoadVoice("op_001_00", 209, 20);  // 64 x 64 / 128 = 32, x 100 / 100
    EXPECT_EQ(task_->soundVolume[0], 128);
    EXPECT_EQ(task_->soundVolume[1], 127);
    EXPECT_EQ(task_->soundVolume[209], 32);
    EXPECT_EQ(task_->soundChannel[209], 20);
    EXPECT_EQ(soundLayerState().soundFileName[0], "resource/sound_duz3/chunk/ok.wav");
    std::ifstream log("Log.txt");
    std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("SDL2_wheel_SoundSetVolumeBank = 199, bank = 0, name=resource/sound_duz3/chunk/ok.wav"),
              std::string::npos);
}

// The volume texts are found through the resource folder, not the folder the
// program was started from.
TEST_F(SoundRequestsTest, VolumeTextsAreFoundFromAnotherWorkingFolder) {
    const fs::path elsewhere = folder_ / "elsewhere";
    fs::create_directories(elsewhere);
    fs::current_path(elsewhere);
    setResourceFolders({folder_.string() + "/"});
    SDL2_wheel_SoundInit();
    SDL2_wheel_SoundLoad("cancel", 1, 1, 0);
    setResourceFolders({});
    fs::current_path(folder_);
    EXPECT_EQ(soundLayerState().masterEffects, 199);
    EXPECT_EQ(task_->soundVolume[1], 127);
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

TEST_F(SoundRequestsTest, RetriggerGuardsWithTheFrameUpdate) {
    SDL2_wheel_SoundLoad("cursor", 2, 1, 0);
    SDL2_wheel_SoundLoad("ok", 0, 2, 0);
    for (int frame = 0; frame < 10; ++frame) {
        SDL2_wheel_SoundPlaySE(2, false);
        SDL2_wheel_SoundPlaySE(0, false);
        SDL2_wheel_SoundUpdate();
    }
    EXPECT_EQ(device_.count("play se/cursor 0.773438 CH01"), 2);  // 199 x 50 / 100 = 99; frames 0 and 5
    EXPECT_EQ(device_.count("play se/ok 1 CH02"), 10);
}

TEST_F(SoundRequestsTest, TheSameChannelStopsThePreviousSound) {
    SDL2_wheel_SoundLoad("ok", 0, 1, 0);
    SDL2_wheel_SoundLoad("cancel", 1, 1, 0);
    SDL2_wheel_SoundPlaySE(0, false);
    SDL2_wheel_SoundPlaySE(1, false);
    const std::vector<std::string> expected = {"stop CH01", "play se/ok 1 CH01", "stop CH01",
                                               "play se/cancel 0.992188 CH01"};
    EXPECT_EQ(device_.calls, expected);
}

TEST_F(SoundRequestsTest, ARepeatedMusicRequestKeepsPlaying) {
    SDL2_wheel_SoundLoadMusic("bgm01", 24, 0);
    SDL2_wheel_SoundLoadMusic("arr2_bgm01", 52, 0);
    SDL2_wheel_SoundLoadMusic("credit1", 66, 0);
    SDL2_wheel_SoundPlayMusic(24);
    SDL2_wheel_SoundPlayMusic(24);
    EXPECT_EQ(device_.count("play bgm1/bgm01 1 BGM"), 1);
    EXPECT_EQ(device_.count("fade BGM 1 1 1"), 1);

    gameSettings.SOUNDTYPE = 2;
    SDL2_wheel_SoundPlayMusic(24);
    EXPECT_EQ(soundLayerState().currentMusicNumber, 52);
    EXPECT_EQ(device_.count("play bgm3/arr2_bgm01 0.898438 BGM"), 1);  // 128 x 90 / 100 = 115

    SDL2_wheel_SoundPlayMusic(66);  // the staff roll's tune
    EXPECT_EQ(device_.count("play bgm1/credit1 1 BGM"), 1);
}

TEST_F(SoundRequestsTest, DuckSilencesThenReturnsInFourSteps) {
    SDL2_wheel_SoundPlayMusic(0);
    EXPECT_EQ(device_.count("play bgm1/boss_a1 1 CH30"), 1);
    EXPECT_EQ(device_.count("play bgm1/boss_a2 0 CH29"), 1);  // second-layer weight 0
    SDL2_wheel_SoundDuckMusic(10);
    EXPECT_EQ(task_->soundVolume[920], 0);
    std::vector<int32_t> levels;
    for (int frame = 0; frame < 11; ++frame) {
        SDL2_wheel_SoundUpdate();
        levels.push_back(task_->soundVolume[920]);
    }
    const std::vector<int32_t> expected = {0, 0, 0, 0, 0, 0, 32, 64, 96, 128, 128};
    EXPECT_EQ(levels, expected);
}

TEST_F(SoundRequestsTest, BossLayersCrossFadeOverOneHundredFrames) {
    SDL2_wheel_SoundPlayMusic(0);
    soundLayerState().layerTarget = 1;
    frames(50);
    EXPECT_EQ(task_->soundVolume[920], 64);   // 128 x 50 x 100 / 10000
    EXPECT_EQ(task_->soundVolume[921], 51);   // 128 x 50 x 80 / 10000
    frames(50);
    EXPECT_EQ(task_->soundVolume[920], 0);
    EXPECT_EQ(task_->soundVolume[921], 102);
    EXPECT_EQ(soundLayerState().secondLayerWeight, 100);
    frames(5);
    EXPECT_EQ(soundLayerState().layerPosition, 100);
    soundLayerState().layerTarget = 0;
    frames(100);
    EXPECT_EQ(task_->soundVolume[920], 128);
    EXPECT_EQ(task_->soundVolume[921], 0);
}

TEST_F(SoundRequestsTest, BossMusic23FadesItsOneLayer) {
    SDL2_wheel_SoundPlayMusic(22);  // loads the pair 942 and 943
    SDL2_wheel_SoundPlayMusic(23);
    EXPECT_EQ(task_->soundVolume[943], 128);
    soundLayerState().layerTarget = 1;
    frames(50);
    EXPECT_EQ(task_->soundVolume[943], 64);  // 128 x 50 x 100 / 10000
    frames(50);
    EXPECT_EQ(task_->soundVolume[943], 0);
}

TEST_F(SoundRequestsTest, AVolumeChangedInTheSettingsIsHeardBeforeItIsSaved) {
    // The saved lines say full volume; the configuration menu has just changed the settings.
    SDL2_wheel_ConfigSetInt("SE_VOLUME", 128);
    SDL2_wheel_ConfigSetInt("SOUND_OUT", 1);
    SDL2_wheel_SoundLoad("cancel", 1, 1, 0);
    EXPECT_EQ(task_->soundVolume[1], 127);
    gameSettings.SE_VOLUME = 64;
    SDL2_wheel_SoundApplyVolumes();
    EXPECT_EQ(task_->soundVolume[1], 63);  // 199 x 64 / 128 = 99, x 64 / 100
    gameSettings.SOUND_OUT = 0;
    device_.calls.clear();
    SDL2_wheel_SoundPlaySE(1, true);
    EXPECT_TRUE(device_.calls.empty());
}

TEST_F(SoundRequestsTest, StopAllSoundsStopsEveryNamedIdOnlyOnceReady) {
    task_->soundReady = false;
    task_->stopAllSounds();
    EXPECT_TRUE(device_.calls.empty());

    task_->soundReady = true;
    task_->stopAllSounds();
    ASSERT_EQ(device_.calls.size(), 942u);  // 944 ids less the two empty ones
    EXPECT_EQ(device_.calls.front(), "stopSounds se/ok");
    EXPECT_EQ(device_.count("stopSounds voice/ed_first_no_001_00"), 1);
    EXPECT_EQ(device_.count("stopSounds voice/typew_warning_06_00"), 1);
    EXPECT_EQ(device_.calls.back(), "stopSounds bgm3/arr2_boss_true2");
    EXPECT_EQ(device_.count("stopSounds voice/"), 0);
}

TEST_F(SoundRequestsTest, ChannelWrappersTakeTheChannelNumber) {
    SDL2_wheel_SoundStopChannel(7);
    SDL2_wheel_SoundPauseChannel(27);
    SDL2_wheel_SoundResumeChannel(31);
    for (int outside : {-1, 32}) {
        SDL2_wheel_SoundStopChannel(outside);
        SDL2_wheel_SoundPauseChannel(outside);
        SDL2_wheel_SoundResumeChannel(outside);
    }
    const std::vector<std::string> expected = {"stop CH07", "pause CH27", "resume CH31"};
    EXPECT_EQ(device_.calls, expected);
}

TEST_F(SoundRequestsTest, MusicVolumeIsStoredAlwaysAndAppliedToTheCurrentMusic) {
    SDL2_wheel_SoundSetVolumeMusic(64);  // no music yet
    EXPECT_EQ(task_->musicVolume, 64);
    EXPECT_TRUE(device_.volumes.empty());

    SDL2_wheel_SoundLoadMusic("bgm01", 24, 0);
    SDL2_wheel_SoundPlayMusic(24);
    const int32_t music = device_.playing.at("bgm01");
    device_.volumes.clear();
    SDL2_wheel_SoundSetVolumeMusic(64);
    ASSERT_EQ(device_.volumes.size(), 1u);
    EXPECT_EQ(device_.volumes[0].first, music);
    EXPECT_FLOAT_EQ(device_.volumes[0].second, 0.5f);
    SDL2_wheel_SoundSetVolumeMusic(200);
    EXPECT_FLOAT_EQ(device_.volumes[1].second, 1.0f);

    task_->soundReady = false;
    SDL2_wheel_SoundSetVolumeMusic(32);
    EXPECT_EQ(task_->musicVolume, 32);
    EXPECT_EQ(device_.volumes.size(), 2u);
}

TEST_F(SoundRequestsTest, NoSoundOutPlaysNothingButLoads) {
    gameSettings.SOUND_OUT = 0;
    SDL2_wheel_SoundLoad("ok", 0, 1, 0);
    SDL2_wheel_SoundPlaySE(0, true);
    SDL2_wheel_SoundPlayMusic(24);
    EXPECT_EQ(soundLayerState().soundFileVolume[0], 100);
    EXPECT_TRUE(device_.calls.empty());
}

}  // namespace
