// The mixer's output for known input: sample layouts, the level matrix, our
// resampler, loop regions, operation sets and the end-of-buffer notices.
#include "platform/audio/mixer/audio_mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

namespace platform {
namespace {

constexpr uint32_t kRate = 1000;

struct EndCounter final : AudioVoiceCallback {
    std::atomic<int> ends{0};
    void onBufferEnd() override { ++ends; }
};

AudioFormat format(uint16_t tag, uint16_t channels, uint16_t bits, uint32_t rate = kRate) {
    AudioFormat f;
    f.formatTag = tag;
    f.channels = channels;
    f.samplesPerSecond = rate;
    f.blockAlign = uint16_t(channels * bits / 8);
    f.bytesPerSecond = rate * f.blockAlign;
    f.bitsPerSample = bits;
    return f;
}

std::vector<uint8_t> pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (int16_t s : samples) {
        bytes.push_back(uint8_t(uint16_t(s) & 0xFF));
        bytes.push_back(uint8_t(uint16_t(s) >> 8));
    }
    return bytes;
}

// Mono 16-bit frames whose value is their index in steps of 1/32768.
std::vector<uint8_t> ramp(int frames) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) samples.push_back(int16_t(i));
    return pcm16(samples);
}

std::vector<float> pull(AudioMixer& mixer, size_t frames) {
    std::vector<float> out(frames * mixer.outputChannels());
    mixer.mix(out.data(), frames);
    return out;
}

// The first output channel, scaled back to the ramp's indexes.
std::vector<float> leftSteps(const std::vector<float>& out, uint32_t channels) {
    std::vector<float> steps;
    for (size_t i = 0; i < out.size(); i += channels) steps.push_back(out[i] * 32768.0f);
    return steps;
}

TEST(AudioFormatRecord, ReadsTheEighteenLittleEndianBytes) {
    const std::vector<uint8_t> bytes = {0x01, 0x00, 0x02, 0x00, 0x44, 0xAC, 0x00, 0x00, 0x10,
                                        0xB1, 0x02, 0x00, 0x04, 0x00, 0x10, 0x00, 0x00, 0x00};
    const auto f = readAudioFormat(bytes);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->formatTag, kAudioFormatPcm);
    EXPECT_EQ(f->channels, 2);
    EXPECT_EQ(f->samplesPerSecond, 44100u);
    EXPECT_EQ(f->bytesPerSecond, 176400u);
    EXPECT_EQ(f->blockAlign, 4);
    EXPECT_EQ(f->bitsPerSample, 16);
    EXPECT_EQ(f->extraSize, 0);
    EXPECT_FALSE(readAudioFormat(std::span(bytes).first(17)).has_value());
}

TEST(AudioMixer, ReadsEachSampleLayout) {
    const float f32[] = {0.25f, -0.5f};
    std::vector<uint8_t> floatBytes(sizeof f32);
    std::memcpy(floatBytes.data(), f32, sizeof f32);
    struct Case {
        AudioFormat fmt;
        std::vector<uint8_t> data;
        float left, right;
    };
    const Case cases[] = {
        {format(kAudioFormatPcm, 1, 8), {192}, 0.5f, 0.5f},
        {format(kAudioFormatPcm, 1, 16), pcm16({-16384}), -0.5f, -0.5f},
        {format(kAudioFormatPcm, 2, 16), pcm16({8192, -32768}), 0.25f, -1.0f},
        {format(kAudioFormatFloat, 2, 32), floatBytes, 0.25f, -0.5f},
    };
    for (const Case& c : cases) {
        EndCounter ends;
        AudioMixer mixer(kRate, 2);
        AudioVoice* voice = mixer.createSourceVoice(c.fmt, 2.0f, &ends);
        ASSERT_NE(voice, nullptr);
        voice->submitBuffer({.data = c.data});
        voice->start(kAudioCommitNow);
        const auto out = pull(mixer, 2);
        EXPECT_FLOAT_EQ(out[0], c.left);
        EXPECT_FLOAT_EQ(out[1], c.right);
        EXPECT_EQ(out[2], 0.0f);
        EXPECT_EQ(ends.ends, 1);
    }
}

TEST(AudioMixer, RefusesFormatsItCannotRead) {
    EndCounter ends;
    AudioMixer mixer(kRate, 2);
    EXPECT_EQ(mixer.createSourceVoice(format(0x11, 1, 4), 2.0f, &ends), nullptr);
    EXPECT_EQ(mixer.createSourceVoice(format(kAudioFormatPcm, 1, 24), 2.0f, &ends), nullptr);
    EXPECT_EQ(mixer.createSourceVoice(format(kAudioFormatPcm, 0, 16), 2.0f, &ends), nullptr);
}

TEST(AudioMixer, PansThroughTheLevelMatrix) {
    EndCounter ends;
    AudioMixer mixer(kRate, 2);
    const auto data = pcm16({16384, -16384});
    AudioVoice* voice = mixer.createSourceVoice(format(kAudioFormatPcm, 2, 16), 2.0f, &ends);
    // Source 0 to the left at 0.5, source 1 to both sides: levels[2 * output + source].
    const float levels[] = {0.5f, 1.0f, 0.0f, 0.25f};
    voice->setOutputMatrix(2, 2, levels, kAudioCommitNow);
    voice->submitBuffer({.data = data});
    voice->start(kAudioCommitNow);
    const auto out = pull(mixer, 1);
    EXPECT_FLOAT_EQ(out[0], 0.5f * 0.5f - 0.5f);
    EXPECT_FLOAT_EQ(out[1], -0.5f * 0.25f);
}

TEST(AudioMixer, ResamplesByRatioAndSourceRate) {
    struct Case {
        uint32_t sourceRate;
        float ratio;
        std::vector<float> steps;
    };
    const Case cases[] = {
        {kRate, 2.0f, {0, 2, 4, 6, 8, 0}},
        {kRate, 0.5f, {0, 0.5f, 1, 1.5f, 2, 2.5f}},
        {kRate / 2, 1.0f, {0, 0.5f, 1, 1.5f, 2, 2.5f}},
        {kRate, 3000.0f, {0, 0, 0, 0, 0, 0}},  // clamped to the voice's maximum of 4
    };
    for (const Case& c : cases) {
        EndCounter ends;
        AudioMixer mixer(kRate, 2);
        const auto data = ramp(10);
        AudioVoice* voice =
            mixer.createSourceVoice(format(kAudioFormatPcm, 1, 16, c.sourceRate), 4.0f, &ends);
        voice->setFrequencyRatio(c.ratio, kAudioCommitNow);
        voice->submitBuffer({.data = data});
        voice->start(kAudioCommitNow);
        const auto steps = leftSteps(pull(mixer, 6), 2);
        if (c.ratio > 4.0f) {
            EXPECT_EQ(steps[1], 4.0f);
            EXPECT_EQ(steps[2], 8.0f);
            EXPECT_EQ(ends.ends, 1);
            continue;
        }
        for (size_t i = 0; i < c.steps.size(); ++i) EXPECT_FLOAT_EQ(steps[i], c.steps[i]) << i;
    }
}

// A pitch read from a damaged archive may be NaN: the voice keeps its ratio.
TEST(AudioMixer, ANaNRatioLeavesTheRatioAsItWas) {
    EndCounter ends;
    AudioMixer mixer(kRate, 2);
    const auto data = ramp(10);
    AudioVoice* voice = mixer.createSourceVoice(format(kAudioFormatPcm, 1, 16), 4.0f, &ends);
    voice->setFrequencyRatio(2.0f, kAudioCommitNow);
    voice->setFrequencyRatio(std::nanf(""), kAudioCommitNow);
    voice->submitBuffer({.data = data});
    voice->start(kAudioCommitNow);
    EXPECT_EQ(leftSteps(pull(mixer, 3), 2), (std::vector<float>{0, 2, 4}));
}

TEST(AudioMixer, PlaysALoopRegionThreeTimesThenTheTail) {
    EndCounter ends;
    AudioMixer mixer(kRate, 1);
    const auto data = ramp(8);
    AudioVoice* voice = mixer.createSourceVoice(format(kAudioFormatPcm, 1, 16), 2.0f, &ends);
    voice->submitBuffer({.data = data, .loopBegin = 2, .loopLength = 3, .loopCount = 2});
    voice->start(kAudioCommitNow);
    const std::vector<float> expected = {0, 1, 2, 3, 4, 2, 3, 4, 2, 3, 4, 5, 6, 7, 0, 0};
    EXPECT_EQ(leftSteps(pull(mixer, 16), 1), expected);
    EXPECT_EQ(ends.ends, 1);
}

TEST(AudioMixer, InfiniteLoopNeverEndsUntilFlushed) {
    EndCounter ends;
    AudioMixer mixer(kRate, 1);
    const auto data = ramp(4);
    AudioVoice* voice = mixer.createSourceVoice(format(kAudioFormatPcm, 1, 16), 1024.0f, &ends);
    voice->setFrequencyRatio(1000.0f, kAudioCommitNow);
    voice->submitBuffer({.data = data, .loopBegin = 1, .loopCount = kAudioLoopInfinite});
    voice->start(kAudioCommitNow);
    pull(mixer, 500);
    EXPECT_EQ(ends.ends, 0);
    voice->flushSourceBuffers();
    EXPECT_EQ(ends.ends, 1);
    EXPECT_EQ(leftSteps(pull(mixer, 2), 1), (std::vector<float>{0, 0}));
}

TEST(AudioMixer, ReportsTheEndAtOnceOnFlushAndDestroy) {
    EndCounter flushed, destroyed;
    AudioMixer mixer(kRate, 2);
    const auto data = ramp(100);
    AudioVoice* a = mixer.createSourceVoice(format(kAudioFormatPcm, 1, 16), 2.0f, &flushed);
    AudioVoice* b = mixer.createSourceVoice(format(kAudioFormatPcm, 1, 16), 2.0f, &destroyed);
    for (AudioVoice* v : {a, b}) {
        v->submitBuffer({.data = data});
        v->submitBuffer({.data = data});
    }
    a->flushSourceBuffers();  // never started, still both buffers end
    EXPECT_EQ(flushed.ends, 2);
    b->start(kAudioCommitNow);
    pull(mixer, 10);
    mixer.destroyVoice(b);
    EXPECT_EQ(destroyed.ends, 2);
}

TEST(AudioMixer, HoldsChangesUntilTheirOperationSetIsCommitted) {
    EndCounter ends;
    AudioMixer mixer(kRate, 2);
    const auto data = pcm16({16384, 16384, 16384, 16384});
    AudioVoice* voice = mixer.createSourceVoice(format(kAudioFormatPcm, 1, 16), 2.0f, &ends);
    voice->submitBuffer({.data = data});
    const float quiet[] = {0.5f, 0.5f};
    voice->setOutputMatrix(1, 2, quiet, 7);
    voice->start(7);
    voice->stop(8);
    EXPECT_EQ(pull(mixer, 1)[0], 0.0f);
    mixer.commitChanges(7);
    EXPECT_FLOAT_EQ(pull(mixer, 1)[0], 0.25f);
    mixer.commitChanges(kAudioCommitAll);
    EXPECT_EQ(pull(mixer, 1)[0], 0.0f);
}

TEST(AudioMixer, PlaysWmaAsSilenceOfItsDecodedLength) {
    EndCounter ends;
    AudioMixer mixer(kRate, 2);
    // Two packets, 8 decoded bytes in all: two 16-bit stereo frames.
    const std::vector<uint8_t> packets = {4, 0, 0, 0, 8, 0, 0, 0};
    const std::vector<uint8_t> coded = {1, 2, 3, 4, 5, 6, 7};
    AudioVoice* voice = mixer.createSourceVoice(format(kAudioFormatWma2, 2, 16), 2.0f, &ends);
    ASSERT_NE(voice, nullptr);
    voice->submitBuffer({.data = coded, .wmaPacketBytes = packets});
    voice->start(kAudioCommitNow);
    const auto first = pull(mixer, 1);
    EXPECT_EQ(first, (std::vector<float>{0, 0}));
    EXPECT_EQ(ends.ends, 0);
    pull(mixer, 1);
    EXPECT_EQ(ends.ends, 1);
}

// xWMA data shorter than its decoded length, or none at all (as a damaged
// archive may give): the silence plays out without reading the data.
TEST(AudioMixer, PlaysWmaSilenceWithoutItsData) {
    const std::vector<uint8_t> packets = {0, 1, 0, 0};  // 256 bytes: 64 frames
    for (const std::vector<uint8_t>& coded : {std::vector<uint8_t>{}, std::vector<uint8_t>{9}}) {
        EndCounter ends;
        AudioMixer mixer(kRate, 2);
        AudioVoice* voice = mixer.createSourceVoice(format(kAudioFormatWma3, 2, 16), 2.0f, &ends);
        ASSERT_NE(voice, nullptr);
        voice->submitBuffer({.data = coded, .wmaPacketBytes = packets});
        voice->start(kAudioCommitNow);
        EXPECT_EQ(pull(mixer, 64), std::vector<float>(128, 0.0f));
        EXPECT_EQ(ends.ends, 1);
    }
}

}  // namespace
}  // namespace platform
