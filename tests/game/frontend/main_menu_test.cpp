// The main menu: each row's code, side effects and slide flags, the cursor's
// wrap, button 1 with a direction doing nothing, the play-time line, the
// nine items drawn, and the slide in after CONFIG but not after a story play.
#include "game/frontend/main_menu.h"

#include <cstring>

#include "game/core/play_state.h"
#include "game/frontend/config_menu.h"
#include "game/frontend/scene_words.h"
#include "game/records/play_selection.h"
#include "game/records/save_block.h"
#include "tests/game/frontend/menus_fixture.h"

namespace {

class MainMenuTest : public MenusFixture {
protected:
    void SetUp() override {
        MenusFixture::SetUp();
        mainMenuCursor = 0;
        mainMenuSlideIn = mainMenuSlideOut = 0;
    }
    void TearDown() override {
        mainMenuCursor = 0;
        mainMenuSlideIn = mainMenuSlideOut = 0;
        MenusFixture::TearDown();
    }
    // The menu open on the row, its input lock over.
    void openOn(int32_t row) {
        mainMenuCursor = row;
        open(TSKmainMenu);
        unlock();
    }
    const DrawnEntry* playTime() const {
        for (const DrawnEntry& e : drawn) {
            if (e.type == kDrawBitmapText && e.text.rfind("PLAYTIME", 0) == 0) return &e;
        }
        return nullptr;
    }
};

struct RowCase {
    int32_t row;
    int32_t code;
    int32_t slide;
};

TEST_F(MainMenuTest, EachRowLeavesItsCodeAndSlideFlags) {
    const RowCase cases[] = {{0, 0, 0}, {1, 1, 1},  {2, 4, 1},  {3, 5, 1}, {4, 7, 1},
                             {5, 9, 1}, {6, 11, 0}, {7, 12, 0}, {8, 13, 0}};
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.row);
        mainMenuSlideIn = mainMenuSlideOut = menuFrameStartAlt = menuFrameEndAlt = 1 - c.slide;
        openOn(c.row);
        sounds.take();
        pass(kButton1);
        EXPECT_EQ(menuResultCode, c.code);
        EXPECT_EQ(menu->state, 101);
        EXPECT_EQ(played("ok"), 1);
        for (int32_t flag : {mainMenuSlideIn, mainMenuSlideOut, menuFrameStartAlt, menuFrameEndAlt}) {
            EXPECT_EQ(flag, c.slide);
        }
        ASSERT_TRUE(runOut());
        EXPECT_EQ(mainMenuCloseCounter > 0, c.slide == 1);  // slides out only with its flag
    }
}

TEST_F(MainMenuTest, ChoicesSetWhatTheirScreensStartFrom) {
    // GAME START and SCORE ATTACK: a play that counts, nothing marked new.
    for (int32_t row : {0, 1}) {
        SCOPED_TRACE(row);
        rankingNewMarks[0][3] = 1;
        playIsRecorded = 0;
        setLeaderType(2);
        setAutoGameSystem(1);
        openOn(row);
        pass(kButton1);
        EXPECT_EQ(rankingNewMarks[0][3], 0);
        EXPECT_EQ(playIsRecorded, 1);
        EXPECT_EQ(selectedLeaderType, 0);
        EXPECT_EQ(autoGameSystem, row == 0 ? 0 : 1);
        ASSERT_TRUE(runOut());
    }
    rankingNewMarks[1][0] = 1;
    rankingLatestTable = 0;
    rankingLatestCategory = 5;
    openOn(2);
    pass(kButton1);
    EXPECT_EQ(rankingNewMarks[1][0], 0);
    EXPECT_EQ(rankingLatestTable, 1);
    EXPECT_EQ(rankingLatestCategory, 0);
    ASSERT_TRUE(runOut());

    replayListCursor = replayListPage = replayListOffset = 4;
    openOn(3);
    pass(kButton1);
    EXPECT_EQ(replayListCursor + replayListPage + replayListOffset, 0);
    ASSERT_TRUE(runOut());

    configMenu.cursor = 18;
    openOn(5);
    pass(kButton1);
    EXPECT_EQ(configMenu.cursor, 0);
    ASSERT_TRUE(runOut());
}

TEST_F(MainMenuTest, CursorWrapsAndButtonOneWithADirectionDoesNothing) {
    openOn(0);
    pass(0, kUp);
    EXPECT_EQ(mainMenuCursor, 8);
    pass(0, kDown);
    EXPECT_EQ(mainMenuCursor, 0);
    for (uint32_t direction : {kLeft, kRight, kLeft | kRight}) {
        pass(kButton1 | direction);
        EXPECT_EQ(menu->state, 100);
    }
    menuResultCode = -1;
    pass(kButton1);
    EXPECT_EQ(menuResultCode, 0);
}

TEST_F(MainMenuTest, InputIsIgnoredDuringTheFirstTenFrames) {
    open(TSKmainMenu);
    for (int frame = 0; frame < 10; ++frame) pass(kButton1, kDown);
    EXPECT_EQ(mainMenuCursor, 0);
    EXPECT_EQ(menu->state, 100);
    pass(0, kDown);
    EXPECT_EQ(mainMenuCursor, 1);
}

TEST_F(MainMenuTest, ShowsNineItemsAndThePlayTime) {
    saveBlock().playHours = 123;
    saveBlock().playMinutes = 4;
    saveBlock().playSeconds = 5;
    char text[40];
    mainMenuPlayTimeText(text);
    EXPECT_STREQ(text, "PLAYTIME 123h 4m 5s");
    openOn(0);
    ASSERT_NE(playTime(), nullptr);
    EXPECT_EQ(playTime()->text, "PLAYTIME 123h 4m 5s");
    EXPECT_EQ(playTime()->y, 274.0f);
    // The title, the nine labels and the cursor row's glow, glyph by glyph.
    size_t letters = std::strlen("MAIN MENU") + std::strlen("GAME START");
    for (const MainMenuItem& item : kMainMenuItemTable) letters += std::strlen(item.label);
    EXPECT_EQ(kMainMenuItemTable.size(), 9u);
    EXPECT_EQ(glyphs, int(letters));
}

TEST_F(MainMenuTest, SlidesDownAfterConfigAndStandsStillAfterAStoryPlay) {
    openOn(5);
    pass(kButton1);
    ASSERT_TRUE(runOut());
    open(TSKmainMenu);
    ASSERT_NE(playTime(), nullptr);
    EXPECT_EQ(playTime()->y, 274.0f - 300.0f);
    unlock();
    EXPECT_EQ(playTime()->y, 274.0f);
    mainMenuCursor = 0;
    pass(kButton1);
    ASSERT_TRUE(runOut());
    open(TSKmainMenu);
    EXPECT_EQ(playTime()->y, 274.0f);
}

}  // namespace
