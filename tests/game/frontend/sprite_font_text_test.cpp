// The sprite-font printer: centring by font, the glyph count, the 257
// characters at most, bytes outside the font left as gaps, and the owner's
// tint.
#include "game/frontend/sprite_font_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/obj_work.h"
#include "game/core/sprite_frames.h"

namespace {

class SpriteFontTextTest : public testing::Test {
protected:
    void SetUp() override {
        frames.resize(3400);
        for (int id = 2800; id < 3400; ++id) frames[size_t(id)] = {4, 0, 0, 16, 16, id, 0, 0, 0, 0, 0};
        OBJsetFrameTable(frames);
        OBJdrawRequestsClear();
        OBJdrawFlush();
        spriteTextGlyphCount = 0;
    }
    void TearDown() override {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        OBJsetFrameTable({});
        spriteTextGlyphCount = 0;
    }
    static std::vector<const DrawObj*> queued() {
        std::vector<const DrawObj*> list;
        for (int i = 0; i < OBJdrawRequestCount(); ++i) list.push_back(OBJdrawStoreEntry(i));
        return list;
    }
    static void print(const char* text, int32_t font, bool centred = true) {
        drawSpriteFontText(text, font, 840.7f, 100.0f, 60.0f, 0.75f, centred, 10, 20, 30, 1, 1.0f, 1.0f);
    }

    std::vector<SpriteFrame> frames;
};

// The pen's x of a queued glyph: its cells are 16 wide with the origin at 0.
float spriteFontTextTestPen(const DrawObj* entry) { return float(entry->dstX + 8); }

TEST_F(SpriteFontTextTest, ThreeCentredCharactersByFont) {
    const struct {
        int32_t font;
        int32_t base;
        float firstX, advance;
    } cases[] = {{0, 2944, 82.0f, 18.0f}, {1, 2834, 82.0f, 18.0f}, {2, 3099, 91.0f, 9.0f},
                 {3, 3204, 91.0f, 9.0f},  {7, 2944, 82.0f, 18.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font);
        OBJdrawRequestsClear();
        OBJdrawFlush();
        print("A!~", c.font);
        const auto list = queued();
        ASSERT_EQ(list.size(), 3u);
        const int32_t codes[] = {'A', '!', '~'};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(list[i]->frameId, codes[i] - 32 + c.base);
            EXPECT_EQ(spriteFontTextTestPen(list[i]), c.firstX + c.advance * float(i));
            EXPECT_EQ(list[i]->dstY, 60 - 8);
            EXPECT_EQ(list[i]->layer, 840);
            EXPECT_EQ(list[i]->alpha, 0.75f);
            EXPECT_EQ(list[i]->blend, 1);
        }
    }
    EXPECT_EQ(spriteTextGlyphCount, 15);
}

TEST_F(SpriteFontTextTest, UncentredStartsAtXAndScaleWidensTheStep) {
    drawSpriteFontText("AB", 2, 500.0f, 100.0f, 60.0f, 1.0f, false, 255, 255, 255, 0, 2.0f, 1.0f);
    const auto list = queued();
    ASSERT_EQ(list.size(), 2u);
    // Twice as wide: the 32-wide cells start 16 left of the pen.
    EXPECT_EQ(list[0]->dstX, 100 - 16);
    EXPECT_EQ(list[1]->dstX, 118 - 16);
}

TEST_F(SpriteFontTextTest, ThreeHundredCharactersGiveTheFirst257Glyphs) {
    const std::string text(300, 'M');
    print(text.c_str(), 0, false);
    EXPECT_EQ(OBJdrawRequestCount(), 257);
    EXPECT_EQ(spriteTextGlyphCount, 257);
    EXPECT_EQ(spriteFontTextTestPen(queued().back()), 100.0f + 256.0f * 18.0f);
}

TEST_F(SpriteFontTextTest, BytesOutsideTheFontLeaveAGap) {
    print("A\x80\x1f" "B", 0, false);
    const auto list = queued();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->frameId, 'A' - 32 + 2944);
    EXPECT_EQ(list[1]->frameId, 'B' - 32 + 2944);
    EXPECT_EQ(spriteFontTextTestPen(list[1]), 100.0f + 3.0f * 18.0f);
    EXPECT_EQ(spriteTextGlyphCount, 2);
}

TEST_F(SpriteFontTextTest, TheOwnerCarriesTheTint) {
    print("HI", 1);
    ObjWork* owner = spriteFontOwner();
    ASSERT_NE(owner, nullptr);
    for (const DrawObj* entry : queued()) {
        EXPECT_EQ(entry->owner, owner);
        EXPECT_EQ(entry->r, 10);
        EXPECT_EQ(entry->b, 30);
    }
    EXPECT_EQ(owner->r, 10);
    EXPECT_EQ(owner->g, 20);
    EXPECT_EQ(owner->b, 30);
    drawSpriteFontText("HI", 1, 840.0f, 0.0f, 0.0f, 1.0f, true, 200, 100, 50, 0, 1.0f, 1.0f);
    EXPECT_EQ(spriteFontOwner(), owner) << "one owner for the run";
    EXPECT_EQ(owner->r, 200);
}

}  // namespace
