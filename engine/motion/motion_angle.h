#pragma once
// Angles of the motion players: degrees, kept in [0, 360).

#include <cmath>

inline constexpr float kMotionPi = 3.1415927f;

// fmod rather than repeated steps, so a huge angle can't loop for long.
inline float wrapDegrees(float a) {
    a = std::fmod(a, 360.0f);
    if (a < 0.0f) a += 360.0f;
    return a < 360.0f ? a : 0.0f;
}
