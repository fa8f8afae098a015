// The menu cursor: step lengths by distance, the snap within 2 units, the
// steps from 300 units away, and the heading in each quadrant.
#include "game/frontend/menu_cursor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/frontend/menu_cursor_tables.h"

namespace {

// Both points' targets at (x, y).
void menuCursorTestAim(float x, float y) {
    menuCursor.targetLeftX = menuCursor.targetRightX = x;
    menuCursor.targetLeftY = menuCursor.targetRightY = y;
}

TEST(MenuCursorTest, SpeedIsTheFirstRowWhoseThresholdTheDistanceExceeds) {
    const struct {
        float distance, speed;
    } cases[] = {{1000.0f, 128.0f}, {256.5f, 128.0f}, {256.0f, 64.0f}, {129.0f, 64.0f}, {100.0f, 32.0f},
                 {40.0f, 16.0f},    {20.0f, 8.0f},    {8.5f, 4.0f},    {8.0f, 2.0f},    {3.0f, 1.0f},
                 {2.0f, 0.0f},      {1.9f, 0.0f},     {0.0f, 0.0f}};
    for (const auto& c : cases) EXPECT_EQ(menuCursorSpeed(c.distance), c.speed) << c.distance;
}

TEST(MenuCursorTest, SetPutsBothPointsAndTargetsStill) {
    menuCursorSet(40.0f, 50.0f);
    float x = 0.0f, y = 0.0f;
    menuCursorGet(&x, &y);
    EXPECT_EQ(x, 40.0f);
    EXPECT_EQ(y, 50.0f);
    EXPECT_EQ(menuCursor.targetRightX, 40.0f);
    EXPECT_EQ(menuCursor.rightSpeed, 0.0f);
    EXPECT_EQ(menuCursor.leftDirection, 0);
}

TEST(MenuCursorTest, APointWithinTwoUnitsSnaps) {
    menuCursorSet(100.0f, 100.0f);
    menuCursorTestAim(101.9f, 100.0f);
    const int32_t frame = menuCursorFrame;
    menuCursorUpdate();
    EXPECT_EQ(menuCursor.leftX, 101.9f);
    EXPECT_EQ(menuCursor.rightX, 101.9f);
    EXPECT_EQ(menuCursor.leftY, 100.0f);
    EXPECT_EQ(menuCursorFrame, frame + 1);
}

// 300 units to the right: each step's length by the table, then the snap.
TEST(MenuCursorTest, StepsFromThreeHundredUnitsToTheSnap) {
    menuCursorSet(0.0f, 144.0f);
    menuCursorTestAim(300.0f, 144.0f);
    const std::vector<float> left = {172, 108, 76, 44, 28, 20, 12, 8, 6, 4, 3, 2, 0};
    for (float want : left) {
        menuCursorUpdate();
        EXPECT_NEAR(300.0f - menuCursor.leftX, want, 0.1f);
        EXPECT_NEAR(menuCursor.leftY, 144.0f, 0.1f);
        EXPECT_NEAR(menuCursor.leftDirection, 256, 1);
    }
    EXPECT_EQ(menuCursor.leftX, 300.0f);
    EXPECT_EQ(menuCursor.rightX, 300.0f);
    EXPECT_EQ(menuCursor.leftSpeed, 0.0f);
}

// 0 up, clockwise, 1024 a turn; each point moves toward its own target.
TEST(MenuCursorTest, TheHeadingInEachQuadrant) {
    const struct {
        const char* name;
        float dx, dy;
        int32_t direction;
    } cases[] = {{"up right", 200, -200, 128},  {"down right", 200, 200, 384}, {"down left", -200, 200, -384},
                 {"up left", -200, -200, -128}, {"up", 0, -300, 0},           {"left", -300, 0, -256}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        menuCursorSet(112.0f, 144.0f);
        menuCursor.targetLeftX = 112.0f + c.dx;
        menuCursor.targetLeftY = 144.0f + c.dy;
        menuCursorUpdate();
        EXPECT_NEAR(menuCursor.leftDirection, c.direction, 1);
        EXPECT_EQ(menuCursor.leftSpeed, 128.0f);
        EXPECT_EQ(std::signbit(menuCursor.leftX - 112.0f), std::signbit(c.dx)) << menuCursor.leftX;
        EXPECT_EQ(std::signbit(menuCursor.leftY - 144.0f), std::signbit(c.dy)) << menuCursor.leftY;
        EXPECT_EQ(menuCursor.rightX, 112.0f) << "the right point is on its target";
    }
}

}  // namespace
