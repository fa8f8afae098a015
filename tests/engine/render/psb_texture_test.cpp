// PSB image objects made into textures on the recording device: every pixel
// type and platform layout checked texel by texel, mip levels, rows that are
// not a power of two wide, truncated sizes, damaged images, and sharing by
// reference count.
#include "engine/render/psb_texture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/base/debug_trace.h"
#include "engine/data/psb_value.h"
#include "engine/render/etc1_decode.h"
#include "engine/render/psb_pixel_convert.h"
#include "engine/render/pvrtc_decode.h"
#include "engine/render/shared_texture_table.h"
#include "tests/engine/render/psb_image_fixture.h"

namespace {

using platform::PixelFormat;
using psbimage::Bytes;
using psbimage::image;
using psbimage::le16;
using psbimage::repeat;
using psbimage::resource;

class PSBTextureTest : public PSBImageTest {
protected:
    void SetUp() override {
        PSBImageTest::SetUp();
        previousSink = setDebugTraceSink([this](std::string_view line) { trace += line; });
    }
    void TearDown() override {
        setDebugTraceSink(previousSink);
        PSBImageTest::TearDown();
    }

    DebugTraceSink previousSink;
    std::string trace;
};

// The 4 x 4 tiles of the tiled console layout, 16 (A, R) pairs then 16 (G, B).
Bytes rgba8Tile() {
    Bytes tile(64);
    for (int k = 0; k < 16; ++k) {
        tile[size_t(2 * k)] = uint8_t(k);
        tile[size_t(2 * k + 1)] = uint8_t(100 + k);
        tile[size_t(32 + 2 * k)] = uint8_t(50 + k);
        tile[size_t(32 + 2 * k + 1)] = uint8_t(200 + k);
    }
    return tile;
}

Bytes rgba8TileExpected() {
    Bytes out;
    for (int k = 0; k < 16; ++k) out.insert(out.end(), {uint8_t(200 + k), uint8_t(50 + k), uint8_t(100 + k), uint8_t(k)});
    return out;
}

// A handheld's 16-byte x 8-row blocks from plain rows of rowBytes.
Bytes swizzle(const Bytes& plain, size_t rowBytes, int height) {
    Bytes out;
    for (int by = 0; by < height / 8; ++by)
        for (size_t bx = 0; bx < rowBytes / 16; ++bx)
            for (int r = 0; r < 8; ++r) {
                const size_t at = size_t(by * 8 + r) * rowBytes + bx * 16;
                out.insert(out.end(), plain.begin() + long(at), plain.begin() + long(at + 16));
            }
    return out;
}

Bytes wordsToBytes(const std::vector<uint32_t>& words) {
    Bytes out(words.size() * 4);
    std::memcpy(out.data(), words.data(), out.size());
    return out;
}

struct TypeCase {
    const char* name;
    psbwriter::Object image;
    PixelFormat format;
    int width, height;
    Bytes expected;
};

std::vector<TypeCase> typeCases() {
    std::vector<TypeCase> cases;
    const Bytes rgba{1, 2, 3, 4, 5, 6, 7, 8};
    cases.push_back({"RGBA8 in the engine's own layout, as stored", image("RGBA8", 2, 1, rgba, "win"),
                     PixelFormat::A8R8G8B8, 2, 1, rgba});
    cases.push_back({"RGBA8 without a spec counts as the engine's", image("RGBA8", 2, 1, rgba),
                     PixelFormat::A8R8G8B8, 2, 1, rgba});
    cases.push_back({"RGBA8 common: red and blue exchanged", image("RGBA8", 2, 1, rgba, "common"),
                     PixelFormat::A8R8G8B8, 2, 1, {3, 2, 1, 4, 7, 6, 5, 8}});
    cases.push_back({"RGBX8 ios", image("RGBX8", 1, 1, {10, 20, 30, 0}, "ios"), PixelFormat::A8R8G8B8, 1, 1,
                     {30, 20, 10, 0}});
    cases.push_back({"RGBA4444 and: nibbles to A4R4G4B4", image("RGBA4444", 2, 1, le16({0x1234, 0xF00F}), "and"),
                     PixelFormat::A4R4G4B4, 2, 1, le16({0x4123, 0xFF00})});
    cases.push_back({"RGBA5551 common: to A1R5G5B5", image("RGBA5551", 2, 1, le16({0xF801, 0x07C0}), "common"),
                     PixelFormat::A1R5G5B5, 2, 1, le16({0xFC00, 0x03E0})});
    cases.push_back({"RGBA5650 osx: rows copied", image("RGBA5650", 2, 1, le16({0xF800, 0x07E0}), "osx"),
                     PixelFormat::R5G6B5, 2, 1, le16({0xF800, 0x07E0})});
    cases.push_back({"L8 common", image("L8", 4, 1, {9, 8, 7, 6}, "common"), PixelFormat::L8, 4, 1, {9, 8, 7, 6}});
    cases.push_back({"A8 win", image("A8", 2, 1, {1, 255}, "win"), PixelFormat::A8, 2, 1, {1, 255}});
    cases.push_back({"A8L8 x360", image("A8L8", 2, 1, {1, 2, 3, 4}, "x360"), PixelFormat::A8L8, 2, 1, {1, 2, 3, 4}});
    const Bytes dxt1{0x00, 0xF8, 0x1F, 0x00, 0x11, 0x22, 0x33, 0x44};
    cases.push_back({"DXT1 common: blocks copied", image("DXT1", 4, 4, dxt1, "common"), PixelFormat::DXT1, 4, 4, dxt1});
    const Bytes dxt5 = repeat({0xA5}, 16);
    cases.push_back({"DXT5 win", image("DXT5", 4, 4, dxt5, "win"), PixelFormat::DXT5, 4, 4, dxt5});
    cases.push_back({"DXT3 and", image("DXT3", 4, 4, dxt5, "and"), PixelFormat::DXT3, 4, 4, dxt5});
    cases.push_back({"RGBA8 x360: bytes reversed", image("RGBA8", 1, 1, {1, 2, 3, 4}, "x360"), PixelFormat::A8R8G8B8,
                     1, 1, {4, 3, 2, 1}});
    cases.push_back({"RGBX8 ps3: bytes reversed", image("RGBX8", 1, 1, {1, 2, 3, 4}, "ps3"), PixelFormat::A8R8G8B8,
                     1, 1, {4, 3, 2, 1}});
    cases.push_back({"RGBA8 revo: one tile", image("RGBA8", 4, 4, rgba8Tile(), "revo"), PixelFormat::A8R8G8B8, 4, 4,
                     rgba8TileExpected()});
    {
        // Big-endian: opaque white, A3 R10 G11 B12, and opaque black.
        Bytes tile{0xFF, 0xFF, 0x3A, 0xBC};
        for (int i = 2; i < 16; ++i) tile.insert(tile.end(), {0x80, 0x00});
        Bytes expected{255, 255, 255, 255, 204, 187, 170, 109};
        for (int i = 2; i < 16; ++i) expected.insert(expected.end(), {0, 0, 0, 255});
        cases.push_back({"RGB5A3 revo", image("RGB5A3", 4, 4, tile, "revo"), PixelFormat::A8R8G8B8, 4, 4, expected});
    }
    const Bytes blackWhite = repeat({0, 0, 0, 255, 255, 255, 255, 255}, 16);
    {
        psbwriter::Object ci8 = image("CI8", 8, 4, repeat({0, 1}, 16), "revo");
        ci8["pal"] = resource({0x80, 0x00, 0xFF, 0xFF});
        cases.push_back({"CI8 revo: one 8 x 4 tile", ci8, PixelFormat::A8R8G8B8, 8, 4, blackWhite});
        psbwriter::Object ci4 = image("CI4", 8, 8, repeat({0x01}, 32), "revo");
        ci4["pal"] = resource({0x80, 0x00, 0xFF, 0xFF});
        cases.push_back({"CI4 revo: one 8 x 8 tile, high nibble first", ci4, PixelFormat::A8R8G8B8, 8, 8,
                         repeat(blackWhite, 2)});
        psbwriter::Object win = image("CI8", 2, 1, {1, 0}, "win");
        win["pal"] = resource({1, 2, 3, 4, 5, 6, 7, 8});
        cases.push_back({"CI8 win: palette in the device's order", win, PixelFormat::A8R8G8B8, 2, 1,
                         {5, 6, 7, 8, 1, 2, 3, 4}});
    }
    {
        Bytes plain, expected;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                plain.insert(plain.end(), {uint8_t(x), uint8_t(y), uint8_t(x + y), 255});
                expected.insert(expected.end(), {uint8_t(x + y), uint8_t(y), uint8_t(x), 255});
            }
        cases.push_back({"RGBA8 psp: swizzled blocks", image("RGBA8", 8, 8, swizzle(plain, 32, 8), "psp"),
                         PixelFormat::A8R8G8B8, 8, 8, expected});
        psbwriter::Object ci8 = image("CI8", 16, 8, swizzle(repeat({0, 1}, 64), 16, 8), "psp");
        ci8["pal"] = resource({10, 20, 30, 40, 50, 60, 70, 80});
        cases.push_back({"CI8 psp: swizzled indices, palette R, G, B, A", ci8, PixelFormat::A8R8G8B8, 16, 8,
                         repeat({30, 20, 10, 40, 70, 60, 50, 80}, 64)});
    }
    {
        psbwriter::Object ast = image("RGBA8", 4, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, "common");
        ast["ast"] = true;
        cases.push_back({"RGBA8 common with its alpha in the right half", ast, PixelFormat::A8R8G8B8, 4, 1,
                         {3, 2, 1, 10, 7, 6, 5, 14, 11, 10, 9, 12, 15, 14, 13, 16}});
    }
    {
        const Bytes block{0x12, 0x34, 0x56, 0x02, 0xAB, 0xCD, 0x0F, 0xF0};
        std::vector<uint32_t> whole(16);
        decodeETC1(block.data(), 4, 4, whole.data());
        cases.push_back({"ETC1 2 x 2 through a 4 x 4 block", image("ETC1", 2, 2, block, "common"),
                         PixelFormat::A8R8G8B8, 2, 2, wordsToBytes({whole[0], whole[1], whole[4], whole[5]})});
    }
    for (const char* type : {"PVRTC_4BPP", "PVRTC_2BPP"}) {
        const bool twoBit = std::string(type) == "PVRTC_2BPP";
        const int w = twoBit ? 16 : 8;
        Bytes data(32);
        for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 37 + 11);
        Bytes expected(size_t(w) * 8 * 4);
        decodePVRTC(data.data(), twoBit ? 1 : 0, w, 8, expected.data());
        swapRedBlue(expected.data(), expected.data(), size_t(w) * 8);
        cases.push_back({type, image(type, w, 8, data, "ios"), PixelFormat::A8R8G8B8, w, 8, expected});
    }
    return cases;
}

TEST_F(PSBTextureTest, EveryTypeAndLayoutReachesTheDeviceTexelByTexel) {
    for (const TypeCase& c : typeCases()) {
        auto doc = psbimage::document(c.image);
        MPSBTexture texture;
        ASSERT_TRUE(loadPSBTexture(*win, texture, doc->root())) << c.name << ": " << trace;
        ASSERT_NE(texture.texture, nullptr) << c.name;
        EXPECT_EQ(texture.texture->format, c.format) << c.name;
        EXPECT_EQ(texture.width, c.width) << c.name;
        EXPECT_EQ(texture.height, c.height) << c.name;
        EXPECT_EQ(levelBytes(texture.texture, 0), c.expected) << c.name;
    }
    EXPECT_EQ(trace, "");
    EXPECT_EQ(device->liveTextures(), baseTextures);
    EXPECT_EQ(sharedTextureEntryCount(), 0u);
}

TEST_F(PSBTextureTest, RowsThatAreNotAPowerOfTwoWideAreNotSheared) {
    const Bytes rows{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    Bytes swapped = rows;
    swapRedBlue(swapped.data(), swapped.data(), 6);
    for (const char* spec : {"win", "common"}) {
        auto doc = psbimage::document(image("RGBA8", 3, 2, rows, spec));
        MPSBTexture texture;
        ASSERT_TRUE(loadPSBTexture(*win, texture, doc->root())) << spec;
        EXPECT_EQ(levelBytes(texture.texture, 0), std::string(spec) == "win" ? rows : swapped) << spec;
    }
}

TEST_F(PSBTextureTest, MipLevelsComeFromTheMipMapList) {
    for (const char* spec : {"win", "common"}) {
        psbwriter::Object o = image("RGBA8", 4, 4, repeat({1, 2, 3, 4}, 16), spec);
        o["mipMapLevel"] = 3;
        o["mipMap"] = psbwriter::List{image("RGBA8", 2, 2, repeat({5, 6, 7, 8}, 4)),
                                      image("RGBA8", 1, 1, {9, 10, 11, 12}), image("RGBA8", 1, 1, {0, 0, 0, 0})};
        auto doc = psbimage::document(o);
        MPSBTexture texture;
        ASSERT_TRUE(loadPSBTexture(*win, texture, doc->root())) << spec;
        EXPECT_EQ(texture.mipLevels, 3);
        ASSERT_EQ(texture.texture->texture->desc().levels, 3);
        const bool swap = std::string(spec) == "common";
        EXPECT_EQ(levelBytes(texture.texture, 0), repeat(swap ? Bytes{3, 2, 1, 4} : Bytes{1, 2, 3, 4}, 16)) << spec;
        EXPECT_EQ(levelBytes(texture.texture, 1), repeat(swap ? Bytes{7, 6, 5, 8} : Bytes{5, 6, 7, 8}, 4)) << spec;
        EXPECT_EQ(levelBytes(texture.texture, 2), (swap ? Bytes{11, 10, 9, 12} : Bytes{9, 10, 11, 12})) << spec;
    }
}

TEST_F(PSBTextureTest, TruncatedSizesServeOnlyADeviceThatTakesAnySize) {
    psbwriter::Object o = image("RGBA8", 4, 2, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4,
                                                5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7, 8, 8, 8, 8});
    o["truncated_width"] = 3;
    o["truncated_height"] = 1;
    auto doc = psbimage::document(o);
    {
        MPSBTexture texture;
        ASSERT_TRUE(loadPSBTexture(*win, texture, doc->root()));
        EXPECT_EQ(texture.width, 4);
        EXPECT_EQ(texture.height, 2);
    }
    win.reset();
    factory.caps.powerOfTwoTexturesOnly = false;
    win = std::make_unique<MWinD3DWin>(factory, nullptr, false, 0, 0);
    ASSERT_TRUE(win->initialize());
    device = factory.last;
    MPSBTexture texture;
    ASSERT_TRUE(loadPSBTexture(*win, texture, doc->root()));
    EXPECT_EQ(texture.width, 3);
    EXPECT_EQ(texture.height, 1);
    EXPECT_EQ(texture.storedWidth, 4);
    EXPECT_EQ(texture.storedHeight, 2);
    EXPECT_EQ(levelBytes(texture.texture, 0), (Bytes{1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3}));
}

TEST_F(PSBTextureTest, ADamagedImageGivesNoTextureAndATraceLine) {
    struct Case {
        const char* name;
        psbwriter::Object image;
    };
    psbwriter::Object noMipMap = image("RGBA8", 2, 2, Bytes(16), "win");
    noMipMap["mipMapLevel"] = 2;
    psbwriter::Object tooManyLevels = image("RGBA8", 2, 2, Bytes(16), "win");
    tooManyLevels["mipMapLevel"] = 3;
    tooManyLevels["mipMap"] = psbwriter::List{image("RGBA8", 1, 1, Bytes(4)), image("RGBA8", 1, 1, Bytes(4))};
    psbwriter::Object shortMip = image("RGBA8", 2, 2, Bytes(16), "win");
    shortMip["mipMapLevel"] = 2;
    shortMip["mipMap"] = psbwriter::List{image("RGBA8", 1, 1, Bytes(3))};
    psbwriter::Object pastPalette = image("CI8", 8, 4, Bytes(32, 1), "revo");
    pastPalette["pal"] = resource({0x80, 0x00});
    psbwriter::Object widthText = image("RGBA8", 1, 1, Bytes(4), "win");
    widthText["width"] = "one";
    psbwriter::Object pixelNumber = image("RGBA8", 1, 1, Bytes(4), "win");
    pixelNumber["pixel"] = 4;
    psbwriter::Object typeNumber = image("RGBA8", 1, 1, Bytes(4), "win");
    typeNumber["type"] = 21;
    const Case cases[] = {
        {"pixel data shorter than the size, stored as the device takes it", image("RGBA8", 2, 2, Bytes(12), "win")},
        {"pixel data shorter than the size, converted", image("RGBA8", 2, 2, Bytes(12), "common")},
        {"a short 16-bit level", image("RGBA5551", 2, 2, Bytes(6), "common")},
        {"short DXT blocks", image("DXT5", 8, 8, Bytes(48), "win")},
        {"short ETC1 blocks", image("ETC1", 8, 4, Bytes(8), "common")},
        {"short PVRTC data", image("PVRTC_4BPP", 8, 8, Bytes(24), "common")},
        {"short tiles", image("RGBA8", 8, 4, Bytes(64), "revo")},
        {"short swizzled blocks", image("RGBA8", 4, 8, Bytes(64), "psp")},
        {"an unknown pixel type", image("BGR9", 1, 1, Bytes(4), "win")},
        {"a type that is not a text", typeNumber},
        {"a type with no layout under its spec", image("RGBA4444", 1, 1, Bytes(2), "x360")},
        {"an unknown spec", image("RGBA8", 1, 1, Bytes(4), "saturn")},
        {"a width of 0", image("RGBA8", 0, 1, Bytes(4), "win")},
        {"a negative height", image("RGBA8", 1, -4, Bytes(4), "win")},
        {"a width that is a text", widthText},
        {"pixel data that is a number", pixelNumber},
        {"mip levels without a mipMap list", noMipMap},
        {"more mip levels than the size has", tooManyLevels},
        {"a short mip level", shortMip},
        {"a palette index past the palette", pastPalette},
    };
    for (const Case& c : cases) {
        trace.clear();
        auto doc = psbimage::document(c.image);
        MPSBTexture texture;
        EXPECT_FALSE(loadPSBTexture(*win, texture, doc->root())) << c.name;
        EXPECT_EQ(texture.texture, nullptr) << c.name;
        EXPECT_NE(trace.find("image object made no texture: "), std::string::npos) << c.name << ": " << trace;
        EXPECT_EQ(device->liveTextures(), baseTextures) << c.name;
        EXPECT_EQ(sharedTextureEntryCount(), 0u) << c.name;
    }
}

TEST_F(PSBTextureTest, AMissingRequiredKeyIsTheReadersFatalError) {
    psbwriter::Object noPixel = image("RGBA8", 1, 1, Bytes(4), "win");
    noPixel.erase("pixel");
    auto doc = psbimage::document(noPixel);
    ThrowingPSBFatal throwing;
    MPSBTexture texture;
    EXPECT_THROW(loadPSBTexture(*win, texture, doc->root()), PSBFatalError);
    EXPECT_EQ(sharedTextureEntryCount(), 0u);
}

TEST_F(PSBTextureTest, AFailedCreationLeavesNoTextureAndNoEntry) {
    auto doc = psbimage::document(image("RGBA8", 1, 1, Bytes(4), "win"));
    device->failCreations(1);
    MPSBTexture texture;
    EXPECT_FALSE(loadPSBTexture(*win, texture, doc->root()));
    EXPECT_EQ(texture.texture, nullptr);
    EXPECT_EQ(sharedTextureEntryCount(), 0u);
}

TEST_F(PSBTextureTest, OneImageOfOneDocumentIsOneTextureUntilItsLastRelease) {
    psbwriter::Object root{{"a", image("RGBA8", 1, 1, {1, 2, 3, 4}, "win")},
                           {"b", image("RGBA8", 1, 1, {5, 6, 7, 8}, "win")}};
    auto doc = psbimage::document(root);
    auto first = std::make_unique<MPSBTexture>();
    auto second = std::make_unique<MPSBTexture>();
    MPSBTexture other, own;
    ASSERT_TRUE(loadPSBTexture(*win, *first, doc->root().get("a")));
    ASSERT_TRUE(loadPSBTexture(*win, *second, doc->root().get("a")));
    ASSERT_TRUE(loadPSBTexture(*win, other, doc->root().get("b")));
    ASSERT_TRUE(loadPSBTexture(*win, own, doc->root().get("a"), false));
    EXPECT_EQ(first->texture, second->texture);
    EXPECT_NE(other.texture, first->texture);
    EXPECT_NE(own.texture, first->texture);
    EXPECT_EQ(sharedTextureReferences(first->texture), 2);
    EXPECT_EQ(sharedTextureReferences(own.texture), 0);
    EXPECT_EQ(sharedTextureEntryCount(), 2u);
    EXPECT_EQ(device->liveTextures(), baseTextures + 3);

    MWinD3DTexture* shared = first->texture;
    first.reset();
    EXPECT_EQ(sharedTextureReferences(shared), 1);
    EXPECT_EQ(device->liveTextures(), baseTextures + 3);
    second.reset();
    EXPECT_EQ(sharedTextureReferences(shared), 0);
    EXPECT_EQ(device->liveTextures(), baseTextures + 2);
    own.release();
    other.release();
    EXPECT_EQ(device->liveTextures(), baseTextures);
    EXPECT_EQ(sharedTextureEntryCount(), 0u);

    // A texture the table doesn't hold is left alone.
    MWinD3DTexture* loose = win->createTexture(1, 1, PixelFormat::A8, false, 1);
    releaseSharedTexture(loose);
    EXPECT_EQ(device->liveTextures(), baseTextures + 1);
}

TEST_F(PSBTextureTest, WithoutADisplayNothingIsMade) {
    auto doc = psbimage::document(image("RGBA8", 1, 1, Bytes(4), "win"));
    MPSBTexture texture;
    EXPECT_FALSE(loadPSBTexture(texture, doc->root()));
    EXPECT_EQ(texture.texture, nullptr);
    EXPECT_EQ(texture.document, doc.get());
}

}  // namespace
