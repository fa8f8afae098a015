#include "game/core/wheel_angle.h"

#include <gtest/gtest.h>

namespace {

TEST(WheelAngleTest, ClampTurnsTowardsTheTargetByAtMostTheStep) {
    struct Case {
        int a, b, s, expected;
    };
    const Case cases[] = {
        {100, 0, 16, 16},  {1000, 0, 16, 1008}, {4, 1020, 16, 4},   {1020, 0, 16, 1008},
        {10, 0, 16, 10},   {0, 0, 16, 0},       {2048, 1024, 8, 0}, {-4, 0, 16, 1008},
        {600, 100, 16, 116}, {512, 0, 16, 16},   {513, 0, 16, 1008}, {16, 0, 16, 16},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SDL2_wheel_AngleClamp(c.a, c.b, c.s), c.expected) << c.a << " " << c.b << " " << c.s;
    }
}

TEST(WheelAngleTest, AngleZeroMovesUpAndAQuarterMovesRight) {
    float x = 10, y = 10;
    SDL2_wheel_AngleSinCos(0, &x, &y, 2.0f);
    EXPECT_NEAR(x, 10.0f, 1e-5);
    EXPECT_NEAR(y, 8.0f, 1e-5);
    SDL2_wheel_AngleSinCos(256, &x, &y, 3.0f);
    EXPECT_NEAR(x, 13.0f, 1e-5);
    EXPECT_NEAR(y, 8.0f, 1e-5);
}

TEST(WheelAngleTest, DistanceIsTheLargerPlusHalfTheSmaller) {
    EXPECT_FLOAT_EQ(SDL2_wheel_Distance(0, 0, 3, 4), 5.5f);
    EXPECT_FLOAT_EQ(SDL2_wheel_Distance(3, 4, 0, 0), 5.5f);
    EXPECT_FLOAT_EQ(SDL2_wheel_Distance(1, 1, 1, 1), 0.0f);
}

}  // namespace
