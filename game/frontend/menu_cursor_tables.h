#pragma once
// The menu cursor's step lengths by distance left.

#include <array>

struct MenuCursorStep {
    float threshold;
    float speed;
};
inline constexpr int kMenuCursorSteps = 9;
extern const std::array<MenuCursorStep, kMenuCursorSteps> kMenuCursorStepTable;
