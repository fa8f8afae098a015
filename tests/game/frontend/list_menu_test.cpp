// The list-menu rules every settings screen shares: the cursor's wrap, the
// clamped values with their sound, one input a frame in a fixed order, the
// input lock, the highlight counters, the cursor targets, the slide and how
// a value shows, a value outside its row's names included.
#include "game/frontend/list_menu.h"

#include "game/core/bitmap_text.h"
#include "game/frontend/menu_cursor.h"
#include "tests/game/frontend/menus_fixture.h"

namespace {

const char* const kListTestOffOn[] = {"OFF", "ON"};
const char* const kLooksLikeTheMarker[] = {"INT"};
const MenuItemRow kListTestRows[] = {
    {"SPEED", kMenuValueInt, 0, 10, 3},
    menuNamesRow("SWITCH", kListTestOffOn),
    menuActionRow("EXIT"),
};

class ListMenuTest : public MenusFixture {
protected:
    void SetUp() override {
        MenusFixture::SetUp();
        menu = {};
        listMenuOpen(menu, kListTestRows, 2, 20);
        menu.inputLock = 0;
    }
    ListMenu menu;
};

struct RuleCase {
    const char* name;
    int32_t cursor;
    int32_t value;  // of row 0
    uint32_t repeat, pressed;
    ListMenuInput input;
    int32_t cursorAfter;
    int32_t valueAfter;  // after listMenuStepValue on left and right
    int cursorSounds;
};

TEST_F(ListMenuTest, RulesTable) {
    const RuleCase cases[] = {
        {"up wraps to the last row", 0, 5, kUp, 0, ListMenuInput::moved, 2, 5, 1},
        {"down wraps to the first row", 2, 5, kDown, 0, ListMenuInput::moved, 0, 5, 1},
        {"left steps down", 0, 5, kLeft, 0, ListMenuInput::left, 0, 2, 1},
        {"left clamps at min with its sound", 0, 1, kLeft, 0, ListMenuInput::left, 0, 0, 1},
        {"left at min is silent", 0, 0, kLeft, 0, ListMenuInput::left, 0, 0, 0},
        {"right clamps at max with its sound", 0, 9, kRight, 0, ListMenuInput::right, 0, 10, 1},
        {"right at max is silent", 0, 10, kRight, 0, ListMenuInput::right, 0, 10, 0},
        {"right above max comes back to max", 0, 40, kRight, 0, ListMenuInput::right, 0, 10, 1},
        {"left above max only steps", 0, 40, kLeft, 0, ListMenuInput::left, 0, 37, 1},
        {"everything at once: up alone", 1, 5, kUp | kDown | kLeft | kRight, kButton1, ListMenuInput::moved, 0, 5, 1},
        {"down before left", 1, 5, kDown | kLeft, kButton1, ListMenuInput::moved, 2, 5, 1},
        {"left before right", 0, 5, kLeft | kRight, kButton1, ListMenuInput::left, 0, 2, 1},
        {"right before decide", 0, 5, kRight, kButton1, ListMenuInput::right, 0, 8, 1},
        {"decide", 2, 5, 0, kButton1, ListMenuInput::decide, 2, 5, 0},
        {"an action row takes no value", 2, 5, kRight, 0, ListMenuInput::right, 2, 5, 0},
        {"nothing", 0, 5, 0, 0, ListMenuInput::none, 0, 5, 0},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.name);
        menu.cursor = c.cursor;
        menu.values[0] = c.value;
        sounds.take();
        soundLayerState().soundGuard.fill(0);
        padRepeat = c.repeat;
        padPressed = c.pressed;
        const ListMenuInput input = listMenuReadInput(menu);
        EXPECT_EQ(input, c.input);
        if (input == ListMenuInput::left || input == ListMenuInput::right) {
            const MenuItemRow& row = kListTestRows[menu.cursor];
            listMenuStepValue(menu, input == ListMenuInput::left ? -row.step : row.step);
        }
        EXPECT_EQ(menu.cursor, c.cursorAfter);
        EXPECT_EQ(menu.values[0], c.valueAfter);
        EXPECT_EQ(played("cursor"), c.cursorSounds);
        EXPECT_EQ(played("ok"), 0);
    }
}

TEST_F(ListMenuTest, NothingIsReadWhileLockedAndTheLockRunsOutInTenFrames) {
    listMenuOpen(menu, kListTestRows, 2, 20);
    menu.cursor = 0;
    for (int frame = 0; frame < 10; ++frame) {
        padRepeat = kDown;
        padPressed = kButton1;
        EXPECT_EQ(listMenuReadInput(menu), ListMenuInput::none) << frame;
        listMenuTick(menu);
    }
    EXPECT_EQ(menu.cursor, 0);
    EXPECT_EQ(menu.inputLock, 0);
    EXPECT_EQ(listMenuReadInput(menu), ListMenuInput::moved);
    EXPECT_EQ(menu.cursor, 1);
}

TEST_F(ListMenuTest, HighlightCountersFallOnTheCursorRowAndRiseElsewhere) {
    EXPECT_EQ(menu.counters, 20);
    for (int32_t c : menu.rowCounters) EXPECT_EQ(c, 10);
    menu.cursor = 1;
    for (int i = 0; i < 12; ++i) listMenuTick(menu);
    EXPECT_EQ(menu.rowCounters[1], 0);  // floor 0
    EXPECT_EQ(menu.rowCounters[0], 10);
    menu.cursor = 2;
    for (int i = 0; i < 3; ++i) listMenuTick(menu);
    EXPECT_EQ(menu.rowCounters[1], 3);
    EXPECT_EQ(menu.rowCounters[2], 7);
    // CONFIG's 21st counter is only kept when asked for.
    listMenuOpen(menu, kListTestRows, 2, 21);
    EXPECT_EQ(menu.counters, 21);
}

TEST_F(ListMenuTest, CursorTargetsBracketTheRowLabel) {
    menu.cursor = 1;
    listMenuTick(menu);
    const int32_t w = SDL2_wheel_TextWidth("SWITCH");
    EXPECT_EQ(menuCursor.targetLeftX, 60.0f - float(w / 2 + 40));
    EXPECT_EQ(menuCursor.targetRightX, 60.0f + float(w / 2 + 40));
    EXPECT_EQ(menuCursor.targetLeftY, 62.0f);
    EXPECT_EQ(menuCursor.targetRightY, 62.0f);
}

TEST_F(ListMenuTest, SlideRisesIntoPlaceAndSinksWhileLeaving) {
    menu.inputLock = 10;
    EXPECT_EQ(listMenuSlide(menu), 300.0f);
    menu.inputLock = 0;
    menu.closeCounter = 4;
    EXPECT_EQ(listMenuSlide(menu), 48.0f);
}

struct ValueCase {
    const char* name;
    MenuItemRow row;
    int32_t value;
    const char* shown;
};

TEST_F(ListMenuTest, ValuesShowByTheirKindAndOutsideTheNamesAsNumbers) {
    const ValueCase cases[] = {
        {"number", {"A", kMenuValueInt, 0, 10, 1}, 7, "7"},
        {"percentage", {"A", kMenuValueIntPercent, 100, 350, 1}, 350, "350%"},
        {"name", menuNamesRow("A", kListTestOffOn), 1, "ON"},
        {"above the names", menuNamesRow("A", kListTestOffOn), 2, "2"},
        {"far above the names", menuNamesRow("A", kListTestOffOn), 1000000, "1000000"},
        {"below the names", menuNamesRow("A", kListTestOffOn), -3, "-3"},
        {"a list that reads INT is still a list", menuNamesRow("A", kLooksLikeTheMarker), 0, "INT"},
        {"and its value past it a number", menuNamesRow("A", kLooksLikeTheMarker), 1, "1"},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        char text[16];
        EXPECT_STREQ(listMenuValueText(c.row, c.value, text), c.shown);
    }
}

}  // namespace
