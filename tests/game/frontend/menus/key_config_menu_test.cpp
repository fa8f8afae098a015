// KEY CONFIG: the physical buttons read from the engine pad record, the
// swap, the held button, DEFAULT and the save on leaving.
#include "game/frontend/menus/key_config_menu.h"

#include <memory>

#include "engine/input/input.h"
#include "tests/game/frontend/menus_fixture.h"

namespace {

class KeyConfigMenuTest : public MenusFixture {
protected:
    void SetUp() override {
        MenusFixture::SetUp();
        previous = task->input;
        task->input = &pad;
    }
    void TearDown() override {
        task->input = previous;
        MenusFixture::TearDown();
    }
    void openWith(std::array<int32_t, kKeyConfigActions> values) {
        gameSettings.BUTTON_01 = values[0];
        gameSettings.BUTTON_02 = values[1];
        gameSettings.BUTTON_03 = values[2];
        gameSettings.BUTTON_04 = values[3];
        gameSettings.BUTTON_PAUSE = values[4];
        gameSettings.BUTTON_RESET = values[5];
        storeSettings();
        open(TSKkeyConfigMenu);
        unlock();
        sounds.take();
    }
    std::array<int32_t, kKeyConfigActions> settings() const {
        return {gameSettings.BUTTON_01, gameSettings.BUTTON_02,    gameSettings.BUTTON_03,
                gameSettings.BUTTON_04, gameSettings.BUTTON_PAUSE, gameSettings.BUTTON_RESET};
    }
    // One frame with these engine bits down.
    void hold(uint32_t bits) {
        pad.buttons = bits;
        pass();
    }

    MInput pad;
    MInput* previous = nullptr;
};

TEST_F(KeyConfigMenuTest, MaskBitsNameThePhysicalButtons) {
    const struct {
        int bit;
        int button;  // 0: none
    } cases[] = {{0, 1}, {1, 2},  {10, 3}, {11, 4}, {9, 5},  {16, 6}, {8, 7}, {17, 8}, {3, 9}, {2, 10},
                 {4, 0}, {5, 0}, {6, 0},  {7, 0},  {12, 0}, {18, 0}, {20, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(keyConfigButtonsOfMask(1u << c.bit), c.button ? 1u << (c.button - 1) : 0u) << "bit " << c.bit;
    }
}

TEST_F(KeyConfigMenuTest, APressAssignsWithItsSwapAndTheSettingsFollowAtOnce) {
    openWith({2, 3, 1, 4, 8, 7});
    hold(1u << 10);  // button 3 on 1(SHOT)
    EXPECT_EQ(settings(), (std::array<int32_t, 6>{3, 2, 1, 4, 8, 7}));
    EXPECT_EQ(played("cursor"), 1);
    EXPECT_FALSE(configHas("BUTTON_01=3")) << "saved only on leaving";
}

TEST_F(KeyConfigMenuTest, TheRowsOwnButtonOnlyPlaysTheEffect) {
    openWith({2, 3, 1, 4, 8, 7});
    hold(1u << 1);  // button 2, already 1(SHOT)'s
    EXPECT_EQ(settings(), (std::array<int32_t, 6>{2, 3, 1, 4, 8, 7}));
    EXPECT_EQ(played("cursor"), 1);
}

TEST_F(KeyConfigMenuTest, TwoButtonsInOneFrameApplyInScanOrder) {
    openWith({2, 3, 1, 4, 8, 7});
    hold((1u << 10) | (1u << 11));  // buttons 3 and 4
    EXPECT_EQ(settings(), (std::array<int32_t, 6>{4, 2, 1, 3, 8, 7}));
    EXPECT_EQ(played("cursor"), 1) << "the second effect falls in the first one's guard";
}

TEST_F(KeyConfigMenuTest, AHeldButtonAssignsOnceAndStopsTheCursor) {
    openWith({2, 3, 1, 4, 8, 7});
    hold(1u << 10);
    sounds.take();
    pad.buttons = 1u << 10;
    pass(0, kDown);
    EXPECT_EQ(keyConfigMenu.list.cursor, 0);
    EXPECT_TRUE(sounds.take().empty()) << "still held: no second assignment";
    hold(0);
    pass(0, kDown);
    EXPECT_EQ(keyConfigMenu.list.cursor, 1);
}

TEST_F(KeyConfigMenuTest, DefaultThenExitSavesTheDefaultsAndGoesBackToConfig) {
    openWith({1, 2, 3, 4, 8, 6});
    pass(0, kUp);
    pass(0, kUp);
    ASSERT_EQ(keyConfigMenu.list.cursor, 6);
    pass(kButton1);
    EXPECT_EQ(settings(), (std::array<int32_t, 6>{2, 3, 1, 4, 8, 7}));
    pass(0, kDown);
    pass(kButton1);
    ASSERT_TRUE(runOut());
    EXPECT_EQ(menuResultCode, 9);
    for (const char* line : {"BUTTON_01=2", "BUTTON_02=3", "BUTTON_03=1", "BUTTON_04=4", "BUTTON_PAUSE=8",
                             "BUTTON_RESET=7"}) {
        EXPECT_TRUE(configHas(line)) << line;
    }
}

}  // namespace
