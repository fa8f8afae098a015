// The game's angle routines.
#include "game/core/wheel_angle.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTurnRadians = 6.2831855f;

int normalise(int angle) { return ((angle % 1024) + 1024) % 1024; }

}  // namespace

void SDL2_wheel_AngleSinCos(int angle, float* x, float* y, float speed) {
    const float t = float(angle) * kTurnRadians / 1024.0f;
    *x += std::sin(t) * speed;
    *y -= std::cos(t) * speed;
}

int SDL2_wheel_AngleClamp(int a, int b, int s) {
    a = normalise(a);
    b = normalise(b);
    if (a == b) return a;
    const int d = a - b;
    if ((d > 0 && d < s) || (d < 0 && d > -s)) return a;
    const int e = d < 0 ? d + 1024 : d;
    // e is how far a lies clockwise of b: the first half-turn is turned back
    // clockwise from b, the rest anticlockwise.
    if (e != 0 && e > s) return normalise(e < 513 ? b + s : b - s);
    return a;
}

float SDL2_wheel_Distance(float x1, float y1, float x2, float y2) {
    const float dx = std::fabs(x1 - x2);
    const float dy = std::fabs(y1 - y2);
    return dx + dy - std::min(dx, dy) * 0.5f;
}
