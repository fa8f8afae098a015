#include "engine/input/input.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/input/input_map.h"

namespace {

MInputSample held(uint32_t buttons) {
    MInputSample sample;
    sample.buttons = buttons;
    return sample;
}

// The frames (1-based, counted from the first frame held) on which Up reads
// as pressed.
std::vector<int> pressedFrames(MInput& input, int frames, float step) {
    std::vector<int> result;
    for (int frame = 1; frame <= frames; ++frame) {
        input.update(held(kInputUp), step);
        if (input.pressed() & kInputUp) result.push_back(frame);
    }
    return result;
}

TEST(MInput, AsConstructedEverythingIsZero) {
    const MInput input;
    EXPECT_EQ(input.buttons, 0u);
    EXPECT_EQ(input.repeatMask, 0u);
    EXPECT_EQ(input.attachment, nullptr);
    for (float axis : input.axes) EXPECT_EQ(axis, 0.0f);
    EXPECT_EQ(input.vibrationTime, 0.0f);
}

TEST(MInput, PressedIsThisFrameAndNotTheLast) {
    MInput input;
    input.update(held(kInputA), 1.0f);
    EXPECT_EQ(input.pressed(), uint32_t(kInputA));
    input.update(held(kInputA | kInputB), 1.0f);
    EXPECT_EQ(input.pressed(), uint32_t(kInputB));
    input.update(held(kInputB), 1.0f);
    EXPECT_EQ(input.released(), uint32_t(kInputA));
}

TEST(MInput, RepeatAfterTheDelayThenEveryInterval) {
    MInput input;
    input.repeatMask = kInputUp;
    input.repeatDelay = 30;
    input.repeatInterval = 3;
    input.update(held(0), 1.0f);  // nothing held: the timer is loaded with the delay
    EXPECT_EQ(pressedFrames(input, 40, 1.0f), (std::vector<int>{1, 30, 33, 36, 39}));
}

TEST(MInput, RepeatStartsOverWhenReleasedAndStepsByWholeFrames) {
    MInput input;
    input.repeatMask = kInputUp;
    input.repeatDelay = 4;
    input.repeatInterval = 2;
    input.update(held(0), 1.0f);
    EXPECT_EQ(pressedFrames(input, 3, 1.0f), (std::vector<int>{1}));
    input.update(held(0), 1.0f);
    EXPECT_EQ(input.repeatTimer, 4.0f);
    // A step of 2.7 counts as 2 frames.
    EXPECT_EQ(pressedFrames(input, 4, 2.7f), (std::vector<int>{1, 2, 3, 4}));
}

TEST(MInput, ButtonsOutsideTheRepeatMaskDoNotRepeat) {
    MInput input;
    input.repeatMask = kInputUp;
    input.repeatDelay = 2;
    input.repeatInterval = 1;
    input.update(held(0), 1.0f);
    int pressedA = 0;
    for (int frame = 0; frame < 10; ++frame) {
        input.update(held(kInputUp | kInputA), 1.0f);
        if (input.pressed() & kInputA) ++pressedA;
    }
    EXPECT_EQ(pressedA, 1);
}

TEST(MInput, AxesInsideTheirDeadZoneReadZero) {
    MInput input;
    input.deadZoneX = 0.2f;
    input.deadZoneY = 0.5f;
    input.triggerDeadZone = 0.1f;
    MInputSample sample;
    const float axes[6] = {0.19f, 0.4f, -0.3f, -0.6f, 0.05f, 0.2f};
    std::copy(std::begin(axes), std::end(axes), sample.axes);
    sample.touchX = 12.0f;
    sample.touchY = 34.0f;
    input.update(sample, 1.0f);
    const float expected[6] = {0.0f, 0.0f, -0.3f, -0.6f, 0.0f, 0.2f};
    for (int axis = 0; axis < 6; ++axis) EXPECT_EQ(input.axes[axis], expected[axis]) << axis;
    EXPECT_EQ(input.touchX, 12.0f);
    EXPECT_EQ(input.touchY, 34.0f);
}

}  // namespace
