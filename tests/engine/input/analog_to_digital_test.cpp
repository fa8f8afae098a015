#include "engine/input/analog_to_digital.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/input/input_map.h"

namespace {

using platform::XPadState;

MInputSample sampleOf(const XPadState& pad, MStickSwitches switches = {}, uint32_t before = 0) {
    MInputSample sample;
    sample.buttons = before;
    padToSample(pad, 0, switches, sample);
    return sample;
}

TEST(AnalogToDigital, XInputButtonsBecomeEngineBitsWithTheShouldersCrossed) {
    XPadState pad;
    pad.buttons = platform::kXPadA | platform::kXPadLeftShoulder | platform::kXPadRightThumb |
                  platform::kXPadBack | platform::kXPadDpadUp;
    EXPECT_EQ(sampleOf(pad).buttons,
              uint32_t(kInputA | kInputLB | kInputRightThumb | kInputBack | kInputUp));
    pad.buttons = platform::kXPadRightShoulder | platform::kXPadStart;
    EXPECT_EQ(sampleOf(pad).buttons, uint32_t(kInputRB | kInputStart));
}

TEST(AnalogToDigital, TriggersPressAtThirtyAndScaleToOne) {
    XPadState pad;
    pad.leftTrigger = 29;
    pad.rightTrigger = 30;
    const MInputSample sample = sampleOf(pad);
    EXPECT_EQ(sample.buttons, uint32_t(kInputRT));
    EXPECT_FLOAT_EQ(sample.axes[kAxisLeftTrigger], 29.0f / 255.0f);
    pad.leftTrigger = 255;
    EXPECT_EQ(sampleOf(pad).axes[kAxisLeftTrigger], 1.0f);
}

TEST(AnalogToDigital, SticksHaveTheirOwnDeadZonesAndYGrowsDownwards) {
    struct Case {
        int16_t lx, ly, rx, ry;
        float axes[4];
    };
    const Case cases[] = {
        {8000, 0, 8000, 0, {8000.0f / 32767.0f, 0.0f, 0.0f, 0.0f}},
        {7849, -7849, 8689, -8689, {0.0f, 0.0f, 0.0f, 0.0f}},
        {7850, 0, 0, 8690, {7850.0f / 32767.0f, 0.0f, 0.0f, -8690.0f / 32767.0f}},
        {-32768, 32767, 32767, -32768, {-1.0f, 0.0f, 0.0f, 0.0f}},
        {0, 32767, 0, -32768, {0.0f, -1.0f, 0.0f, 1.0f}},
    };
    for (const Case& c : cases) {
        XPadState pad;
        pad.thumbLX = c.lx;
        pad.thumbLY = c.ly;
        pad.thumbRX = c.rx;
        pad.thumbRY = c.ry;
        const MInputSample sample = sampleOf(pad);
        if (c.lx == -32768) {
            // Both axes non-zero: mapped onto the disc, length max(|x|, |y|) = 1.
            EXPECT_NEAR(sample.axes[kAxisLeftX], -std::sqrt(0.5f), 1e-6);
            EXPECT_NEAR(sample.axes[kAxisLeftY], -std::sqrt(0.5f), 1e-6);
            EXPECT_NEAR(sample.axes[kAxisRightX], std::sqrt(0.5f), 1e-6);
            EXPECT_NEAR(sample.axes[kAxisRightY], std::sqrt(0.5f), 1e-6);
            continue;
        }
        for (int axis = 0; axis < 4; ++axis) EXPECT_FLOAT_EQ(sample.axes[axis], c.axes[axis]) << axis;
    }
}

TEST(AnalogToDigital, TheSquareMapsOntoTheDiscKeepingTheLongerAxis) {
    XPadState pad;
    pad.thumbLX = 32767;
    pad.thumbLY = -16384;  // down, half
    const MInputSample sample = sampleOf(pad);
    const float x = sample.axes[kAxisLeftX];
    const float y = sample.axes[kAxisLeftY];
    EXPECT_NEAR(std::sqrt(x * x + y * y), 1.0f, 1e-6);
    EXPECT_NEAR(y / x, 0.5f, 1e-6);  // -16384 / 32768 down, 32767 / 32767 right
}

float rad(float degrees) { return degrees * 3.14159265f / 180.0f; }

TEST(AnalogToDigital, StickSectorsOfFortyFiveDegrees) {
    struct Case {
        float x, y;
        uint32_t bits;
    };
    const float d = std::sqrt(0.5f);
    const Case cases[] = {
        {1, 0, kInputRight},          {d, d, kInputRight | kInputDown}, {0, 1, kInputDown},
        {-d, d, kInputDown | kInputLeft}, {-1, 0, kInputLeft},     {-d, -d, kInputUp | kInputLeft},
        {0, -1, kInputUp},            {d, -d, kInputUp | kInputRight},  {0.59f, 0, 0},
        {0.6f, 0, kInputRight},       {0, 0, 0},
        // Sector 0 spans -22 to 23 degrees (y down), not -22.5 to 22.5.
        {std::cos(rad(21.5f)), -std::sin(rad(21.5f)), kInputRight},
        {std::cos(rad(22.5f)), -std::sin(rad(22.5f)), kInputUp | kInputRight},
        {std::cos(rad(22.5f)), std::sin(rad(22.5f)), kInputRight},
        {std::cos(rad(23.5f)), std::sin(rad(23.5f)), kInputDown | kInputRight},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(stickDirections(c.x, c.y), c.bits) << c.x << "," << c.y;
    }
}

TEST(AnalogToDigital, StickSwitchesAddDirectionsOnlyWhenNoneAreSet) {
    XPadState pad;
    pad.thumbLX = 32767;
    pad.thumbLY = -32768;  // full right, full down
    EXPECT_EQ(sampleOf(pad).buttons, 0u);
    EXPECT_EQ(sampleOf(pad, {true, false}).buttons, uint32_t(kInputRight | kInputDown));
    EXPECT_EQ(sampleOf(pad, {true, false}, kInputUp).buttons, uint32_t(kInputUp));

    pad.thumbRX = -32768;
    pad.thumbRY = -32768;
    EXPECT_EQ(sampleOf(pad, {false, true}).buttons, uint32_t(kInputLeft | kInputDown));
    // The right stick is tested against the bits after the left stick.
    EXPECT_EQ(sampleOf(pad, {true, true}).buttons, uint32_t(kInputRight | kInputDown));
}

TEST(AnalogToDigital, ExitBitsReachTheSample) {
    MInputSample sample;
    padToSample(XPadState(), kInputExit, {}, sample);
    EXPECT_EQ(sample.buttons, uint32_t(kInputExit));
}

}  // namespace
