// Menu logic driven by input records written by hand, one frame per update.
#include "engine/ui/menu.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/task/looper.h"
#include "tests/support/looper_environment.h"

namespace {

class BoxItem final : public MMenuItem {
public:
    BoxItem(std::string name, float x, float y, std::vector<std::string>& log)
        : name(std::move(name)), x(x), y(y), log(log) {}
    MRectF getRect() override { return {x - 10.0f, y - 10.0f, x + 10.0f, y + 10.0f}; }
    void setHighlighted(bool on) override { log.push_back(name + (on ? " on" : " off")); }
    void onDecide() override { log.push_back(name + " decided"); }

    std::string name;
    float x, y;
    std::vector<std::string>& log;
};

struct Spot {
    const char* name;
    float x, y;
};

// Makes its items in build and writes the decided item's index through the
// pointer it was given, then ends.
class TestMenu final : public MMenu {
public:
    TestMenu(MInput* input, std::vector<Spot> spots, int32_t* result)
        : MMenu(input), spots(std::move(spots)), result(result) {}

    void build() override {
        buildThread = std::this_thread::get_id();
        for (const Spot& spot : spots) {
            auto* item = new BoxItem(spot.name, spot.x, spot.y, log);
            items.push_back(item);
            addItem(item);
        }
        if (afterBuild) afterBuild(*this);
    }
    void placeCursor() override { ++cursorPlacements; }
    void onSelect(MMenuItem* item) override {
        int32_t index = 0;
        while (index < static_cast<int32_t>(items.size()) && items[index] != item) ++index;
        *result = index;
        log.push_back("select " + static_cast<BoxItem*>(item)->name);
        setState(kFinished);
    }

    std::vector<Spot> spots;
    int32_t* result;
    std::vector<BoxItem*> items;
    std::vector<std::string> log;
    std::function<void(TestMenu&)> afterBuild;
    std::thread::id buildThread;
    int cursorPlacements = 0;
};

class MenuTest : public testing::Test {
protected:
    TestMenu& make(std::vector<Spot> spots) {
        owned = std::make_unique<TestMenu>(&input, std::move(spots), &result);
        menu = owned.get();
        return *menu;
    }
    // One frame in which exactly `buttons` are newly held.
    void press(uint32_t buttons) {
        input.previousButtons = input.buttons;
        input.buttons = buttons;
        runTask(menu);
        input.previousButtons = input.buttons;
        input.buttons = 0;
    }
    std::string selected() {
        MMenuItem* item = menu->findSelected();
        return item ? static_cast<BoxItem*>(item)->name : "none";
    }

    MInput input;
    int32_t result = -1;
    std::unique_ptr<TestMenu> owned;
    TestMenu* menu = nullptr;
};

// A row of three above a row of two.
const std::vector<Spot> kGrid = {{"a", -50, 0}, {"b", 0, 0}, {"c", 50, 0}, {"d", -25, 60}, {"e", 25, 60}};

TEST_F(MenuTest, DirectionsMoveThroughTheWedgeAndStopAtTheEdge) {
    make(kGrid);
    press(0);
    menu->select(menu->items[0]);
    struct Step {
        uint32_t buttons;
        const char* expected;
    };
    const Step steps[] = {
        {MMenu::kRightBit, "b"}, {MMenu::kRightBit, "c"}, {MMenu::kRightBit, "c"},
        {MMenu::kDownBit, "e"},  {MMenu::kLeftBit, "d"},  {MMenu::kUpBit, "a"},
        {MMenu::kUpBit, "a"},    // nothing above: no move
        {MMenu::kRightBit | MMenu::kDownBit, "d"},  // down wins over right
    };
    for (const Step& step : steps) {
        press(step.buttons);
        EXPECT_EQ(selected(), step.expected) << step.buttons;
    }
}

TEST_F(MenuTest, LinksWrapAndBlockAndFallBack) {
    make(kGrid);
    press(0);
    auto& items = menu->items;
    menu->addLink(items[2], MMenu::kRight, items[0]);  // wrap c -> a
    menu->select(items[2]);
    press(MMenu::kRightBit);
    EXPECT_EQ(selected(), "a");

    // a has a link, but none to the right: no move until fallback is set.
    menu->addLink(items[0], MMenu::kLeft, items[2]);
    press(MMenu::kRightBit);
    EXPECT_EQ(selected(), "a");
    menu->fallback = 1;
    press(MMenu::kRightBit);
    EXPECT_EQ(selected(), "b");

    // A link to a hidden item blocks the move, even with fallback.
    menu->addLink(items[1], MMenu::kDown, items[3]);
    items[3]->visible = 0;
    press(MMenu::kDownBit);
    EXPECT_EQ(selected(), "b");
}

TEST_F(MenuTest, WithoutSelectionADirectionSearchesFromTheCursorPointThenTheNearest) {
    const std::vector<Spot> spots = {{"left", -40, 0}, {"right", 40, 0}, {"low", 0, 50}};
    make(spots);
    press(0);
    press(MMenu::kDownBit);
    EXPECT_EQ(selected(), "low");
    EXPECT_EQ(menu->cursorY(), 50.0f);

    make(spots);
    press(0);
    press(MMenu::kUpBit);  // nothing above (0, 0): the nearest, first of equals
    EXPECT_EQ(selected(), "left");
}

TEST_F(MenuTest, NoDirectionPlacesTheCursor) {
    make(kGrid);
    press(0);
    const int before = menu->cursorPlacements;
    press(0x4);  // neither direction nor a shortcut of any item
    EXPECT_EQ(menu->cursorPlacements, before + 1);
}

TEST_F(MenuTest, LockedItemsAreNeverSelectedButTheirShortcutStillDecides) {
    make(kGrid);
    press(0);
    auto& items = menu->items;
    items[1]->locked = 1;
    items[1]->shortcutMask = 0x2;
    menu->select(items[1]);
    EXPECT_EQ(selected(), "none");
    EXPECT_EQ(menu->findNearest(0, 0), items[0]);  // a and c tie; a came first
    menu->select(items[0]);
    press(MMenu::kRightBit);
    EXPECT_EQ(selected(), "c");

    press(0x2);
    EXPECT_EQ(selected(), "c");
    EXPECT_EQ(result, 1);
    const std::vector<std::string> tail(menu->log.end() - 2, menu->log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"b decided", "select b"}));
}

TEST_F(MenuTest, DecideAndDirectionInOneFrameDecidesWithoutMoving) {
    make(kGrid);
    press(0);
    menu->select(menu->items[3]);
    press(MMenu::kDecideBit | MMenu::kRightBit);
    EXPECT_EQ(result, 3);
    EXPECT_EQ(selected(), "d");
    EXPECT_EQ(menu->getState(), MTask::kFinished);
    EXPECT_EQ(menu->log.back(), "select d");
}

TEST_F(MenuTest, SelectionMovesTheHighlightAndTheCursorPoint) {
    make(kGrid);
    press(0);
    menu->select(menu->items[0]);
    menu->select(menu->items[4]);
    menu->select(menu->items[4]);
    EXPECT_EQ(menu->log, (std::vector<std::string>{"a on", "a off", "e on"}));
    EXPECT_EQ(menu->cursorX(), 25.0f);
    EXPECT_EQ(menu->cursorY(), 60.0f);
}

TEST_F(MenuTest, ThePointerSelectsTheItemUnderItUnlessPointerBlind) {
    // Without a display the screen has no size: the pointer sits at (0, 0).
    make({{"far", 100, 100}, {"blind", 0, 0}, {"under", 5, 5}});
    press(0);
    menu->items[1]->pointerBlind = 1;
    press(MMenu::kPointerBit);
    EXPECT_EQ(selected(), "under");
}

TEST_F(MenuTest, AnInactiveMenuIgnoresItsInput) {
    make(kGrid);
    press(0);
    menu->active = 0;
    press(MMenu::kDownBit);
    EXPECT_EQ(selected(), "none");
}

TEST_F(MenuTest, ABackgroundBuildKeepsTheMenuSuspendedAndHiddenUntilItIsThrough) {
    TestMenu& built = make(kGrid);
    built.backgroundBuild = 1;
    std::atomic<bool> release{false};
    std::atomic<bool> sawHiddenWhileBuilding{false};
    built.afterBuild = [&](TestMenu& m) {
        sawHiddenWhileBuilding = m.getParallelSet().isHidden() &&
                                 m.getParallelSet().getState() == MTask::kSuspended;
        while (!release) std::this_thread::yield();
    };
    runTask(&built);
    EXPECT_TRUE(built.getParallelSet().isHidden());
    runTask(&testLooper()->getPostLoopPhase());
    release = true;
    ASSERT_TRUE(runFramesUntil(built, [&] { return built.getSerialSet().isEmpty(); }));
    EXPECT_TRUE(sawHiddenWhileBuilding);
    EXPECT_NE(built.buildThread, std::this_thread::get_id());
    EXPECT_FALSE(built.getParallelSet().isHidden());
    EXPECT_EQ(built.getParallelSet().getState(), MTask::kRunning);
    EXPECT_EQ(built.items.size(), 5u);
    press(MMenu::kDownBit);
    EXPECT_EQ(selected(), "b");  // nothing selected: down from (0, 0)
}

}  // namespace
