// MSound's logic on a fake voice back end: pools and priorities, "uniq"
// keys, ids, groups, silent mode, and a back end that never reports ends.
#include "engine/sound/sound.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/sound/sound_config.h"
#include "engine/task/looper.h"
#include "tests/engine/sound/fake_audio_engine.h"

namespace {

// 18-byte wave format records: 16-bit PCM at 1000 Hz, mono and stereo.
const uint8_t kMono[] = {1, 0, 1, 0, 0xE8, 3, 0, 0, 0xD0, 7, 0, 0, 2, 0, 16, 0, 0, 0};
const uint8_t kStereo[] = {1, 0, 2, 0, 0xE8, 3, 0, 0, 0xA0, 0x0F, 0, 0, 4, 0, 16, 0, 0, 0};
const uint8_t kSamples[16] = {};

MSoundChannelElement channel(std::span<const uint8_t> format, float left = 1.0f,
                             float right = 1.0f) {
    MSoundChannelElement element;
    element.leftLevel = left;
    element.rightLevel = right;
    element.sampleData.format = format;
    element.sampleData.data = kSamples;
    return element;
}

MSoundVoiceRecord record(uint32_t device, float priority = 0.0f, std::string uniq = "",
                         std::string group = "") {
    MSoundVoiceRecord r;
    r.device = device;
    r.priority = priority;
    r.uniqKey = std::move(uniq);
    r.group = std::move(group);
    r.channels.push_back(channel(kMono));
    return r;
}

class SoundTest : public testing::Test {
protected:
    SoundTest()
        : engine_(new FakeAudioEngine), sound_(std::unique_ptr<platform::AudioEngine>(engine_)) {
        fillArchive(sound_);
    }

    static void fillArchive(MSound& sound) {
        MSound::SoundConfig& config = sound.enterSoundConfig("sound", "snd");
        config.setLoaded(true);
        MSound::SoundArchive& se = config.addArchive("se");
        se.setLoaded(true);
        se.addVoice("shot", record(0));
        se.addVoice("boss", record(1, 5.0f));
        se.addVoice("low", record(1, 1.0f));
        se.addVoice("coin", record(0, 2.0f, "coin"));
        se.addVoice("chime", record(0, 0.0f, "", "CH01"));
        se.addVoice("solo", record(2));
        MSoundVoiceRecord wide = record(0);
        wide.channels = {channel(kStereo, 0.5f, 1.0f), channel(kMono)};
        wide.pitch = 1.0f;
        wide.volume = 0.5f;
        se.addVoice("wide", wide);
        MSound::SoundArchive& bgm = config.addArchive("bgm");
        bgm.setLoaded(true);
        bgm.addVoice("theme", record(1, 9.0f, "", "BGM"));
    }

    FakeVoice* lastVoice() { return engine_->voices.back().get(); }

    MLooper looper_;  // outlives the sound, as every hook must
    FakeAudioEngine* engine_;
    MSound sound_;
};

TEST_F(SoundTest, PlaysAndFindsByLabelAndName) {
    const int32_t id = sound_.play("se", "shot", nullptr);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(sound_.findSound("se", "shot"), id);
    EXPECT_TRUE(lastVoice()->running);
    EXPECT_EQ(lastVoice()->buffers.size(), 1u);
    // An empty label searches every archive of the document.
    EXPECT_EQ(sound_.play("", "theme", nullptr), 2);
    EXPECT_EQ(sound_.findSound("bgm", "theme"), 2);
    struct Case {
        const char* label;
        const char* name;
    };
    for (const Case& c : {Case{"se", "nothing"}, Case{"bgm", "shot"}, Case{"voice", "shot"}})
        EXPECT_EQ(sound_.play(c.label, c.name, nullptr), -1) << c.label << " " << c.name;
    EXPECT_EQ(sound_.findSound("se", "nothing"), -1);
}

TEST_F(SoundTest, AnArchiveNotYetLoadedAnswersNothing) {
    sound_.enterSoundConfig("sound", "").addArchive("late").addVoice("shot", record(0));
    EXPECT_EQ(sound_.play("late", "shot", nullptr), -1);
}

TEST_F(SoundTest, TakesOverTheOldestSoundUnlessItHasAGreaterPriority) {
    std::vector<int32_t> bosses;
    for (int i = 0; i < 8; ++i) bosses.push_back(sound_.play("se", "boss", nullptr));
    ASSERT_EQ(engine_->liveVoices().size(), 8u);

    EXPECT_EQ(sound_.play("se", "low", nullptr), -1);
    EXPECT_EQ(sound_.findSound("se", "boss"), bosses[0]);
    for (FakeVoice* v : engine_->liveVoices()) EXPECT_TRUE(v->running);

    // Only a strictly greater priority protects: an equal one takes the oldest.
    FakeVoice* oldest = engine_->voices[0].get();
    const int32_t id = sound_.play("se", "boss", nullptr);
    EXPECT_GT(id, bosses.back());
    EXPECT_GE(oldest->flushes, 1);
    EXPECT_TRUE(oldest->destroyed);
    EXPECT_EQ(sound_.findSound("se", "boss"), bosses[1]);
    EXPECT_EQ(engine_->liveVoices().size(), 8u);
}

TEST_F(SoundTest, UniqKeyReplacesUnlessThePlayingOneRanksHigher) {
    const int32_t first = sound_.play("se", "coin", nullptr);
    const int32_t second = sound_.play("se", "coin", nullptr);
    EXPECT_NE(second, -1);
    EXPECT_EQ(sound_.findSound("se", "coin"), second);
    EXPECT_FALSE(engine_->voices[0]->running);
    (void)first;

    MSound::PlayRequest low;
    low.priority = 1.0f;  // below the record's 2.0 that the playing one took
    EXPECT_EQ(sound_.play("se", "coin", &low), -1);
    EXPECT_EQ(sound_.findSound("se", "coin"), second);
    EXPECT_TRUE(engine_->voices[1]->running);
}

TEST_F(SoundTest, TwoChannelElementsTakeTwoSlotsWithTheirLevels) {
    MSound::PlayRequest request;
    request.volume = 0.5f;
    request.pitch = 1.0f;
    request.leftLevel = 0.5f;
    ASSERT_NE(sound_.play("se", "wide", &request), -1);
    ASSERT_EQ(engine_->liveVoices().size(), 2u);
    FakeVoice* stereo = engine_->voices[0].get();
    FakeVoice* mono = engine_->voices[1].get();
    EXPECT_FLOAT_EQ(stereo->ratio, 4.0f);  // record and request each an octave up
    // volume 0.5 x 0.5; stereo element left 0.5, right 1.0; request left 0.5.
    const std::vector<float> stereoLevels = {0.0625f, 0, 0, 0.25f};
    EXPECT_EQ(stereo->levels, stereoLevels);
    EXPECT_EQ(mono->levels, (std::vector<float>{0.125f, 0.25f}));
}

TEST_F(SoundTest, SetSoundVolumeReappliesTheGainAndIgnoresUnknownIds) {
    const int32_t id = sound_.play("se", "shot", nullptr);
    sound_.setSoundVolume(id, 0.25f);
    EXPECT_EQ(lastVoice()->levels, (std::vector<float>{0.25f, 0.25f}));
    sound_.setSoundVolume(-1, 0.5f);
    sound_.setSoundVolume(id + 100, 0.5f);
    EXPECT_EQ(lastVoice()->levels, (std::vector<float>{0.25f, 0.25f}));
}

TEST_F(SoundTest, PausedTwiceResumesOnceAndNewSoundsWaitForTheResume) {
    sound_.play("se", "chime", nullptr);
    FakeVoice* playing = lastVoice();
    sound_.pauseGroup("CH01");
    sound_.pauseGroup("CH01");
    EXPECT_FALSE(playing->running);

    sound_.play("se", "chime", nullptr);
    FakeVoice* waiting = lastVoice();
    EXPECT_FALSE(waiting->running);
    EXPECT_TRUE(sound_.play("se", "shot", nullptr) != -1 && lastVoice()->running);

    sound_.resumeGroup("CH01");
    EXPECT_TRUE(playing->running);
    EXPECT_TRUE(waiting->running);
}

TEST_F(SoundTest, GroupVolumesScaleTheGroupAndOneRemovesIt) {
    sound_.play("bgm", "theme", nullptr);
    FakeVoice* theme = lastVoice();
    sound_.setGroupVolume("BGM", 0.5f);
    EXPECT_EQ(sound_.getGroupVolume("BGM"), 0.5f);
    EXPECT_EQ(theme->levels, (std::vector<float>{0.5f, 0.5f}));

    sound_.play("bgm", "theme", nullptr);  // a new sound of the group takes its volume
    EXPECT_EQ(lastVoice()->levels, (std::vector<float>{0.5f, 0.5f}));

    sound_.setGroupVolume("BGM", 1.0f);
    EXPECT_EQ(sound_.getGroupVolume("BGM"), 1.0f);
    EXPECT_EQ(lastVoice()->levels, (std::vector<float>{1.0f, 1.0f}));
    EXPECT_EQ(sound_.getGroupVolume("CH07"), 1.0f);
}

TEST_F(SoundTest, StopGroupFlushesItsSoundsAndFreesTheirSlots) {
    sound_.play("bgm", "theme", nullptr);
    FakeVoice* theme = lastVoice();
    sound_.stopGroup("BGM");
    EXPECT_FALSE(theme->running);
    EXPECT_EQ(theme->flushes, 1);
    EXPECT_EQ(sound_.findSound("bgm", "theme"), -1);
    // All eight slots of the pool are free again: eight low sounds fit.
    for (int i = 0; i < 8; ++i) sound_.play("se", "low", nullptr);
    EXPECT_EQ(sound_.findSound("se", "low"), 2);
}

TEST_F(SoundTest, StopSoundsStopsEveryPlayingOfThatNameOnly) {
    sound_.play("se", "shot", nullptr);
    sound_.play("se", "shot", nullptr);
    const int32_t coin = sound_.play("se", "coin", nullptr);
    sound_.stopSounds("se", "shot");
    EXPECT_EQ(sound_.findSound("se", "shot"), -1);
    EXPECT_EQ(sound_.findSound("se", "coin"), coin);
    EXPECT_FALSE(engine_->voices[0]->running);
    EXPECT_FALSE(engine_->voices[1]->running);
    EXPECT_TRUE(lastVoice()->running);
    sound_.stopSounds("bgm", "shot");  // another archive's name: nothing
    EXPECT_EQ(sound_.findSound("se", "coin"), coin);
}

TEST_F(SoundTest, AnEndedSoundStaysFoundUntilTheNextPlay) {
    const int32_t id = sound_.play("se", "shot", nullptr);
    lastVoice()->finish();
    looper_.getPostLoopPhase().update();
    EXPECT_EQ(sound_.findSound("se", "shot"), id);
    sound_.play("se", "coin", nullptr);
    EXPECT_EQ(sound_.findSound("se", "shot"), -1);
}

TEST_F(SoundTest, TheOneSlotPoolPlaysAndIsTakenOver) {
    sound_.play("se", "solo", nullptr);
    FakeVoice* first = lastVoice();
    EXPECT_TRUE(first->running);
    sound_.play("se", "solo", nullptr);
    EXPECT_TRUE(first->destroyed);
    EXPECT_TRUE(lastVoice()->running);
}

// A back end whose voices never report their end must not hang a play that
// takes their slots over.
TEST_F(SoundTest, TakeoverDoesNotWaitForAVoiceThatNeverReports) {
    engine_->reportsEnds = false;
    for (int i = 0; i < 8; ++i) sound_.play("se", "low", nullptr);
    const int32_t id = sound_.play("se", "boss", nullptr);
    EXPECT_EQ(id, 9);
    EXPECT_TRUE(engine_->voices[0]->destroyed);
    EXPECT_TRUE(lastVoice()->running);
    EXPECT_EQ(engine_->liveVoices().size(), 8u);
    // The remaining seven are still there to be taken over in turn.
    EXPECT_EQ(sound_.findSound("se", "low"), 2);
}

// A voice that reports its end only later (as from the audio thread) keeps
// its slot until the report has been seen.
TEST_F(SoundTest, AStoppedSoundFreesItsSlotWhenItsEndIsReportedLater) {
    engine_->reportsEnds = false;
    sound_.play("bgm", "theme", nullptr);
    FakeVoice* theme = lastVoice();
    sound_.stopGroup("BGM");
    for (int i = 0; i < 7; ++i) sound_.play("se", "low", nullptr);
    theme->finish();
    looper_.getPostLoopPhase().update();
    EXPECT_NE(sound_.play("se", "low", nullptr), -1);
    EXPECT_EQ(sound_.findSound("se", "low"), 2);  // the eighth took the freed slot
}

TEST(SoundSilent, HandsOutIdsAndSweepsTheSoundsAsEnded) {
    MLooper looper;
    MSound sound(nullptr);
    EXPECT_TRUE(sound.silent());
    MSound::SoundConfig& config = sound.enterSoundConfig("sound", "");
    config.setLoaded(true);
    MSound::SoundArchive& se = config.addArchive("se");
    se.setLoaded(true);
    se.addVoice("shot", record(1));
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(sound.play("se", "shot", nullptr), i);
    EXPECT_EQ(sound.findSound("se", "shot"), 20);
    sound.pauseGroup("");
    sound.stopGroup("");
    EXPECT_EQ(sound.findSound("se", "shot"), -1);
}

TEST(SoundInstance, TheNewestSoundIsTheInstanceAndAPostLoopHook) {
    MLooper looper;
    {
        MSound sound(nullptr);
        EXPECT_EQ(MSound::getInstance(), &sound);
        EXPECT_FALSE(looper.getPostLoopPhase().isEmpty());
        looper.getPostLoopPhase().update();
    }
    EXPECT_TRUE(looper.getPostLoopPhase().isEmpty());
}

TEST(SoundIdCounter, WrapsAtTwentyEightBitsAndSkipsIdsInUse) {
    MSoundIdCounter ids(0x0FFFFFFE);
    const auto inUse = [](int32_t id) { return id == 0 || id == 1; };
    EXPECT_EQ(ids.next(inUse), 0x0FFFFFFF);
    EXPECT_EQ(ids.next(inUse), 2);
}

TEST(SoundVolumeToGain, KeepsTheFixedPointsAndTheSign) {
    struct Case {
        float in, out;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{-1, -1}, Case{0.5f, 1.0f / 3.0f},
                          Case{-0.5f, -1.0f / 3.0f}, Case{2, 3}})
        EXPECT_NEAR(MSound::volumeToGain(c.in), c.out, 1e-6f) << c.in;
}

}  // namespace
