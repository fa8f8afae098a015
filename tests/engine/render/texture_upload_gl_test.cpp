// Uploads of every pixel layout into the OpenGL device, read back by
// copying each texture into a render target.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/render/etc1_decode.h"
#include "engine/render/texture_upload.h"
#include "tests/engine/render/gl_display_fixture.h"

namespace {

using platform::PixelFormat;

class TextureUploadGlTest : public GlDisplayTest {
protected:
    // Uploads pixels as a width x height texture and reads them back as ARGB.
    static std::vector<uint32_t> roundTrip(PixelFormat format, int bits, int width, int height, int rowsPerStep,
                                           const void* pixels) {
        MWinD3DTexture* texture = win().createTexture(width, height, format, false, 1);
        MWinD3DTexture* target = win().createTexture(width, height, PixelFormat::A8R8G8B8, true, 1);
        EXPECT_NE(texture, nullptr);
        EXPECT_NE(target, nullptr);
        if (!texture || !target) return {};
        MTextureImageDesc desc(bits, width, height, 1, rowsPerStep);
        desc.pixels = pixels;
        uploadTexturePixels(*win().device(), texture->texture, desc);
        const platform::Rect whole{0, 0, width, height};
        win().captureToTexture(target, texture, &whole, nullptr);
        auto result = win().device()->readSurface(target->surface, whole);
        win().releaseTexture(texture);
        win().releaseTexture(target);
        return result;
    }
};

TEST_F(TextureUploadGlTest, PlainLayoutsReadBackAsTheirColours) {
    struct Case {
        const char* name;
        PixelFormat format;
        int bits;
        int width;
        std::vector<uint8_t> source;  // two rows, each padded to a power of two
        std::vector<uint32_t> expected;
    };
    const auto words32 = [](std::vector<uint32_t> v) {
        std::vector<uint8_t> b(v.size() * 4);
        std::memcpy(b.data(), v.data(), b.size());
        return b;
    };
    const auto words16 = [](std::vector<uint16_t> v) {
        std::vector<uint8_t> b(v.size() * 2);
        std::memcpy(b.data(), v.data(), b.size());
        return b;
    };
    const Case cases[] = {
        {"A8R8G8B8, 3 wide", PixelFormat::A8R8G8B8, 32, 3,
         words32({0xFF112233, 0x80445566, 0xFF778899, 0, 0xFFAABBCC, 0xFFDDEEFF, 0xFF010203, 0}),
         {0xFF112233, 0x80445566, 0xFF778899, 0xFFAABBCC, 0xFFDDEEFF, 0xFF010203}},
        {"X8R8G8B8", PixelFormat::X8R8G8B8, 32, 2, words32({0x00123456, 0x7F654321, 0x01000000, 0x02FFFFFF}),
         {0xFF123456, 0xFF654321, 0xFF000000, 0xFFFFFFFF}},
        {"R5G6B5", PixelFormat::R5G6B5, 16, 2, words16({0xF800, 0x07E0, 0x001F, 0xFFFF}),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}},
        {"A4R4G4B4", PixelFormat::A4R4G4B4, 16, 2, words16({0xF00F, 0x8F00, 0xF0F0, 0xFFFF}),
         {0xFF0000FF, 0x88FF0000, 0xFF00FF00, 0xFFFFFFFF}},
        {"A1R5G5B5", PixelFormat::A1R5G5B5, 16, 2, words16({0xFC00, 0x83E0, 0x801F, 0xFFFF}),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}},
        {"A8L8", PixelFormat::A8L8, 16, 2, words16({0x80FF, 0xFF40, 0xFF00, 0x11FF}),
         {0x80FFFFFF, 0xFF404040, 0xFF000000, 0x11FFFFFF}},
        {"A8, 3 wide", PixelFormat::A8, 8, 3, {0x80, 0xFF, 0x11, 0, 0x22, 0x33, 0x44, 0},
         {0x80FFFFFF, 0xFFFFFFFF, 0x11FFFFFF, 0x22FFFFFF, 0x33FFFFFF, 0x44FFFFFF}},
        {"L8", PixelFormat::L8, 8, 2, {0x40, 0xFF, 0x00, 0x80}, {0xFF404040, 0xFFFFFFFF, 0xFF000000, 0xFF808080}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundTrip(c.format, c.bits, c.width, 2, 1, c.source.data()), c.expected) << c.name;
}

// A 4-colour S3TC colour block: red (index 0) and blue (index 1), row 1
// blue and the rest red.
void appendColourBlock(std::vector<uint8_t>& out) {
    const uint8_t block[8] = {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x55, 0x00, 0x00};
    out.insert(out.end(), block, block + 8);
}

std::vector<uint32_t> expectedS3tc(uint32_t firstAlpha, uint32_t alpha) {
    std::vector<uint32_t> out(16, alpha | 0x00FF0000);
    for (int x = 0; x < 4; ++x) out[size_t(4 + x)] = alpha | 0x000000FF;
    out[0] = firstAlpha | 0x00FF0000;
    return out;
}

TEST_F(TextureUploadGlTest, S3tcBlocksGoToTheDeviceCompressed) {
    std::vector<uint8_t> dxt1;
    appendColourBlock(dxt1);
    EXPECT_EQ(roundTrip(PixelFormat::DXT1, 4, 4, 4, 4, dxt1.data()), expectedS3tc(0xFF000000, 0xFF000000));

    // Explicit 4-bit alpha: 8 for the first pixel, 15 for the rest.
    std::vector<uint8_t> dxt3{0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    appendColourBlock(dxt3);
    EXPECT_EQ(roundTrip(PixelFormat::DXT3, 8, 4, 4, 4, dxt3.data()), expectedS3tc(0x88000000, 0xFF000000));

    // Interpolated alpha: endpoints 0x80 (index 0, the first pixel) and
    // 0xFF (index 1, the rest).
    std::vector<uint8_t> dxt5{0x80, 0xFF, 0x48, 0x92, 0x24, 0x49, 0x92, 0x24};
    appendColourBlock(dxt5);
    EXPECT_EQ(roundTrip(PixelFormat::DXT5, 8, 4, 4, 4, dxt5.data()), expectedS3tc(0x80000000, 0xFF000000));
}

TEST_F(TextureUploadGlTest, DecodedEtc1UploadsAsItsWords) {
    // Individual mode, colours 0x88 grey (left) and 0x44 grey (right).
    const uint8_t block[8] = {0x84, 0x84, 0x84, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(16);
    decodeETC1(block, 4, 4, pixels.data());
    EXPECT_EQ(roundTrip(PixelFormat::A8R8G8B8, 32, 4, 4, 1, pixels.data()), pixels);
    EXPECT_EQ(pixels[0], 0xFF8A8A8Au);
}

}  // namespace
