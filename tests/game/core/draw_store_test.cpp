#include "game/core/draw_store.h"

#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/render/raw_tex.h"
#include "game/core/sprite_sheet.h"
#include "tests/game/core/obj_fixture.h"
#include "tests/game/core/sprite_target_recorder.h"

namespace {

class DrawStoreTest : public ObjFixture {
protected:
    void SetUp() override {
        ObjFixture::SetUp();
        owner = OBJworkNew();
    }
    void TearDown() override {
        OBJworkFree(owner);
        ObjFixture::TearDown();
    }
    const DrawObj& last() { return *OBJdrawStoreEntry(OBJdrawStoreCount() - 1); }

    ObjWork* owner = nullptr;
};

struct Undrawn {
    const char* name;
    int32_t frameId;
    float scale;
    float alpha;
};

TEST_F(DrawStoreTest, SpritesWithNothingToShowQueueNothing) {
    for (const Undrawn& c : {Undrawn{"scale 0", 1, 0.0f, 1.0f}, Undrawn{"width 0", 2, 1.0f, 1.0f},
                             Undrawn{"width 65536", 3, 1.0f, 1.0f}, Undrawn{"huge scale", 1, 1e30f, 1.0f},
                             Undrawn{"infinite scale", 1, INFINITY, 1.0f}, Undrawn{"not a number", 1, NAN, 1.0f},
                             Undrawn{"alpha 0", 1, 1.0f, 0.0f}}) {
        OBJdrawSprite(owner, c.frameId, 100, 100, 5, c.scale, c.scale, 0, c.alpha, 7);
        EXPECT_EQ(OBJdrawStoreCount(), 0) << c.name;
        EXPECT_EQ(OBJdrawRequestCount(), 0) << c.name;
    }
}

TEST_F(DrawStoreTest, LargeSizeKeepsItsLow16Bits) {
    OBJdrawSprite(owner, 5, 0, 0, 5, 1, 1, 0, 1, 7);  // 0xFFFF8 wide
    ASSERT_EQ(OBJdrawStoreCount(), 1);
    EXPECT_EQ(last().dstW, -8);
    EXPECT_EQ(last().srcW, 0xFFFF8);
}

struct Placement {
    const char* name;
    int32_t flip;
    uint8_t rotate;
    float angle;
    float scale;
    int32_t dstX, dstY, dstW, dstH;
};

TEST_F(DrawStoreTest, SpriteSitsOnItsPivotMirroredAndTurned) {
    // Frame 1 is 20 x 10 with pivot offset (3, -4).
    for (const Placement& c : {
             Placement{"plain", 0, 0, 0.5f, 1.0f, 100 + 3 - 10, 50 - 4 - 5, 20, 10},
             Placement{"scaled", 0, 0, 0.0f, 2.0f, 100 + 6 - 20, 50 - 8 - 10, 40, 20},
             Placement{"left-right", 1, 0, 0.0f, 1.0f, 100 - 3 - 10, 50 - 4 - 5, 20, 10},
             Placement{"top-bottom", 2, 0, 0.0f, 1.0f, 100 + 3 - 10, 50 + 4 - 5, 20, 10},
             // A quarter turn takes (3, -4) to (4, 3).
             Placement{"turned", 0, 1, float(M_PI / 2), 1.0f, 100 + 4 - 10, 50 + 3 - 5, 20, 10},
         }) {
        owner->flip = c.flip;
        owner->rotate = c.rotate;
        OBJdrawSprite(owner, 1, 100, 50, 5, c.scale, c.scale, c.angle, 0.5f, 7);
        const DrawObj& e = last();
        EXPECT_EQ((std::array<int32_t, 4>{e.dstX, e.dstY, e.dstW, e.dstH}),
                  (std::array<int32_t, 4>{c.dstX, c.dstY, c.dstW, c.dstH}))
            << c.name;
        EXPECT_EQ(e.flip, c.flip) << c.name;
        EXPECT_EQ(e.angle, c.angle) << c.name;
    }
}

TEST_F(DrawStoreTest, FlushDrawsLayerByLayerInQueueOrderAndRestoresTheSheet) {
    SpriteTargetRecorder recorder;
    auto* sheet = new MRawTex(64, 64);
    SDL2_wheel_TextureSet(4, sheet);
    sheet->setDrawMode(kDrawBlendNormal);
    owner->r = 0x10;
    OBJdrawSprite(owner, 1, 10, 10, 900, 1, 1, 0, 1.0f, 7);
    OBJdrawSprite(owner, 1, 20, 10, 3, 1, 1, 0, 0.5f, 2);
    OBJdrawSprite(owner, 4, 30, 10, 3, 1, 1, 0, 1.0f, 7);  // sheet 5 is empty
    OBJdrawSprite(owner, 1, 40, 10, 3, 1, 1, 0, 1.0f, 7);
    OBJdrawSortLayers();
    OBJdrawFlush();
    const auto& quads = recorder.quads();
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_EQ((std::vector<int>{quads[0].layer, quads[1].layer, quads[2].layer}), (std::vector<int>{3, 3, 900}));
    EXPECT_EQ(quads[0].mode, 2u);
    EXPECT_EQ(quads[0].quad.corners[0].colour, 0x7F10FFFFu);
    EXPECT_EQ(quads[1].mode, 7u);
    EXPECT_EQ(quads[1].quad.corners[0].x, 40 + 3 - 10);
    EXPECT_EQ(sheet->getDrawMode(), 7u);
    EXPECT_EQ(sheet->getAlpha(), 255);
    EXPECT_EQ(OBJdrawStoreCount(), 0);
    SDL2_wheel_TextureRelease(4);
}

TEST_F(DrawStoreTest, The1025thEntryOfALayerIsDropped) {
    for (int i = 0; i < kDrawLayerMax + 1; ++i) OBJdrawSprite(owner, 1, 0, 0, 7, 1, 1, 0, 1, 7);
    OBJdrawSprite(owner, 1, 0, 0, 8, 1, 1, 0, 1, 7);
    OBJdrawSortLayers();
    EXPECT_EQ(OBJdrawLayerCount(7), kDrawLayerMax);
    EXPECT_EQ(OBJdrawLayerCount(8), 1);
}

std::vector<std::string> printed;

void drawStoreTestPrint(int font, const char* text, float x, float, int, int, int, float, int) {
    printed.push_back(std::to_string(font) + text + std::to_string(int(x)));
}

TEST_F(DrawStoreTest, TextEntriesCarryTheirOwnCopy) {
    printed.clear();
    const DrawFlushHooks hooks{drawStoreTestPrint, nullptr};
    OBJdrawSetFlushHooks(&hooks);
    std::string text = "HI";
    OBJdrawFontText(owner, 2, text.c_str(), 70000.5f, 4, 1, 1, 2, 3, 0);
    text = "XX";
    EXPECT_EQ(last().layer, kDrawFontLayer);
    OBJdrawSortLayers();
    OBJdrawFlush();
    OBJdrawSetFlushHooks(nullptr);
    EXPECT_EQ(printed, (std::vector<std::string>{"2HI4464"}));  // x cut to 16 bits
}

TEST_F(DrawStoreTest, AnEntryFilledByHandIsQueuedWithItsOwnTextCopy) {
    printed.clear();
    const DrawFlushHooks hooks{drawStoreTestPrint, nullptr};
    OBJdrawSetFlushHooks(&hooks);
    std::string text = "RANK";
    DrawObj* entry = OBJdrawObjAlloc(owner, 0, kDrawFontText);
    entry->text = OBJdrawTextCopy(text.c_str());
    entry->layer = kDrawFontLayer;
    entry->fontIndex = 1;
    entry->x = 12.0f;
    OBJdrawObjQueue(entry);
    text = "XXXX";
    EXPECT_EQ(OBJdrawRequestCount(), 1);
    OBJdrawSortLayers();
    OBJdrawFlush();
    OBJdrawSetFlushHooks(nullptr);
    EXPECT_EQ(printed, (std::vector<std::string>{"1RANK12"}));
    EXPECT_EQ(OBJdrawTextCopy(std::string(kDrawTextArea, 'a').c_str()), nullptr) << "no room for it";
}

TEST_F(DrawStoreTest, The16385thEntryEndsTheProcess) {
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            for (int i = 0; i <= DRAWOBJ_STORE_MAX; ++i) OBJdrawMotion(owner, 1, 3, 7, 1, 0, 0, 0);
        },
        ::testing::ExitedWithCode(1), "DRAWOBJ_STORE_MAX over !!!!! \r\n");
}

}  // namespace
