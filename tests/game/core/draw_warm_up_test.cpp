// The draw warm-up on the recording display: the states of the base sheets
// and the fonts' source images are drawn with no area, a few a frame, into
// the target play draws them in, and nothing more once all are drawn.
#include "game/core/draw_warm_up.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <tuple>

#include "engine/render/d3d_vertex.h"
#include "engine/render/raw_tex.h"
#include "engine/render/virtual_screen_driver.h"
#include "engine/ui/psb_font.h"
#include "game/core/sprite_draw_task.h"
#include "game/core/sprite_frame_table.h"
#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"
#include "tests/engine/data/psb_document.h"
#include "tests/engine/ui/recording_display_fixture.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

constexpr int kFontSlot = 3, kBootSlot = 5, kBackdropSlot = 7, kFighterSlot = 10;

// A font of two 4 x 2 source images, one glyph each.
std::unique_ptr<PSBObject> fontDocument() {
    using psbwriter::Object;
    const std::vector<uint8_t> pixels(4 * 2 * 4, 0xFF);
    Object image{{"width", 4}, {"height", 2}, {"type", "RGBA8"}, {"pixel", psbwriter::Resource{pixels, false}}};
    Object glyph{{"id", 0},   {"x", 0.0f}, {"y", 0.0f}, {"width", 3.0f}, {"height", 4.0f},
                 {"w", 2.0f}, {"h", 2.0f}, {"a", 2.0f}, {"b", 0.0f},     {"d", 0.0f}};
    Object root{{"maxWidth", 5.0f}, {"maxHeight", 6.0f}};
    root["code"] = Object{{"A", glyph}};
    root["source"] = psbwriter::List{image, image};
    return loadDocument(psbwriter::writePsb(root));
}

class DrawWarmUpTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        OBJsetFrameTable(spriteFrameTable);
        SDL2_wheel_TextureSet(kFontSlot, new MRawTex(100, 40));
        SDL2_wheel_TextureSet(kBootSlot, new MRawTex(224, 288));
        SDL2_wheel_TextureSet(kBackdropSlot, new MRawTex(1922, 1082));
        SDL2_wheel_TextureSet(kFighterSlot, new MRawTex(64, 64));
        // Filtered differently, so it needs code of its own.
        SDL2_wheel_TextureGet(kFighterSlot)->getTexture()->minFilter = 1;
        driver = std::make_unique<MVirtualScreenDriver>(new SpriteDrawTask, 224, 288);
        device->clearRecord();
    }
    void TearDown() override {
        driver.reset();
        for (int slot = 0; slot < kSpriteSheetSlots; ++slot) SDL2_wheel_TextureRelease(slot);
        OBJsetFrameTable({});
        RecordingDisplayTest::TearDown();
    }

    platform::Surface* virtualTarget() const { return driver->getTarget()->surface; }
    platform::Surface* screenTarget() const { return display->d3dWin()->captureTexture()->surface; }
    platform::Texture* sheet(int slot) const { return SDL2_wheel_TextureGet(slot)->getTexture()->texture; }

    std::unique_ptr<MVirtualScreenDriver> driver;
};

bool noArea(const platform::RecordingDevice::Draw& draw) {
    D3DColouredVertex first{}, v{};
    std::memcpy(&first, draw.vertices.data(), sizeof first);
    for (size_t at = 0; at + sizeof v <= draw.vertices.size(); at += sizeof v) {
        std::memcpy(&v, draw.vertices.data() + at, sizeof v);
        if (v.x != first.x || v.y != first.y) return false;
    }
    return true;
}

TEST_F(DrawWarmUpTest, ListsEachCodeClassOfTheSheetsOnceAndTheBackdropOnTheScreen) {
    DrawWarmUp warm;
    drawWarmListSheets(warm);
    std::vector<std::tuple<int, MDrawMode, bool>> got;
    for (const DrawWarmEntry& e : warm.entries) got.emplace_back(e.slot, e.mode, e.onScreen);
    const std::vector<std::tuple<int, MDrawMode, bool>> expected{
        {kFontSlot, 0, false}, {kFontSlot, 1, false},  {kFighterSlot, 0, false},
        {kFighterSlot, 1, false}, {kBackdropSlot, 0, true},
    };
    EXPECT_EQ(got, expected);
}

TEST_F(DrawWarmUpTest, DrawsTheStatesWithNoAreaAFewAFrameIntoTheirTargetsThenStops) {
    DrawWarmUp warm;
    std::set<std::tuple<platform::Texture*, platform::Surface*>> drawn;
    size_t seen = 0;
    int frames = 0;
    for (; frames < 10; ++frames) {
        warmDrawStatesAhead(warm, driver.get());
        const auto& draws = device->draws();
        ASSERT_LE(draws.size() - seen, size_t(kDrawStatesWarmedPerFrame)) << frames;
        if (draws.size() == seen) break;
        for (; seen < draws.size(); ++seen) {
            EXPECT_TRUE(noArea(draws[seen])) << seen;
            drawn.emplace(draws[seen].textures[0], draws[seen].target);
        }
    }
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(seen, 5u);
    const std::set<std::tuple<platform::Texture*, platform::Surface*>> expected{
        {sheet(kFontSlot), virtualTarget()},
        {sheet(kFighterSlot), virtualTarget()},
        {sheet(kBackdropSlot), screenTarget()},
    };
    EXPECT_EQ(drawn, expected);
    for (int more = 0; more < 3; ++more) warmDrawStatesAhead(warm, driver.get());
    EXPECT_EQ(device->draws().size(), 5u);
}

TEST_F(DrawWarmUpTest, PassesOverASheetReleasedBeforeItsTurnAndTheVirtualScreenWithoutADriver) {
    DrawWarmUp warm;
    warmDrawStatesAhead(warm, driver.get());  // the font sheet's two
    ASSERT_EQ(device->draws().size(), 2u);
    SDL2_wheel_TextureRelease(kFighterSlot);
    warmDrawStatesAhead(warm, nullptr);
    ASSERT_EQ(device->draws().size(), 3u);
    EXPECT_EQ(device->draws().back().target, screenTarget());
    EXPECT_EQ(device->draws().back().textures[0], sheet(kBackdropSlot));
    warmDrawStatesAhead(warm, driver.get());
    EXPECT_EQ(device->draws().size(), 3u);
}

// Its two images share their code: one entry, drawn on the screen with the
// filters its glyphs draw with, after the sheets' entries. A font that
// shares the backdrop's code adds nothing.
TEST_F(DrawWarmUpTest, AFontMadeLaterIsWarmedOnTheScreenAfterTheSheets) {
    const auto document = fontDocument();
    MPSBFont font(*document, 1.0f);
    DrawWarmUp sameAsBackdrop;
    drawWarmListSheets(sameAsBackdrop);
    drawWarmListFont(sameAsBackdrop, font);
    EXPECT_EQ(sameAsBackdrop.entries.size(), 5u);
    // Now its sheet has code of its own, on the virtual screen too.
    SDL2_wheel_TextureGet(kBackdropSlot)->getTexture()->addressU = 1;
    DrawWarmUp warm;
    for (int frame = 0; frame < 4; ++frame) warmDrawStatesAhead(warm, driver.get());
    ASSERT_EQ(device->draws().size(), 7u);
    drawWarmListFont(warm, font);
    ASSERT_EQ(warm.entries.size(), 8u);
    warmDrawStatesAhead(warm, driver.get());
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 8u);
    EXPECT_EQ(draws.back().target, screenTarget());
    EXPECT_EQ(draws.back().textures[0], font.sourceTexture(0)->texture);
    EXPECT_EQ(font.sourceTexture(0)->minFilter, 0);
    EXPECT_TRUE(noArea(draws.back()));
    warmDrawStatesAhead(warm, driver.get());
    EXPECT_EQ(device->draws().size(), 8u);
}

}  // namespace
