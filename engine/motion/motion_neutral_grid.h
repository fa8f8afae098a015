#pragma once
// The neutral mesh: a 4 by 4 grid of control points over the unit square,
// row by row, x then y for each point. A mesh frame without points stands
// for it, and mesh differences are taken against it.

#include <array>

inline constexpr std::array<float, 32> kMotionNeutralMeshGrid = [] {
    std::array<float, 32> grid{};
    for (int i = 0; i < 16; ++i) {
        grid[2 * i] = float(i % 4) / 3.0f;
        grid[2 * i + 1] = float(i / 4) / 3.0f;
    }
    return grid;
}();
