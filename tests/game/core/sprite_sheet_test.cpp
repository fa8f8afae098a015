// Sprite sheets on the recording display: PNG files become power-of-two
// textures with the image at the top left, refusals leave the slot empty,
// and the sprite quad's corners, flips and colour.
#include "game/core/sprite_sheet.h"

#include <gtest/gtest.h>
#include <png.h>

#include <utility>

#include "engine/render/camera_2d.h"
#include "engine/render/raw_tex.h"
#include "engine/render/win_d3d_win.h"
#include "game/records/paths.h"
#include "tests/engine/ui/recording_display_fixture.h"
#include "tests/game/core/png_fixture.h"
#include "tests/game/core/sprite_target_recorder.h"
#include "tests/game/working_folder.h"

namespace {

class SpriteSheetTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        setResourceFolders({folder.str() + "/"});
    }
    void TearDown() override {
        for (int slot = 0; slot < kSpriteSheetSlots; ++slot) SDL2_wheel_TextureRelease(slot);
        setResourceFolders({});
        RecordingDisplayTest::TearDown();
    }
    void writePng(const std::string& name, const std::vector<uint8_t>& png) {
        folder.write(name, std::string(png.begin(), png.end()));
    }

    WorkingFolder working;
    const TempDir& folder = working.dir();
    SpriteTargetRecorder recorder;
};

TEST_F(SpriteSheetTest, A100By60ImageBecomesA128By64TextureWithTheImageTopLeft) {
    writePng("sheet.png", makePng(100, 60, PNG_COLOR_TYPE_RGB));
    SDL2_wheel_TextureLoad(5, "sheet.png");
    MRawTex* sheet = SDL2_wheel_TextureGet(5);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(sheet->getTexture(), nullptr);
    EXPECT_EQ(sheet->getTexture()->width, 128);
    EXPECT_EQ(sheet->getTexture()->height, 64);
    EXPECT_EQ(sheet->getSize().width, 100.0f);
    EXPECT_EQ(sheet->getSize().height, 60.0f);
    EXPECT_EQ(sheet->getPixels(), nullptr);  // the texture holds the only copy
    EXPECT_EQ(sheet->getBufferSize(), 0u);
    platform::LockedRect locked;
    ASSERT_TRUE(device->lockTexture(sheet->getTexture()->texture, 0, nullptr, false, locked));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; ++x) {
            const uint8_t* p = locked.bits + y * locked.pitch + x * 4;
            const uint32_t bgra = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
            uint32_t expected = 0;
            if (x < 100 && y < 60) {
                const uint32_t rgba = fixturePixel(x, y);
                expected = (rgba >> 8 & 0xFF) << 24 | (rgba >> 16 & 0xFF) << 16 | (rgba >> 24) << 8 | 0xFF;
            }
            ASSERT_EQ(bgra, expected) << x << "," << y;
        }
    }
    device->unlockTexture(sheet->getTexture()->texture, 0);
    EXPECT_TRUE(working.logLines().empty());
}

TEST(RawTexTest, OnlyThePaddingIsClearedForTheCaller) {
    for (const auto& [w, h] : {std::pair{3, 5}, std::pair{4, 4}, std::pair{1, 9}, std::pair{17, 2}}) {
        MRawTex sheet(w, h);
        ASSERT_EQ(sheet.getBufferSize(), size_t(sheet.getPitch()) * size_t(sheet.getBufferHeight()));
        const uint8_t* pixels = sheet.getPixels();
        for (int y = 0; y < sheet.getBufferHeight(); ++y) {
            for (int x = y < h ? w : 0; x < sheet.getBufferWidth(); ++x) {
                const uint8_t* p = pixels + size_t(y) * size_t(sheet.getPitch()) + size_t(x) * 4;
                ASSERT_EQ(p[0] | p[1] | p[2] | p[3], 0) << w << "x" << h << " at " << x << "," << y;
            }
        }
        sheet.releasePixels();
        EXPECT_EQ(sheet.getPixels(), nullptr);
        EXPECT_EQ(sheet.getBufferSize(), 0u);
    }
}

TEST_F(SpriteSheetTest, RefusedImagesLeaveTheSlotEmptyAndMakeNoTexture) {
    writePng("palette.png", makePng(8, 8, PNG_COLOR_TYPE_PALETTE));
    auto truncated = makePng(32, 32, PNG_COLOR_TYPE_RGBA);
    truncated.resize(truncated.size() - 30);
    writePng("short.png", truncated);
    writePng("good.png", makePng(4, 4, PNG_COLOR_TYPE_RGBA));
    const int texturesBefore = device->liveTextures();
    for (const char* name : {"palette.png", "short.png", "missing.png"}) {
        SDL2_wheel_TextureLoad(7, "good.png");
        ASSERT_NE(SDL2_wheel_TextureGet(7), nullptr);
        MRawTex* old = SDL2_wheel_TextureGet(7);
        working.clearLog();
        SDL2_wheel_TextureLoad(7, name);
        EXPECT_EQ(SDL2_wheel_TextureGet(7), nullptr) << name;
        EXPECT_EQ(device->liveTextures(), texturesBefore) << name;
        EXPECT_FALSE(working.logLines().empty()) << name;
        EXPECT_EQ(SpriteTargetRecorder::detached().back(), old);
    }
    EXPECT_EQ(working.logLines(),
              std::vector<std::string>{"SDL2_wheel_FileGetSize Not Find File = " + folder.str() + "/missing.png"});
}

TEST(SpriteQuadTest, CornersFlipsAndTurns) {
    const WheelRect source{8, 16, 4, 2};
    const MQuadBatch::Quad plain = spriteQuad(source, {10.6f, 20.0f, 5, 4}, 0, 0);
    EXPECT_EQ(plain.sourceX, 8);
    EXPECT_EQ(plain.sourceY, 16);
    EXPECT_EQ(plain.sourceWidth, 4);
    EXPECT_EQ(plain.sourceHeight, 2);
    // Centre (13.1, 22) truncated to (13, 22), half size (2.5, 2).
    const float tl[2] = {10.5f, 20}, tr[2] = {15.5f, 20}, br[2] = {15.5f, 24}, bl[2] = {10.5f, 24};
    const float* expected[3][4] = {{tl, tr, br, bl}, {tr, tl, bl, br}, {bl, br, tr, tl}};
    for (int flip = 0; flip < 4; ++flip) {
        const MQuadBatch::Quad q = spriteQuad(source, {10.6f, 20.0f, 5, 4}, flip, 0);
        for (int c = 0; c < 4; ++c) {
            EXPECT_FLOAT_EQ(q.corners[c].x, expected[flip == 3 ? 0 : flip][c][0]) << flip << " " << c;
            EXPECT_FLOAT_EQ(q.corners[c].y, expected[flip == 3 ? 0 : flip][c][1]) << flip << " " << c;
        }
    }
    // A quarter turn clockwise on screen: the top-left corner goes to the top right.
    const MQuadBatch::Quad turned = spriteQuad(source, {0, 0, 4, 2}, 0, 90.0f);
    EXPECT_NEAR(turned.corners[0].x, 3.0f, 1e-5);
    EXPECT_NEAR(turned.corners[0].y, -1.0f, 1e-5);
}

TEST(SpriteQuadTest, DrawsCarryTheSheetsColourAndModeAndSkipEmptySlots) {
    SpriteTargetRecorder recorder;
    auto* sheet = new MRawTex(16, 16);  // no display: a sheet without a texture is still drawn from
    SDL2_wheel_TextureSet(9, sheet);
    SDL2_wheel_TextureSetColor(sheet, 0x12, 0x34, 0x56);
    sheet->setAlpha(0x80);
    sheet->setDrawMode(3);
    SDL2_wheel_TextureDrawSlot(9, {0, 0, 4, 4}, {0, 0, 4, 4});
    SDL2_wheel_TextureDrawSlot(10, {0, 0, 4, 4}, {0, 0, 4, 4});
    SDL2_wheel_TextureDrawSlot(-1, {0, 0, 4, 4}, {0, 0, 4, 4});
    ASSERT_EQ(recorder.quads().size(), 1u);
    EXPECT_EQ(recorder.quads()[0].sheet, sheet);
    EXPECT_EQ(recorder.quads()[0].mode, 3);
    for (const auto& corner : recorder.quads()[0].quad.corners) EXPECT_EQ(corner.colour, 0x80123456u);
    SDL2_wheel_TextureRelease(9);
    EXPECT_EQ(recorder.detached(), std::vector<MRawTex*>{sheet});
}

}  // namespace

namespace {

M2DCameraLocator* screenLayers() {
    static auto* layers = new M2DCameraLocator[1200];
    return layers;
}

MRawTex* screenView() {
    static auto* view = new MRawTex(224, 288);
    return view;
}

TEST(ScreenInitTest, LayersStandAndPivotAtTheirScreensCentreAndTheSlotsEmpty) {
    static const SpriteTarget target{
        [](int layer) { return &screenLayers()[layer]; }, []() -> MView* { return screenView(); },
        [](int) {}, [](MRawTex*, MDrawMode, const MQuadBatch::Quad&) {}, [](MRawTex*) {},
    };
    setSpriteTarget(&target);
    screenLayers()[500].positionX = 9;
    auto* sheet = new MRawTex(4, 4);
    SDL2_wheel_TextureSet(12, sheet);
    SDL2_wheel_ScreenInit(1920, 1080, 224, 288);
    setSpriteTarget(nullptr);
    delete sheet;  // the slots forget their sheets without deleting them
    struct Case {
        int layer;
        float pivotX, pivotY;
    };
    const Case cases[] = {{0, 960, 540}, {1, 112, 144}, {500, 112, 144}, {998, 112, 144},
                          {999, 960, 540}, {1098, 960, 540}, {1099, 0, 0}, {1199, 0, 0}};
    for (const Case& c : cases) {
        const M2DCameraLocator& locator = screenLayers()[c.layer];
        EXPECT_EQ(locator.pivotX, c.pivotX) << c.layer;
        EXPECT_EQ(locator.pivotY, c.pivotY) << c.layer;
        EXPECT_EQ(locator.positionX, c.pivotX) << c.layer;
        EXPECT_EQ(locator.positionY, c.pivotY) << c.layer;
    }
    EXPECT_EQ(screenView()->getPosition().x, -112.0f);
    EXPECT_EQ(screenView()->getPosition().y, -144.0f);
    EXPECT_EQ(SDL2_wheel_TextureGet(12), nullptr);
    EXPECT_TRUE(SDL2_wheel_ScreenIsBuilt());
}

}  // namespace
