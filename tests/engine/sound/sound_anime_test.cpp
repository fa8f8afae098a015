// Volume fades run by MSound: a group fade and a voice fade on the fake back
// end, the even curve and its exact end, a newer fade ending an older one of
// the same target.
#include "engine/sound/sound_anime.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/sound/sound.h"
#include "engine/sound/sound_config.h"
#include "engine/task/looper.h"
#include "tests/engine/sound/fake_audio_engine.h"

namespace {

const uint8_t kAnimeMono[] = {1, 0, 1, 0, 0xE8, 3, 0, 0, 0xD0, 7, 0, 0, 2, 0, 16, 0, 0, 0};
const uint8_t kAnimeSamples[16] = {};

// The fade's value at step i of n, worked out in double precision: the ends
// taken back through the curve (|g| ^ log3 2), mixed linearly, put forward
// again (|v| ^ log2 3), signs kept.
double expectedValue(double from, double to, int i, int n) {
    const auto inverse = [](double g) { return std::copysign(std::pow(std::fabs(g), std::log(2.0) / std::log(3.0)), g); };
    const auto curve = [](double v) { return std::copysign(std::pow(std::fabs(v), std::log2(3.0)), v); };
    const double t = double(i) / double(n - 1);
    return curve((1 - t) * inverse(from) + t * inverse(to));
}

class SoundAnimeTest : public testing::Test {
protected:
    SoundAnimeTest() : engine_(new FakeAudioEngine), sound_(std::unique_ptr<platform::AudioEngine>(engine_)) {
        MSound::SoundConfig& config = sound_.enterSoundConfig("sound", "");
        config.setLoaded(true);
        MSound::SoundArchive& bgm = config.addArchive("bgm");
        bgm.setLoaded(true);
        MSoundVoiceRecord record;
        record.group = "BGM";
        MSoundChannelElement element;
        element.sampleData.format = kAnimeMono;
        element.sampleData.data = kAnimeSamples;
        record.channels.push_back(element);
        bgm.addVoice("theme", record);
        record.group = "CH00";
        bgm.addVoice("shot", record);
    }

    void frames(int n) {
        for (int i = 0; i < n; ++i) looper_.getPostLoopPhase().update();
    }
    // The left level of the newest voice.
    float level() const { return engine_->voices.back()->levels.at(0); }

    MLooper looper_;
    FakeAudioEngine* engine_;
    MSound sound_;
};

TEST_F(SoundAnimeTest, AGroupFadeFollowsTheCurveAndEndsOnItsValueExactly) {
    sound_.play("bgm", "theme", nullptr);
    sound_.fadeGroupVolume("BGM", 1.0f, 0.0f, 60);
    frames(1);
    EXPECT_NEAR(sound_.getGroupVolume("BGM"), expectedValue(1.0, 0.0, 15, 960), 1e-6);
    EXPECT_FLOAT_EQ(level(), sound_.getGroupVolume("BGM"));
    frames(1);
    EXPECT_NEAR(sound_.getGroupVolume("BGM"), expectedValue(1.0, 0.0, 31, 960), 1e-6);
    float previous = sound_.getGroupVolume("BGM");
    for (int k = 3; k < 60; ++k) {
        frames(1);
        const float v = sound_.getGroupVolume("BGM");
        EXPECT_GT(v, 0.0f) << k;
        EXPECT_LT(v, previous) << k;
        previous = v;
    }
    frames(1);
    EXPECT_EQ(sound_.getGroupVolume("BGM"), 0.0f);
    EXPECT_EQ(level(), 0.0f);
    // The fade has ended: the group's volume is the caller's again.
    sound_.setGroupVolume("BGM", 0.5f);
    frames(3);
    EXPECT_EQ(sound_.getGroupVolume("BGM"), 0.5f);
}

TEST_F(SoundAnimeTest, AFadeOfOneToOneOverAFrameReplacesARunningFade) {
    sound_.play("bgm", "theme", nullptr);
    sound_.fadeGroupVolume("BGM", 1.0f, 0.0f, 60);
    sound_.fadeGroupVolume("CH00", 1.0f, 0.5f, 60);  // another group: untouched
    frames(10);
    ASSERT_LT(sound_.getGroupVolume("BGM"), 1.0f);

    sound_.fadeGroupVolume("BGM", 1.0f, 1.0f, 1);
    frames(1);
    EXPECT_EQ(sound_.getGroupVolume("BGM"), 1.0f);
    EXPECT_EQ(level(), 1.0f);
    frames(60);  // the older fade applies nothing more, not even its end
    EXPECT_EQ(sound_.getGroupVolume("BGM"), 1.0f);
    EXPECT_EQ(sound_.getGroupVolume("CH00"), 0.5f);
}

TEST_F(SoundAnimeTest, AVoiceFadeMovesOneSoundAndANewerOneOfTheSameIdTakesOver) {
    const int32_t first = sound_.play("bgm", "shot", nullptr);
    const int32_t second = sound_.play("bgm", "shot", nullptr);
    FakeVoice* firstVoice = engine_->voices[0].get();
    FakeVoice* secondVoice = engine_->voices[1].get();
    sound_.addAnime(new MSoundVoiceVolumeAnime(first, 1.0f, 0.5f, 4));
    sound_.addAnime(new MSoundVoiceVolumeAnime(second, 1.0f, 0.0f, 4));
    frames(1);
    EXPECT_NEAR(firstVoice->levels[0], expectedValue(1.0, 0.5, 15, 64), 1e-6);
    sound_.addAnime(new MSoundVoiceVolumeAnime(second, 0.25f, 0.25f, 0));
    frames(4);
    EXPECT_EQ(firstVoice->levels[0], 0.5f);
    EXPECT_EQ(secondVoice->levels[0], 0.25f);
}

TEST_F(SoundAnimeTest, AVoiceFadeOfAnEndedSoundChangesNothing) {
    const int32_t id = sound_.play("bgm", "shot", nullptr);
    sound_.stopGroup("CH00");
    sound_.addAnime(new MSoundVoiceVolumeAnime(id, 1.0f, 0.0f, 2));
    sound_.addAnime(new MSoundVoiceVolumeAnime(-1, 1.0f, 0.0f, 2));
    frames(3);
    EXPECT_EQ(level(), 1.0f);
}

TEST_F(SoundAnimeTest, NegativeValuesKeepTheirSign) {
    sound_.play("bgm", "shot", nullptr);
    sound_.fadeGroupVolume("CH00", -1.0f, -0.25f, 2);
    frames(1);
    EXPECT_NEAR(level(), expectedValue(-1.0, -0.25, 15, 32), 1e-6);
    EXPECT_LT(level(), 0.0f);
    frames(1);
    EXPECT_EQ(level(), -0.25f);
}

TEST(SoundGainToVolume, UndoesTheVolumeCurve) {
    for (float v : {0.0f, 1.0f, -1.0f, 0.5f, -0.3f, 2.0f})
        EXPECT_NEAR(MSound::gainToVolume(MSound::volumeToGain(v)), v, 1e-6f) << v;
}

}  // namespace
