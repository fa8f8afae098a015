// The menu frame: each screen's object and labels on both slots, the loop
// after the start, the end on the frame alone, the hidden frame standing
// still, closed slots that still let a screen leave, and the glow grid.
#include "game/frontend/menu_frame.h"

#include <utility>
#include <vector>

#include "game/core/game_main_draw.h"
#include "game/core/sprite_frames.h"
#include "game/frontend/scene.h"
#include "tests/game/frontend/menu_frame_fixture.h"

namespace {

class MenuFrameTest : public MenuFrameFixture {
protected:
    void SetUp() override {
        MenuFrameFixture::SetUp();
        frames.resize(2688);
        frames[2687] = {4, 0, 0, 34, 34, 2687, 0, 0, 0, 0, 0};
        OBJsetFrameTable(frames);
    }
    void TearDown() override {
        OBJsetFrameTable({});
        MenuFrameFixture::TearDown();
    }
    static int glowQueued() {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        gameMainQueueOverlays();
        int n = 0;
        for (int i = 0; i < OBJdrawRequestCount(); ++i) n += OBJdrawStoreEntry(i)->layer == 802 ? 1 : 0;
        return n;
    }

    std::vector<SpriteFrame> frames;
};

struct MenuFrameLabelCase {
    int32_t screen;
    int32_t startAlt, endAlt;
    const char* object;
    const char* start;
    const char* end;
};

TEST_F(MenuFrameTest, EachScreenPlaysItsStartThenLoopAndEndsOnTheFrameAlone) {
    openSlots();
    const MenuFrameLabelCase cases[] = {
        {0, 0, 0, "mainmenu", "start_a", "end_a"},      {0, 1, 1, "mainmenu", "start_b", "end_b"},
        {0, 1, 0, "mainmenu", "start_b", "end_a"},      {1, 0, 0, "othermenu", "start", "end"},
        {1, 1, 1, "othermenu", "start", "end"},         {2, 0, 0, "modeselect", "start", "end"},
        {2, 1, 1, "modeselect", "start", "end"},        {3, 0, 0, "fighterselect", "start", "end"},
        {3, 1, 1, "fighterselect", "start", "end"},
    };
    for (const MenuFrameLabelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "screen " << c.screen << " alts " << c.startAlt << c.endAlt);
        CloseMenuFrame();
        EXPECT_FALSE(shown(menuFrameSlot));
        EXPECT_FALSE(shown(menuFrameBgSlot));
        menuFrameStartAlt = c.startAlt;
        menuFrameEndAlt = c.endAlt;
        menuFrameOpen(c.screen);
        EXPECT_TRUE(shown(menuFrameSlot));
        EXPECT_TRUE(shown(menuFrameBgSlot));
        EXPECT_EQ(menuFrameGlowOn, c.screen == 3 ? 0 : 1);
        update();
        EXPECT_EQ(menuFrameState, kMenuFrameLoop);
        for (int32_t slot : {menuFrameSlot, menuFrameBgSlot}) {
            EXPECT_EQ(objectOn(slot), c.object);
            EXPECT_EQ(labelOn(slot), c.start);
        }
        update();
        EXPECT_EQ(labelOn(menuFrameSlot), c.start) << "the start plays through first";

        playThrough(menuFrameSlot);
        playThrough(menuFrameBgSlot);
        update();
        EXPECT_EQ(labelOn(menuFrameBgSlot), "loop");
        EXPECT_EQ(menuFrameBgLooping, 1);
        EXPECT_EQ(SDL2_wheel_MotionGetLoopCount(menuFrameSlot), 1);
        update();
        EXPECT_EQ(labelOn(menuFrameSlot), "loop");
        EXPECT_EQ(menuFrameState, kMenuFrameLoop);

        menuFrameState = kMenuFrameEnd;
        update();
        EXPECT_EQ(menuFrameState, kMenuFrameWait);
        EXPECT_EQ(labelOn(menuFrameSlot), c.end);
        EXPECT_EQ(objectOn(menuFrameSlot), c.object);
        EXPECT_EQ(labelOn(menuFrameBgSlot), "loop") << "the background keeps its loop";
        update();
        EXPECT_EQ(menuFrameState, kMenuFrameWait);
        playThrough(menuFrameSlot);
        update();
        update();
        EXPECT_EQ(menuFrameState, kMenuFrameDone);
        EXPECT_EQ(labelOn(menuFrameSlot), c.end);
    }
}

TEST_F(MenuFrameTest, AHiddenFrameKeepsItsStateGridAndCounter) {
    openSlots();
    menuFrameOpen(1);
    update();
    playThrough(menuFrameSlot);
    menuFrameHidden = 1;
    menuFrameState = kMenuFrameEnd;
    menuFrameGlow[2][2] = 0.3f;
    menuFrameGlowCounter = 10;
    for (int i = 0; i < 12; ++i) update();
    EXPECT_EQ(menuFrameState, kMenuFrameEnd);
    EXPECT_EQ(menuFrameGlow[2][2], 0.3f);
    EXPECT_EQ(menuFrameGlowCounter, 10);
    EXPECT_EQ(labelOn(menuFrameSlot), "start");

    CloseMenuFrame();
    EXPECT_EQ(menuFrameHidden, 1);
    EXPECT_EQ(menuFrameScreen, 0);
    EXPECT_EQ(menuFrameState, kMenuFrameDone);
}

// Missing motion files leave both slots closed; a screen that leaves still
// sees the frame done, and reads its own closed slot as played through.
TEST_F(MenuFrameTest, ClosedSlotsStillReachDone) {
    update();
    ASSERT_EQ(menuFrameSlot, -1);
    ASSERT_EQ(menuFrameBgSlot, -1);
    menuFrameOpen(2);
    update();
    EXPECT_EQ(menuFrameState, kMenuFrameLoop);
    menuFrameState = kMenuFrameEnd;
    update();
    update();
    EXPECT_EQ(menuFrameState, kMenuFrameDone);
    EXPECT_TRUE(sceneLabelPlayed(-1));
    EXPECT_TRUE(sceneLabelPlayed(31));
}

// The cells the generator picks: one in each 4 by 4 block, column first.
std::vector<std::pair<int, int>> menuFrameTestLitCells(uint32_t seed) {
    gameRandSeed(seed);
    std::vector<std::pair<int, int>> cells;
    for (int column = 0; column < 12; column += 4) {
        for (int row = 0; row < 12; row += 4) {
            const int c = column + randRange(4);
            cells.emplace_back(c, row + randRange(4));
        }
    }
    gameRandSeed(seed);
    return cells;
}

TEST_F(MenuFrameTest, GlowLightsNineCellsEveryTenthFrameAndFadesTheDrawnArea) {
    const auto lit = menuFrameTestLitCells(99);
    menuFrameOpen(0);
    menuFrameGlow[10][10] = 0.25f;  // kept but neither drawn nor faded
    menuFrameGlow[0][0] = 0.003f;
    menuFrameUpdate();
    EXPECT_EQ(menuFrameGlowCounter, 1);
    int drawn = 0;
    for (auto [c, r] : lit) {
        EXPECT_EQ(menuFrameGlow[r][c], 0.5f) << c << "," << r;
        drawn += c < kMenuFrameGlowColumns && r < kMenuFrameGlowRows ? 1 : 0;
    }
    for (int i = 0; i < 9; ++i) menuFrameUpdate();
    EXPECT_EQ(menuFrameGlowCounter, 10);
    int litCells = 0;
    for (int r = 0; r < kMenuFrameGlowKept; ++r) {
        for (int c = 0; c < kMenuFrameGlowKept; ++c) litCells += menuFrameGlow[r][c] > 0.0f ? 1 : 0;
    }
    const bool tenTenLit = menuFrameGlow[10][10] == 0.5f;
    EXPECT_EQ(litCells, tenTenLit ? 9 : 10) << "no cell lit between the tenth frames";
    EXPECT_TRUE(menuFrameGlow[10][10] == 0.25f || tenTenLit);
    for (auto [c, r] : lit) {
        const bool inDrawnArea = c < kMenuFrameGlowColumns && r < kMenuFrameGlowRows;
        EXPECT_NEAR(menuFrameGlow[r][c], inDrawnArea ? 0.5f - 9 * 0.005f : 0.5f, 1e-5f) << c << "," << r;
    }
    if (menuFrameGlow[0][0] < 0.4f) {
        EXPECT_EQ(menuFrameGlow[0][0], 0.0f) << "floored at 0";
    }
    EXPECT_EQ(glowQueued(), drawn);

    const auto next = menuFrameTestLitCells(gameRandState());
    menuFrameUpdate();
    for (auto [c, r] : next) EXPECT_EQ(menuFrameGlow[r][c], 0.5f);
}

TEST_F(MenuFrameTest, ScreenThreeDrawsNoGlow) {
    menuFrameGlow[1][1] = 0.5f;
    menuFrameOpen(3);
    EXPECT_EQ(glowQueued(), 0);
    menuFrameOpen(2);
    EXPECT_EQ(glowQueued(), 1);
}

}  // namespace
