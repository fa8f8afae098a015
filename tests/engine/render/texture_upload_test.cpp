// Pixel upload into locked texture levels, byte for byte, on the recording
// device (whose locks are CPU buffers).
#include "engine/render/texture_upload.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/render/win_d3d_win.h"
#include "platform/device/recording/recording_device.h"
#include "tests/engine/render/fake_device_factory.h"

namespace {

using platform::PixelFormat;

class TextureUploadTest : public testing::Test {
protected:
    platform::Texture* make(int width, int height, PixelFormat format, int levels = 1) {
        return device.createTexture({width, height, levels, format, platform::TextureUsage::Managed});
    }

    // The level's bytes as the device holds them.
    std::vector<uint8_t> levelBytes(platform::Texture* texture, int level) {
        const platform::TextureDesc& d = texture->desc();
        const int h = std::max(1, d.height >> level);
        platform::LockedRect locked;
        EXPECT_TRUE(device.lockTexture(texture, level, nullptr, false, locked));
        std::vector<uint8_t> bytes(locked.bits, locked.bits + size_t(locked.pitch) * platform::pitchRows(d.format, h));
        device.unlockTexture(texture, level);
        return bytes;
    }

    platform::RecordingDevice device;
};

template <typename T>
std::vector<uint8_t> bytesOf(const std::vector<T>& v) {
    std::vector<uint8_t> out(v.size() * sizeof(T));
    std::memcpy(out.data(), v.data(), out.size());
    return out;
}

TEST_F(TextureUploadTest, PlainDepthsReadRowsAPowerOfTwoApart) {
    struct Case {
        const char* name;
        int bits;
        PixelFormat format;
        int width, height;
        std::vector<uint8_t> source;
        std::vector<uint8_t> expected;
    };
    const std::vector<uint32_t> source32{1, 2, 3, 99, 4, 5, 6, 99};
    const std::vector<uint16_t> source16{0x1111, 0x2222, 0x3333, 0x4444};
    const Case cases[] = {
        {"32 bits, 3 wide", 32, PixelFormat::A8R8G8B8, 3, 2, bytesOf(source32),
         bytesOf(std::vector<uint32_t>{1, 2, 3, 4, 5, 6})},
        {"32 bits, 1 x 1", 32, PixelFormat::X8R8G8B8, 1, 1, bytesOf(std::vector<uint32_t>{7}),
         bytesOf(std::vector<uint32_t>{7})},
        {"16 bits", 16, PixelFormat::R5G6B5, 2, 2, bytesOf(source16), bytesOf(source16)},
        {"8 bits, 3 wide", 8, PixelFormat::A8, 3, 2, {1, 2, 3, 99, 4, 5, 6, 99}, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        platform::Texture* texture = make(c.width, c.height, c.format);
        MTextureImageDesc desc(c.bits, c.width, c.height, 1, 1);
        desc.pixels = c.source.data();
        uploadTexturePixels(device, texture, desc);
        EXPECT_EQ(levelBytes(texture, 0), c.expected) << c.name;
        EXPECT_EQ(desc.levelPixels[0], c.source.data()) << c.name;
    }
}

TEST_F(TextureUploadTest, BlockRowsGoOnePitchAtATime) {
    // DXT1 (4 bits a pixel, 8-byte blocks), 9 x 8: three blocks a row, read
    // from a source padded to 16 pixels (four blocks, 32 bytes) a row.
    std::vector<uint8_t> source(64);
    for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i);
    platform::Texture* texture = make(12, 8, PixelFormat::DXT1);
    MTextureImageDesc desc(4, 9, 8, 1, 4);
    desc.pixels = source.data();
    uploadTexturePixels(device, texture, desc);
    std::vector<uint8_t> expected(source.begin(), source.begin() + 24);
    expected.insert(expected.end(), source.begin() + 32, source.begin() + 56);
    EXPECT_EQ(levelBytes(texture, 0), expected);
}

TEST_F(TextureUploadTest, MipLevelsBelowOneBlockCopyTheirOneBlock) {
    // DXT5 8 x 8 with levels down to 1 x 1; every level's data is exactly
    // as long as the level (whole blocks), so a longer read is caught.
    platform::Texture* texture = make(8, 8, PixelFormat::DXT5, 4);
    const int sizes[4] = {8, 4, 2, 1};
    std::vector<std::unique_ptr<std::vector<uint8_t>>> levels;
    MTextureImageDesc desc(8, 8, 8, 4, 4);
    desc.levelPixels.clear();
    desc.levelSizes.clear();
    for (int i = 0; i < 4; ++i) {
        const int blocks = (sizes[i] + 3) / 4;
        levels.push_back(std::make_unique<std::vector<uint8_t>>(size_t(blocks * blocks * 16), uint8_t(0x10 + i)));
        desc.levelPixels.push_back(levels.back()->data());
        desc.levelSizes.push_back({sizes[i], sizes[i]});
    }
    desc.pixels = levels[0]->data();
    uploadTexturePixels(device, texture, desc);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(levelBytes(texture, i), *levels[size_t(i)]) << "level " << i;
}

TEST_F(TextureUploadTest, LevelsThatDoNotFitAreLeftAlone) {
    const std::vector<uint32_t> pixels(16, 0xFFFFFFFF);
    platform::Texture* texture = make(2, 2, PixelFormat::A8R8G8B8);
    MTextureImageDesc tooLarge(32, 4, 4, 1, 1);
    tooLarge.pixels = pixels.data();
    uploadTexturePixels(device, texture, tooLarge);
    EXPECT_EQ(levelBytes(texture, 0), std::vector<uint8_t>(16, 0));

    MTextureImageDesc oddDepth(24, 2, 2, 1, 1);
    oddDepth.pixels = pixels.data();
    uploadTexturePixels(device, texture, oddDepth);
    EXPECT_EQ(levelBytes(texture, 0), std::vector<uint8_t>(16, 0));

    platform::Texture* narrow = make(2, 2, PixelFormat::R5G6B5);  // 4 bytes a row: 32-bit rows don't fit
    MTextureImageDesc wide(32, 2, 2, 1, 1);
    wide.pixels = pixels.data();
    uploadTexturePixels(device, narrow, wide);
    EXPECT_EQ(levelBytes(narrow, 0), std::vector<uint8_t>(8, 0));
}

// A description covering the level writes all of it, so its lock discards
// (leaving the bytes uncleared); a smaller one leaves the rest of the level zero.
TEST_F(TextureUploadTest, OnlyADescriptionCoveringTheLevelDiscardsIt) {
    const std::vector<uint32_t> pixels(8, 0x11223344u);
    struct Case {
        int width, height;
        bool discards;
    };
    for (const Case c : {Case{4, 2, true}, Case{2, 2, false}, Case{4, 1, false}}) {
        platform::Texture* texture = make(4, 2, PixelFormat::A8R8G8B8);
        MTextureImageDesc desc(32, c.width, c.height, 1, 1);
        desc.pixels = pixels.data();
        uploadTexturePixels(device, texture, desc);
        const auto calls = device.calls();
        EXPECT_EQ(calls[calls.size() - 2], "lockTexture " + device.nameOf(texture) + " level 0" +
                                              (c.discards ? " discard" : ""));
        const auto bytes = levelBytes(texture, 0);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x) {
                uint32_t word = 0;
                std::memcpy(&word, bytes.data() + size_t(y) * 16 + size_t(x) * 4, 4);
                EXPECT_EQ(word, x < c.width && y < c.height ? 0x11223344u : 0u) << c.width << "x" << c.height;
            }
        }
    }
}

TEST_F(TextureUploadTest, LockDiscardOpensLevelZero) {
    FakeDeviceFactory factory;
    MWinAppSettings& s = winAppSettings();
    s = MWinAppSettings{};
    s.screenWidth = s.screenHeight = 8;
    s.clientWidth = s.clientHeight = 8;
    MWinD3DWin win(factory, nullptr, false, 0, 0);
    ASSERT_TRUE(win.initialize());
    MWinD3DTexture* glyphs = win.createDynamicTexture(16, 8, PixelFormat::A8, false);
    int pitch = 0;
    uint8_t* bits = nullptr;
    ASSERT_TRUE(lockTextureDiscard(*win.device(), glyphs, nullptr, pitch, bits));
    EXPECT_EQ(pitch, 16);
    EXPECT_NE(bits, nullptr);
    win.device()->unlockTexture(glyphs->texture, 0);
    EXPECT_EQ(factory.last->calls().back(), "unlockTexture " + factory.last->nameOf(glyphs->texture) + " level 0");
    const auto calls = factory.last->calls();
    EXPECT_EQ(calls[calls.size() - 2], "lockTexture " + factory.last->nameOf(glyphs->texture) + " level 0 discard");
    MWinD3DTexture lost;
    EXPECT_FALSE(lockTextureDiscard(*win.device(), &lost, nullptr, pitch, bits));

    // The white pixel went in through the upload.
    platform::LockedRect white;
    ASSERT_TRUE(win.device()->lockTexture(win.whiteTexture()->texture, 0, nullptr, false, white));
    uint32_t pixel = 0;
    std::memcpy(&pixel, white.bits, 4);
    EXPECT_EQ(pixel, 0xFFFFFFFFu);
    win.device()->unlockTexture(win.whiteTexture()->texture, 0);
}

}  // namespace
