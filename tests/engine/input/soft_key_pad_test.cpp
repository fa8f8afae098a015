#include "engine/input/soft_key_pad.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/task/looper.h"

namespace {

// The pad hooks into the looper's phases, so each test has one.
class MSoftKeyPadTest : public testing::Test {
protected:
    MLooper looper;
};

// A 200 x 400 window: area 1 is its left half, area 2 its right half.
std::unique_ptr<MSoftKeyPad> makePad(uint32_t type) {
    auto pad = std::make_unique<MSoftKeyPad>(MInputRect{0, 0, 100, 400}, MInputRect{100, 0, 200, 400}, type);
    pad->resetAndEnable();
    return pad;
}

// The key a touch that goes down at (x, y) holds.
int32_t keyAt(MSoftKeyPad& pad, float x, float y) {
    pad.press(0, x, y);
    pad.latch();
    const int32_t key = int32_t(pad.pressedKeys());
    pad.release(0, x, y);
    pad.latch();
    return key;
}

constexpr int32_t kStick = int32_t(kSoftKeyStick);

struct Cell {
    uint32_t type;
    float x, y;
    int32_t key;
};

TEST_F(MSoftKeyPadTest, HitTestTables) {
    // Cell centres: area 1 of 3 x 4 has columns at 16, 50, 83 and rows at 50,
    // 150, 250, 350; area 2 is offset by 100.
    const Cell cells[] = {
        {0, 16, 50, kSoftKeyLB},       {0, 50, 50, 0},                   {0, 83, 50, kSoftKeyStart},
        {0, 16, 150, kStick | int32_t(kSoftKeyUp | kSoftKeyLeft)},
        {0, 50, 150, kStick | int32_t(kSoftKeyUp)},
        {0, 50, 250, kStick},          {0, 83, 350, kStick | int32_t(kSoftKeyDown | kSoftKeyRight)},
        {0, 116, 50, kSoftKeyBack},    {0, 183, 50, kSoftKeyRB},         {0, 150, 250, kSoftKeyY},
        {0, 183, 250, kSoftKeyX},      {0, 150, 350, kSoftKeyB},         {0, 183, 350, kSoftKeyA},
        {0, 150, 150, 0},              {0, 250, 50, 0},                  {0, 50, -1, 0},
        {1, 25, 50, kSoftKeyStart},    {1, 75, 50, kSoftKeyBack},        {1, 25, 250, kStick},
        {1, 150, 100, kSoftKeyB},      {1, 150, 300, kSoftKeyA},
        {2, 116, 50, kSoftKeyRB},      {2, 150, 50, 0x1000},             {2, 183, 350, 0x2000},
        {2, 116, 150, kSoftKeyA},      {2, 183, 250, kSoftKeyLB},
        {3, 125, 100, kSoftKeyY},      {3, 175, 100, kSoftKeyX},         {3, 125, 300, kSoftKeyB},
        {3, 175, 300, kSoftKeyA},
        {4, 125, 100, kSoftKeyLB},     {4, 175, 100, kSoftKeyRB},
        {5, 175, 100, kSoftKeyLB},     {5, 175, 300, kSoftKeyA},
        {6, 125, 50, 0x1000},          {6, 175, 50, 0x2000},             {6, 125, 250, kSoftKeyY},
        {6, 175, 350, kSoftKeyA},
        {7, 116, 50, kSoftKeyA},       {7, 150, 50, kSoftKeyB},          {7, 183, 50, kSoftKeyRB},
        {7, 116, 150, kSoftKeyX},      {7, 183, 350, 0},
        {8, 25, 50, kSoftKeyStart},    {8, 75, 50, kSoftKeyBack},        {8, 25, 150, kStick},
        {8, 150, 350, kStick},  // no area test: the grid runs on past area 1
        {9, 150, 50, kStick},          {10, 10, 10, kStick},             {11, 25, 50, 0},
        {99998, 25, 50, 0},
        // 99999: x in [63.28, 136.72) and y in [308.33, 362.5) of the 200 x 400 surface.
        {99999, 64, 309, kSoftKeyA},   {99999, 137, 309, 0},             {99999, 64, 363, 0},
    };
    for (const Cell& c : cells) {
        std::unique_ptr<MSoftKeyPad> pad = makePad(c.type);
        EXPECT_EQ(keyAt(*pad, c.x, c.y), c.key) << "type " << c.type << " at " << c.x << "," << c.y;
    }
}

TEST_F(MSoftKeyPadTest, StickCellsAnswerOnlyWhenDirectionsAreEnabled) {
    auto padOwner = makePad(0);
    MSoftKeyPad& pad = *padOwner;
    pad.setDirectionsEnabled(false);
    EXPECT_EQ(keyAt(pad, 50, 150), 0);
    EXPECT_EQ(keyAt(pad, 16, 50), int32_t(kSoftKeyLB));
    auto wholeOwner = makePad(9);
    MSoftKeyPad& whole = *wholeOwner;
    whole.setDirectionsEnabled(false);
    EXPECT_EQ(keyAt(whole, 50, 150), 0);
}

struct Drag {
    uint32_t type;
    float dx, dy;
    uint32_t directions;
};

TEST_F(MSoftKeyPadTest, DragSticksReadFourOrEightDirections) {
    const uint32_t up = kSoftKeyUp, down = kSoftKeyDown, left = kSoftKeyLeft, right = kSoftKeyRight;
    const Drag drags[] = {
        {1, 9, 0, 0},              // under one drag unit: neutral
        {1, 15, 0, right},         // 1.5 units: four sectors
        {1, 10, 14, down},         // 1.7 units, 54 degrees below: four sectors pick down
        {1, 15, -15, up | right},  // 2.1 units: eight sectors
        {1, -30, 0, left},         {1, 0, -30, up},            {1, -25, 25, down | left},
        {9, 12, 12, down | right}, // layout 9 always uses eight sectors
        {10, 100, 0, 0},           // q = 50: neutral
        {10, 200, 0, right},       // q = 200: four sectors
        {10, 250, 250, down | right},  // q = 625: eight sectors
    };
    for (const Drag& d : drags) {
        auto padOwner = makePad(d.type);
        MSoftKeyPad& pad = *padOwner;
        pad.press(0, 30, 150);
        pad.move(0, 30 + d.dx, 150 + d.dy);
        pad.latch();
        EXPECT_EQ(pad.pressedKeys(), kSoftKeyStick | d.directions) << d.type << ": " << d.dx << "," << d.dy;
    }
}

TEST_F(MSoftKeyPadTest, AStickStaysAStickAndAButtonStaysPressedUntilRelease) {
    auto padOwner = makePad(1);
    MSoftKeyPad& pad = *padOwner;
    pad.press(0, 30, 150);          // stick cell
    pad.move(0, 75, 250);           // dragged down-right, over another stick cell
    pad.move(0, 75, 50);            // over Back: still the stick, its code unchanged
    pad.press(1, 150, 300);         // A
    pad.move(1, 150, 100);          // over B: still A
    pad.latch();
    EXPECT_EQ(pad.pressedKeys(), kSoftKeyStick | kSoftKeyDown | kSoftKeyRight | kSoftKeyA);
    EXPECT_EQ(pad.newlyPressedKeys(), pad.pressedKeys());
    pad.release(1, 150, 100);
    pad.latch();
    EXPECT_EQ(pad.releasedKeys(), uint32_t(kSoftKeyA));
    EXPECT_EQ(pad.newlyPressedKeys(), 0u);
}

TEST_F(MSoftKeyPadTest, SticksFollowTheDragAndClearWhenNoPointIsDown) {
    auto padOwner = makePad(9);
    MSoftKeyPad& pad = *padOwner;
    pad.press(0, 50, 50);
    pad.move(0, 100, 300);
    pad.latch();
    EXPECT_TRUE(pad.leftStick().active);
    EXPECT_FLOAT_EQ(pad.leftStick().x, 0.5f);
    EXPECT_FLOAT_EQ(pad.leftStick().y, 1.0f);  // clamped
    pad.release(0, 100, 300);
    pad.latch();
    EXPECT_FALSE(pad.leftStick().active);
    EXPECT_EQ(pad.leftStick().x, 0.0f);

    auto halfOwner = makePad(10);
    MSoftKeyPad& half = *halfOwner;
    half.press(0, 50, 50);
    half.move(0, 100, 50);
    half.latch();
    EXPECT_FLOAT_EQ(half.leftStick().x, 0.25f);

    auto splitOwner = makePad(1);
    MSoftKeyPad& split = *splitOwner;
    split.press(0, 150, 50);
    split.move(0, 170, 50);
    split.latch();
    EXPECT_FLOAT_EQ(split.rightStick().x, 0.2f);
    EXPECT_FALSE(split.leftStick().active);
}

TEST_F(MSoftKeyPadTest, KeysDisabledReadsNoKeysAndResets) {
    auto padOwner = makePad(0);
    MSoftKeyPad& pad = *padOwner;
    pad.press(0, 183, 350);
    pad.setKeysEnabled(false);
    pad.press(0, 183, 350);
    pad.latch();
    EXPECT_EQ(pad.pressedKeys(), 0u);
    EXPECT_EQ(pad.downMask(), 1u);  // the touch itself still counts
}

}  // namespace
