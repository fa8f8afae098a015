#include "engine/input/touch_pad.h"

#include <gtest/gtest.h>

#include "engine/input/mouse.h"
#include "engine/task/looper.h"

namespace {

// The pads hook into the looper's phases, so each test has one.
class MTouchPadTest : public testing::Test {
protected:
    MLooper looper;
};
using MMouseTest = MTouchPadTest;

TEST_F(MTouchPadTest, ATouchDownAndUpWithinOneFrameReadsPressedAndReleased) {
    MTouchPad pad;
    pad.resetAndEnable();
    pad.press(2, 10.0f, 20.0f);
    pad.release(2, 30.0f, 40.0f);
    pad.latch();
    EXPECT_EQ(pad.pressedMask(), 0b100u);
    EXPECT_EQ(pad.releasedMask(), 0b100u);
    EXPECT_EQ(pad.downMask(), 0u);
    EXPECT_EQ(pad.currentPoint(), 2u);
    // It never moved, so it stays where it went down.
    EXPECT_EQ(pad.position(2).x, 10.0f);
    pad.latch();
    EXPECT_EQ(pad.pressedMask(), 0u);
    EXPECT_EQ(pad.releasedMask(), 0u);
}

TEST_F(MTouchPadTest, MovesAreLatchedAndAMovedPointIsReleasedWhereItWent) {
    MTouchPad pad;
    pad.resetAndEnable();
    pad.press(0, 1.0f, 2.0f);
    pad.press(1, 5.0f, 5.0f);
    pad.latch();
    EXPECT_EQ(pad.downCount(), 2u);
    EXPECT_EQ(pad.currentPoint(), 1u);
    pad.move(0, 3.0f, 4.0f);
    pad.latch();
    EXPECT_EQ(pad.movedMask(), 1u);
    EXPECT_EQ(pad.movedThisFrameMask(), 1u);
    EXPECT_EQ(pad.position(0).y, 4.0f);
    EXPECT_EQ(pad.startPosition(0).y, 2.0f);
    pad.release(0, 7.0f, 8.0f);
    pad.latch();
    EXPECT_EQ(pad.movedThisFrameMask(), 0u);
    EXPECT_EQ(pad.position(0).x, 7.0f);
    EXPECT_EQ(pad.downCount(), 1u);
}

TEST_F(MTouchPadTest, OutOfRangeIndicesAndADisabledPadAreIgnored) {
    MTouchPad pad;
    pad.press(0, 1.0f, 1.0f);  // not enabled yet
    pad.resetAndEnable();
    pad.press(4, 1.0f, 1.0f);
    pad.move(4, 1.0f, 1.0f);
    pad.release(4, 1.0f, 1.0f);
    pad.latch();
    EXPECT_EQ(pad.downMask(), 0u);
    EXPECT_EQ(pad.pressedMask(), 0u);
    EXPECT_EQ(pad.position(0).x, -1.0f);

    pad.press(3, 1.0f, 1.0f);
    pad.disable();
    pad.latch();
    EXPECT_EQ(pad.downMask(), 0u);
    EXPECT_FALSE(pad.isEnabled());
}

TEST_F(MTouchPadTest, LatchOnceLatchesOncePerFrame) {
    MTouchPad pad;
    pad.resetAndEnable();
    pad.latchOnce();
    pad.press(0, 1.0f, 1.0f);
    pad.latchOnce();
    EXPECT_EQ(pad.downMask(), 0u);
    pad.clearLatchedThisFrame();
    pad.latchOnce();
    EXPECT_EQ(pad.downMask(), 1u);
}

// An application task that ends in its first frame.
class OneFrame : public MTask {
    void update() override { setState(kFinished); }
};

TEST_F(MTouchPadTest, TheLoopClearsTheFrameFlagAfterTheDrawAndLatchesAfterTheFrameStep) {
    MTouchPad pad;
    MMouse mouse;
    pad.resetAndEnable();
    mouse.resetAndEnable();
    // An early reader latched this frame already; what comes after still
    // reaches the latched state at the end of the frame.
    pad.latchOnce();
    mouse.latchOnce();
    pad.press(1, 5.0f, 6.0f);
    mouse.press(2, 7.0f, 8.0f);
    looper.run(new OneFrame);
    EXPECT_EQ(pad.downMask(), 0b10u);
    EXPECT_EQ(mouse.downMask(), 0b100u);
}

TEST_F(MMouseTest, ButtonsCursorAndWheelsAreLatchedPerFrame) {
    MMouse mouse;
    mouse.resetAndEnable();
    mouse.press(1, 10.0f, 20.0f);
    mouse.move(11.0f, 21.0f);
    mouse.wheel(2, 0.0f, 1.0f);
    mouse.wheel(2, 0.0f, 2.0f);
    mouse.press(8, 0.0f, 0.0f);
    mouse.wheel(4, 0.0f, 1.0f);
    mouse.latch();
    EXPECT_EQ(mouse.downMask(), 0b10u);
    EXPECT_EQ(mouse.pressedMask(), 0b10u);
    EXPECT_EQ(mouse.lastButton(), 1u);
    EXPECT_EQ(mouse.movedThisFrameMask(), 1u);
    EXPECT_EQ(mouse.position(0).x, 11.0f);
    EXPECT_EQ(mouse.startPosition(1).y, 20.0f);
    EXPECT_EQ(mouse.wheelMask(), 0b100u);
    EXPECT_EQ(mouse.wheelCount(), 1u);
    EXPECT_EQ(mouse.wheelDelta(2).y, 3.0f);
    EXPECT_EQ(mouse.lastWheel(), 2u);

    mouse.release(1, 30.0f, 40.0f);
    mouse.latch();
    EXPECT_EQ(mouse.downMask(), 0u);
    EXPECT_EQ(mouse.releasedMask(), 0b10u);
    EXPECT_EQ(mouse.position(1).x, 10.0f);  // never moved while down
    EXPECT_EQ(mouse.wheelMask(), 0u);
    EXPECT_EQ(mouse.wheelDelta(2).y, 0.0f);
}

TEST_F(MMouseTest, AMovedButtonIsReleasedWhereItWentUnlessOffTheWindow) {
    MMouse mouse;
    mouse.resetAndEnable();
    mouse.press(0, 1.0f, 1.0f);
    mouse.move(5.0f, 5.0f);
    mouse.latch();
    mouse.release(0, -3.0f, 6.0f);
    EXPECT_EQ(mouse.position(0).x, 5.0f);
    mouse.press(0, 1.0f, 1.0f);
    mouse.move(5.0f, 5.0f);
    mouse.latch();
    mouse.release(0, 9.0f, 9.0f);
    EXPECT_EQ(mouse.position(0).x, 9.0f);
}

}  // namespace
