// The device path: SDL's dummy driver (set by the test main) opens in its own
// format and pulls our mixer in real time from its thread.
#include "platform/audio/sdl/sdl_audio_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <string>
#include <vector>

#include "tests/support/scoped_env.h"

namespace platform {
namespace {

struct EndFlag final : AudioVoiceCallback {
    std::atomic<bool> ended{false};
    void onBufferEnd() override { ended = true; }
};

TEST(SdlAudioDevice, PlaysABufferToItsEndOnTheDummyDriver) {
    ASSERT_STREQ(SDL_getenv("SDL_AUDIODRIVER"), "dummy");
    auto device = SdlAudioDevice::open();
    ASSERT_NE(device, nullptr) << SDL_GetError();
    EXPECT_GT(device->outputSampleRate(), 0u);
    EXPECT_EQ(device->outputChannels(), device->spec().channels);

    AudioFormat format;
    format.formatTag = kAudioFormatPcm;
    format.channels = 1;
    format.samplesPerSecond = 8000;
    format.bitsPerSample = 16;
    format.blockAlign = 2;
    format.bytesPerSecond = 16000;
    const std::vector<uint8_t> data(800, 0x10);  // 50 ms
    EndFlag flag;
    AudioVoice* voice = device->createSourceVoice(format, 2.0f, &flag);
    ASSERT_NE(voice, nullptr);
    voice->submitBuffer({.data = data});
    voice->start(kAudioCommitNow);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!flag.ended && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(flag.ended);
    device->destroyVoice(voice);
}

TEST(SdlAudioDevice, OpensThroughThePlatformEntry) {
    EXPECT_NE(openAudioDevice(), nullptr);
}

TEST(SdlAudioDevice, NoDeviceIsSaidOnceAndOnlyOnce) {
    ScopedEnv env;
    env.set("SDL_AUDIODRIVER", "no-such-driver");
    testing::internal::CaptureStderr();
    EXPECT_EQ(SdlAudioDevice::open(), nullptr);
    EXPECT_EQ(SdlAudioDevice::open(), nullptr);
    const std::string said = testing::internal::GetCapturedStderr();
    const size_t first = said.find(kNoSoundDeviceMessage);
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(kNoSoundDeviceMessage, first + 1), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

}  // namespace
}  // namespace platform
