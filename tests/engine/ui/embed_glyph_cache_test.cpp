// The system font's glyph cells, written into a texture of the recording
// device (whose locks work on CPU buffers) and read back.
#include "engine/ui/embed_glyph_cache.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/device/recording/recording_device.h"

namespace {

using platform::GlyphBitmap;

// Every glyph is a solid box of the given size and origin.
class BoxRasterizer final : public platform::GlyphRasterizer {
public:
    BoxRasterizer(int32_t width, int32_t height, int32_t originX, int32_t originY)
        : width(width), height(height), originX(originX), originY(originY) {}
    int32_t ascent() const override { return 24; }
    bool render(char32_t, GlyphBitmap& out) override {
        out.width = width;
        out.height = height;
        out.originX = originX;
        out.originY = originY;
        out.pitch = (width + 31) / 32 * 4;
        out.bits.assign(size_t(out.pitch) * height, 0xFF);
        return true;
    }
    int32_t width, height, originX, originY;
};

class EmbedGlyphCacheTest : public testing::Test {
protected:
    void SetUp() override {
        texture.width = texture.height = MEmbedGlyphCache::kTextureSize;
        texture.format = platform::PixelFormat::A8R8G8B8;
        texture.isDynamic = true;
        texture.texture = device.createTexture(
            {texture.width, texture.height, 1, platform::PixelFormat::A8R8G8B8, platform::TextureUsage::Dynamic});
    }
    uint32_t texel(int x, int y) {
        platform::LockedRect locked;
        EXPECT_TRUE(device.lockTexture(texture.texture, 0, nullptr, false, locked));
        uint32_t value = 0;
        std::memcpy(&value, locked.bits + size_t(y) * locked.pitch + size_t(x) * 4, 4);
        device.unlockTexture(texture.texture, 0);
        return value;
    }

    platform::RecordingDevice device;
    MWinD3DTexture texture;
};

TEST_F(EmbedGlyphCacheTest, AsciiAndJapaneseGlyphsFromFreeTypeLandInTheirCells) {
    const int32_t height = 28;
    MEmbedGlyphCache cache(platform::GlyphRasterizer::open(platform::findEmbedFontPath(""), height), height);
    auto reference = platform::GlyphRasterizer::open(platform::findEmbedFontPath(""), height);
    ASSERT_TRUE(reference);
    const char32_t text[] = U"ABCDEFGHIJKLMNOPQR\u3042";  // 18 fill the first row
    for (char32_t code : std::u32string_view(text)) ASSERT_TRUE(cache.renderGlyph(code, device, &texture));
    EXPECT_EQ(cache.nextFreeCell(), 19u);
    EXPECT_EQ(cache.find(U'A')->y, 0);
    EXPECT_EQ(cache.find(U'R')->y, 0);

    for (char32_t code : {U'A', U'\u3042'}) {
        GlyphBitmap bitmap;
        ASSERT_TRUE(reference->render(code, bitmap));
        const MEmbedGlyphCell* cell = cache.find(code);
        ASSERT_TRUE(cell);
        const int32_t cellLeft = 0;  // cells 0 and 18 both start a row
        const int32_t cellTop = code == U'A' ? 0 : 28;
        EXPECT_EQ(cell->y, cellTop);
        EXPECT_EQ(cell->x, cellLeft + bitmap.originX);
        EXPECT_EQ(cell->width, bitmap.width);
        EXPECT_EQ(cell->height, bitmap.height);
        const int32_t top = cellTop + reference->ascent() - bitmap.originY;
        for (int r = 0; r < bitmap.height; ++r)
            for (int c = 0; c < bitmap.width; ++c)
                ASSERT_EQ(texel(cell->x + c, top + r), bitmap.isSet(r, c) ? 0xFFFFFFFFu : 0x00FFFFFFu)
                    << uint32_t(code) << " " << r << " " << c;
    }
}

TEST_F(EmbedGlyphCacheTest, ATallWideGlyphIsClippedToItsCell) {
    // 40 x 40 from 3 left of the cell and 5 above its top: it overhangs every side.
    MEmbedGlyphCache cache(std::make_unique<BoxRasterizer>(40, 40, -3, 29), 28);
    ASSERT_TRUE(cache.renderGlyph(U'a', device, &texture));  // cell 0
    ASSERT_TRUE(cache.renderGlyph(U'b', device, &texture));  // cell 1, at x 28
    const MEmbedGlyphCell* cell = cache.find(U'b');
    EXPECT_EQ(cell->x, 28);
    EXPECT_EQ(cell->width, 28);
    for (int y = 0; y < 28; ++y) {
        EXPECT_EQ(texel(28, y), 0xFFFFFFFFu) << y;
        EXPECT_EQ(texel(55, y), 0xFFFFFFFFu) << y;
        EXPECT_EQ(texel(56, y), 0u) << y;  // cell 2 untouched
    }
    for (int x = 0; x < 56; ++x) EXPECT_EQ(texel(x, 28), 0u) << x;  // the row below untouched
}

TEST_F(EmbedGlyphCacheTest, TheLastCellsStayInsideTheTextureAndCell324IsRefused) {
    MEmbedGlyphCache cache(std::make_unique<BoxRasterizer>(40, 40, 0, 24), 28);
    for (uint32_t i = 0; i < MEmbedGlyphCache::kCellCount; ++i)
        ASSERT_TRUE(cache.renderGlyph(char32_t(0x100 + i), device, &texture)) << i;
    const MEmbedGlyphCell* last = cache.find(char32_t(0x100 + 323));
    EXPECT_EQ(last->x, 17 * 28);
    EXPECT_EQ(last->y, 17 * 28);
    EXPECT_EQ(last->width, 28);
    EXPECT_EQ(texel(503, 503), 0xFFFFFFFFu);
    EXPECT_EQ(texel(504, 503), 0u);
    EXPECT_EQ(texel(503, 504), 0u);

    EXPECT_FALSE(cache.renderGlyph(U'z', device, &texture));
    EXPECT_EQ(cache.find(U'z'), nullptr);
    EXPECT_EQ(cache.nextFreeCell(), MEmbedGlyphCache::kCellCount);
}

TEST_F(EmbedGlyphCacheTest, MeasuringStoresNothingAndAFailedLockIsTriedAgain) {
    MEmbedGlyphCache cache(std::make_unique<BoxRasterizer>(12, 20, 1, 20), 28);
    int32_t width = 0;
    ASSERT_TRUE(cache.measureWidth(U'q', width));
    EXPECT_EQ(width, 12);
    EXPECT_EQ(cache.nextFreeCell(), 0u);

    MWinD3DTexture missing;
    EXPECT_FALSE(cache.renderGlyph(U'q', device, &missing));
    EXPECT_EQ(cache.nextFreeCell(), 0u);
    EXPECT_TRUE(cache.renderGlyph(U'q', device, &texture));
    EXPECT_TRUE(cache.renderGlyph(U'q', device, &texture));
    EXPECT_EQ(cache.nextFreeCell(), 1u);
}

TEST_F(EmbedGlyphCacheTest, WithoutAFontNothingIsMade) {
    MEmbedGlyphCache cache(nullptr, 28);
    int32_t width = 0;
    EXPECT_FALSE(cache.measureWidth(U'A', width));
    EXPECT_FALSE(cache.renderGlyph(U'A', device, &texture));
}

}  // namespace
