// The input words from the cabinet's switches: the logical button map, the
// repeat timing and the player's button assignment.
#include "game/core/input_words.h"

#include <gtest/gtest.h>

#include "tests/game/core/glue_fixture.h"

namespace {

class InputWordsTest : public GlueFixture {
protected:
    void SetUp() override {
        GlueFixture::SetUp();
        start();
    }
    void hold(int switchIndex) { cab->heldSwitches = uint16_t(1u << switchIndex); }
};

struct SwitchCase {
    int switchIndex;
    uint8_t logical;
    uint32_t word;
};

// Switch 0 is the test switch, 1 service, 2..5 the directions, 6 start,
// 7..15 the buttons.
constexpr SwitchCase kSwitchCases[] = {
    {0, 14, 0x2000}, {1, 15, 0x4000}, {2, 0, 0x1},    {3, 1, 0x2},     {4, 2, 0x4},    {5, 3, 0x8},
    {6, 4, 0x8000},  {7, 5, 0x10},    {8, 6, 0x20},   {9, 7, 0x40},    {10, 8, 0x80},  {11, 9, 0x100},
    {12, 10, 0x200}, {13, 11, 0x400}, {14, 12, 0x800}, {15, 13, 0x1000},
};

TEST_F(InputWordsTest, EverySwitchReachesItsLogicalButtonAndBit) {
    toolMode = true;  // the test switch would otherwise end the run
    for (const SwitchCase& c : kSwitchCases) {
        hold(c.switchIndex);
        frame();
        const controller::LogicalState* state = controller::Manager::getInstance()->logicalState(c.logical);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->current, 1) << "switch " << c.switchIndex;
        EXPECT_EQ(padRaw, c.word) << "switch " << c.switchIndex;
        EXPECT_EQ(padHeld, c.word);
        EXPECT_EQ(padRawPressed, c.word);
        cab->heldSwitches = 0;
        frame();
        EXPECT_EQ(padRaw, 0u);
    }
}

TEST_F(InputWordsTest, HeldButtonRepeatsOnThePressThen31LaterThenEveryThird) {
    hold(6);
    std::vector<int> pressed;
    std::vector<int> repeats;
    for (int update = 0; update < 50; ++update) {
        frame();
        if (padPressed) pressed.push_back(update);
        if (padRepeat) {
            EXPECT_EQ(padRepeat, 0x8000u);
            repeats.push_back(update);
        }
    }
    EXPECT_EQ(pressed, std::vector<int>{0});
    EXPECT_EQ(repeats, (std::vector<int>{0, 31, 34, 37, 40, 43, 46, 49}));

    cab->heldSwitches = 0;  // releasing everything stops the repeat at once
    frame();
    EXPECT_EQ(padRepeat, 0u);
    hold(6);
    frame();
    EXPECT_EQ(padRepeat, 0x8000u);
    for (int update = 1; update < 31; ++update) {
        frame();
        EXPECT_EQ(padRepeat, 0u);
    }
    frame();
    EXPECT_EQ(padRepeat, 0x8000u);
}

TEST_F(InputWordsTest, AFurtherPressRestartsTheRepeatWithTheNewButtonOnly) {
    hold(2);
    for (int update = 0; update < 10; ++update) frame();
    cab->heldSwitches |= 1 << 7;
    frame();
    EXPECT_EQ(padRepeat, 0x10u);
    EXPECT_EQ(padHeld, 0x11u);
    for (int update = 1; update < 31; ++update) frame();
    frame();
    EXPECT_EQ(padRepeat, 0x11u);
}

struct RemapCase {
    std::array<int32_t, 4> assignment;
    int switchIndex;
    uint32_t held;
    uint32_t raw;
};

constexpr RemapCase kRemapCases[] = {
    {{1, 2, 3, 4}, 7, 0x10, 0x10},     // identity assignment: held equals raw
    {{1, 2, 3, 4}, 10, 0x80, 0x80},
    {{1, 2, 3, 5}, 11, 0x180, 0x100},  // default: cabinet button 5 is game button 4
    {{1, 2, 3, 5}, 10, 0x00, 0x80},    // and cabinet button 4 is nothing
    {{2, 1, 3, 4}, 7, 0x20, 0x10},
    {{0, 2, 3, 4}, 7, 0x00, 0x10},     // unassigned
    {{1, 1, 3, 4}, 7, 0x30, 0x10},     // two game buttons on one cabinet button
    {{1, 2, 3, 5}, 6, 0x8000, 0x8000}, // other bits pass through
    {{11, 2, 3, 4}, 1, 0x4010, 0x4000},   // the service switch is raw 0x4000
    {{17, -1, 3, 4}, 7, 0x00, 0x10},   // out of range: unassigned
};

TEST_F(InputWordsTest, RemapAppliesThePlayersAssignment) {
    inputRemapHook = SDL2_wheel_InputRemapButtons;
    for (const RemapCase& c : kRemapCases) {
        cardProfile.configShot = c.assignment[0];
        cardProfile.configBomb = c.assignment[1];
        cardProfile.configRapid = c.assignment[2];
        cardProfile.configBlow = c.assignment[3];
        hold(c.switchIndex);
        frame();
        EXPECT_EQ(padHeld, c.held) << "switch " << c.switchIndex << " assignment " << c.assignment[0];
        EXPECT_EQ(padRaw, c.raw);
        cab->heldSwitches = 0;
        frame();
    }
}

TEST_F(InputWordsTest, PressedFollowsTheAssignedWord) {
    inputRemapHook = SDL2_wheel_InputRemapButtons;
    hold(11);
    frame();
    EXPECT_EQ(padPressed, 0x180u);
    EXPECT_EQ(padRawPressed, 0x100u);
    frame();
    EXPECT_EQ(padPressed, 0u);
    EXPECT_EQ(padRawPressed, 0u);
}

}  // namespace
