// MSound over our real mixer, its output pulled directly: the request's
// volume, pan and pitch reach the samples; a paused group falls silent; a
// looped sound plays until its group is stopped.
#include <gtest/gtest.h>

#include <vector>

#include "engine/sound/sound.h"
#include "engine/sound/sound_config.h"
#include "engine/task/looper.h"
#include "platform/audio/mixer/audio_mixer.h"

namespace {

// Mono 16-bit PCM at 1000 Hz; every frame at half scale.
const uint8_t kFormat[] = {1, 0, 1, 0, 0xE8, 3, 0, 0, 0xD0, 7, 0, 0, 2, 0, 16, 0, 0, 0};
const std::vector<uint8_t> kHalf = [] {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 8; ++i) bytes.insert(bytes.end(), {0x00, 0x40});
    return bytes;
}();

class SoundMixerTest : public testing::Test {
protected:
    SoundMixerTest() : mixer_(new platform::AudioMixer(1000, 2)),
                       sound_(std::unique_ptr<platform::AudioEngine>(mixer_)) {
        MSound::SoundConfig& config = sound_.enterSoundConfig("sound", "");
        config.setLoaded(true);
        MSound::SoundArchive& se = config.addArchive("se");
        se.setLoaded(true);
        MSoundVoiceRecord r;
        r.group = "CH00";
        MSoundChannelElement element;
        element.sampleData.format = kFormat;
        element.sampleData.data = kHalf;
        r.channels.push_back(element);
        se.addVoice("once", r);
        r.channels[0].sampleData.loop = MSoundSampleData::Loop{0, 8};
        se.addVoice("loop", r);
    }

    std::vector<float> pull(size_t frames) {
        std::vector<float> out(frames * 2);
        mixer_->mix(out.data(), frames);
        return out;
    }

    MLooper looper_;
    platform::AudioMixer* mixer_;
    MSound sound_;
};

TEST_F(SoundMixerTest, RequestVolumePanAndPitchReachTheSamples) {
    MSound::PlayRequest request;
    request.volume = 0.5f;
    request.rightLevel = 0.0f;
    request.pitch = 1.0f;
    sound_.play("se", "once", &request);
    const auto out = pull(6);
    const std::vector<float> expected = {0.25f, 0, 0.25f, 0, 0.25f, 0, 0.25f, 0, 0, 0, 0, 0};
    EXPECT_EQ(out, expected);  // eight frames at double speed last four output frames
}

TEST_F(SoundMixerTest, APausedGroupIsSilentAndAStoppedLoopEnds) {
    sound_.play("se", "loop", nullptr);
    EXPECT_EQ(pull(20)[38], 0.5f);
    sound_.pauseGroup("CH00");
    EXPECT_EQ(pull(1), (std::vector<float>{0, 0}));
    sound_.resumeGroup("CH00");
    EXPECT_EQ(pull(1), (std::vector<float>{0.5f, 0.5f}));
    sound_.stopGroup("CH00");
    EXPECT_EQ(sound_.findSound("se", "loop"), -1);
    EXPECT_EQ(pull(1), (std::vector<float>{0, 0}));
}

}  // namespace
