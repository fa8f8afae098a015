#include <array>

#include "engine/ui/menu.h"

namespace {

struct HalfPlane {
    float px, py, nx, ny;
    bool holds(float x, float y) const { return (x - px) * nx + (y - py) * ny >= 0.0f; }
};

// Three half-planes whose intersection is the wedge; the left and up wedges
// mirror the right and down ones by flipping one part of every normal.
std::array<HalfPlane, 3> wedgeOf(int direction, const MRectF& r) {
    const float cx = (r.left + r.right) * 0.5f;
    const float cy = (r.top + r.bottom) * 0.5f;
    if (direction == MMenu::kRight || direction == MMenu::kLeft) {
        const float s = direction == MMenu::kRight ? 1.0f : -1.0f;
        return {{{cx, cy, s, 0.0f}, {cx, r.top, s, -1.0f}, {cx, r.bottom, s, 1.0f}}};
    }
    const float s = direction == MMenu::kDown ? 1.0f : -1.0f;
    return {{{cx, cy, 0.0f, s}, {r.right, cy, -1.0f, s}, {r.left, cy, 1.0f, s}}};
}

}  // namespace

int menuDirectionOf(uint32_t pressed) {
    int direction = 0;
    if (pressed & MMenu::kRightBit) direction = MMenu::kRight;
    if (pressed & MMenu::kLeftBit) direction = MMenu::kLeft;
    if (pressed & MMenu::kUpBit) direction = MMenu::kUp;
    if (pressed & MMenu::kDownBit) direction = MMenu::kDown;
    return direction;
}

bool menuInDirection(int direction, const MRectF& rect, float x, float y) {
    if (direction < MMenu::kRight || direction > MMenu::kUp) return false;
    for (const HalfPlane& plane : wedgeOf(direction, rect)) {
        if (!plane.holds(x, y)) return false;
    }
    return true;
}
