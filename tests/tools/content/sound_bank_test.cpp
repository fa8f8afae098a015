// The sound bank the build made, loaded by the engine from the resource
// folder: every named sound id and music number in the archive of its group,
// with its channel as play group, its pool and its sample format; music
// loops inside its samples; and one sound of each archive plays on our
// mixer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "engine/app/disk_application_driver.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/search_directories.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_config.h"
#include "engine/sound/sound_load_task.h"
#include "platform/audio/mixer/audio_mixer.h"
#include "tests/support/looper_environment.h"
#include "tools/content/sound_names.h"

namespace {

constexpr const char* kDocument = "soundfile_duz3/sound.psb";
constexpr const char* kLabels[] = {"bgm1", "bgm2", "bgm3", "se", "voice"};
constexpr uint32_t kMixerRate = 32000;

struct Format {
    uint16_t tag, channels;
    uint32_t rate;
    uint16_t bits;
};

Format formatOf(const MSoundSampleData& sample) {
    const auto u16 = [&](size_t at) { return uint16_t(sample.format[at] | sample.format[at + 1] << 8); };
    return {u16(0), u16(2), uint32_t(u16(4) | u16(6) << 16), u16(14)};
}

class SoundBankTest : public testing::Test {
protected:
    SoundBankTest()
        : driver_(new MDiskApplicationDriver("sound bank test", nullptr, new MParallelTaskSet)),
          mixer_(new platform::AudioMixer(kMixerRate, 2)),
          sound_(std::unique_ptr<platform::AudioEngine>(mixer_)),
          context_({HALVIR_CONTENT_DIR, HALVIR_RESOURCE_DIR, {}, {}}) {
        M_SPEC = "win";
        clearSearchDirectories();
        setPrimarySearchDirectory(HALVIR_RESOURCE_DIR);
    }
    ~SoundBankTest() override {
        clearSearchDirectories();
        M_SPEC.clear();
    }

    bool run(MTask* task) {
        owner_.add(task);
        return runFramesUntil(owner_, [this] { return owner_.isEmpty(); });
    }

    void loadAll() {
        ASSERT_TRUE(run(new MSoundLoadTask(kDocument)));
        for (const char* label : kLabels) ASSERT_TRUE(run(new MSoundLoadArchiveTask(label))) << label;
        config_ = sound_.findSoundConfig(kDocument);
        ASSERT_NE(config_, nullptr);
        EXPECT_EQ(config_->warning(), "");
    }

    const MSoundVoiceRecord* voice(const std::string& label, const std::string& name) const {
        const MSound::SoundArchive* archive = config_->archive(label);
        return archive == nullptr ? nullptr : archive->findVoice(name);
    }

    std::unique_ptr<MDiskApplicationDriver> driver_;
    platform::AudioMixer* mixer_;
    MSound sound_;
    MParallelTaskSet owner_;
    content::ContentContext context_;
    const MSound::SoundConfig* config_ = nullptr;
};

TEST_F(SoundBankTest, EveryNamedIdIsInItsArchiveWithItsChannelAndPool) {
    ASSERT_NO_FATAL_FAILURE(loadAll());
    const std::vector<content::SoundName> sounds = content::readSoundNames(context_);
    ASSERT_EQ(sounds.size(), 942u);
    for (const content::SoundName& sound : sounds) {
        const MSoundVoiceRecord* record = voice(sound.group, sound.name);
        ASSERT_NE(record, nullptr) << sound.group << "/" << sound.name;
        EXPECT_EQ(record->group, sound.channel) << sound.name;
        EXPECT_EQ(record->device, sound.group == "se" ? 0u : 1u) << sound.name;
        ASSERT_EQ(record->channels.size(), 1u) << sound.name;
        const MSoundSampleData& sample = record->channels[0].sampleData;
        ASSERT_GE(sample.format.size(), 18u);
        const Format format = formatOf(sample);
        const uint32_t rate = sound.group.starts_with("bgm") ? 32000 : 22050;
        EXPECT_EQ(format.tag, 1) << sound.name;
        EXPECT_EQ(format.channels, 1) << sound.name;
        EXPECT_EQ(format.rate, rate) << sound.name;
        EXPECT_EQ(format.bits, 16) << sound.name;
        EXPECT_GT(sample.data.size(), rate / 20) << sound.name;  // at least a short blip
    }
}

TEST_F(SoundBankTest, EveryMusicNumberLoopsInsideItsSamples) {
    ASSERT_NO_FATAL_FAILURE(loadAll());
    const std::vector<content::MusicName> music = content::readMusicNames(context_);
    ASSERT_EQ(music.size(), 67u);
    for (const content::MusicName& m : music) {
        const MSoundVoiceRecord* record = voice(m.group, m.name);
        ASSERT_NE(record, nullptr) << m.group << "/" << m.name;
        if (record->group != "BGM") {
            EXPECT_TRUE(m.name.find("boss") != std::string::npos) << m.name;
        }
        const MSoundSampleData& sample = record->channels.at(0).sampleData;
        ASSERT_TRUE(sample.loop.has_value()) << m.name;
        const size_t frames = sample.data.size() / 2;
        EXPECT_LT(sample.loop->begin, frames) << m.name;
        EXPECT_LE(sample.loop->begin + sample.loop->length, frames) << m.name;
    }
}

// The loop's RMS in dB full scale, and its length in frames.
std::pair<double, size_t> loopLevel(const MSoundSampleData& sample) {
    const size_t frames = sample.data.size() / 2;
    const size_t begin = sample.loop->begin, end = sample.loop->length ? begin + sample.loop->length : frames;
    double sum = 0;
    for (size_t i = begin; i < end; ++i) {
        const auto v = int16_t(uint16_t(sample.data[2 * i]) | uint16_t(sample.data[2 * i + 1]) << 8);
        sum += double(v) * v;
    }
    return {20 * std::log10(std::sqrt(sum / double(end - begin)) / 32768.0), end - begin};
}

TEST_F(SoundBankTest, EveryTuneIsAsLoudAsTheOthersAndStageTunesLoopHalfAMinute) {
    ASSERT_NO_FATAL_FAILURE(loadAll());
    double quietest = 0, loudest = -200;
    for (const content::MusicName& m : content::readMusicNames(context_)) {
        const MSoundSampleData& sample = voice(m.group, m.name)->channels.at(0).sampleData;
        ASSERT_TRUE(sample.loop.has_value()) << m.name;
        const auto [db, frames] = loopLevel(sample);
        quietest = std::min(quietest, db);
        loudest = std::max(loudest, db);
        if (m.name.find("bgm0") != std::string::npos) EXPECT_GE(frames, 30u * 32000u) << m.name;
    }
    EXPECT_LE(loudest - quietest, 1.5) << "from " << quietest << " to " << loudest << " dBFS";
}

TEST_F(SoundBankTest, TheThreeArrangementsOfATuneSoundApart) {
    ASSERT_NO_FATAL_FAILURE(loadAll());
    for (const std::string name : {"title", "bgm01", "boss_a1", "menu"}) {
        const auto data = [&](const char* label, const std::string& prefix) {
            const auto bytes = voice(label, prefix + name)->channels.at(0).sampleData.data;
            return std::vector<uint8_t>(bytes.begin(), bytes.end());
        };
        const auto first = data("bgm1", ""), second = data("bgm2", "arr1_"), third = data("bgm3", "arr2_");
        EXPECT_NE(first, second) << name;
        EXPECT_NE(first, third) << name;
        EXPECT_NE(second, third) << name;
    }
}

TEST_F(SoundBankTest, OneSoundOfEachArchivePlaysOnTheMixer) {
    ASSERT_NO_FATAL_FAILURE(loadAll());
    const std::pair<const char*, const char*> plays[] = {
        {"se", "explode_l1"}, {"voice", "typea_sys_gameover_00"}, {"bgm1", "title"},
        {"bgm2", "arr1_boss_a2"}, {"bgm3", "arr2_bgm01"}};
    for (const auto& [label, name] : plays) {
        const int32_t id = sound_.play(label, name, nullptr);
        ASSERT_NE(id, -1) << name;
        std::vector<float> out(kMixerRate / 2 * 2);
        mixer_->mix(out.data(), kMixerRate / 2);
        float peak = 0;
        for (const float s : out) peak = std::max(peak, std::abs(s));
        EXPECT_GT(peak, 0.02f) << name;
        sound_.stopGroup(voice(label, name)->group);
    }
}

TEST(SoundBankFilesTest, TheFiveArchivesKeepToTheBudget) {
    uintmax_t bytes = 0;
    for (const char* label : kLabels) {
        bytes += std::filesystem::file_size(std::filesystem::path(HALVIR_RESOURCE_DIR) / "soundfile_duz3" /
                                            (std::string(label) + ".psb"));
    }
    EXPECT_LT(bytes, 120u * 1000 * 1000);
}

}  // namespace
