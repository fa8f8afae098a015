#include "game/frontend/menu_cursor.h"

#include <algorithm>
#include <cmath>

#include "game/frontend/menu_cursor_tables.h"

MenuCursor menuCursor = {};
int32_t menuCursorFrame = 0;

namespace {

constexpr float kCursorTurn = 6.2831855f;
constexpr float kCursorTurnUnits = 1024.0f;

void stepCursorPoint(float& x, float& y, float targetX, float targetY, int32_t& direction, float& speed) {
    direction = int32_t(std::atan2(targetX - x, y - targetY) * kCursorTurnUnits / kCursorTurn);
    const float dx = std::fabs(x - targetX);
    const float dy = std::fabs(y - targetY);
    speed = menuCursorSpeed(dx + dy - std::min(dx, dy) / 2.0f);
    if (speed < 1.0f) {
        x = targetX;
        y = targetY;
        return;
    }
    const float a = float(direction) * kCursorTurn / kCursorTurnUnits;
    x += std::sin(a) * speed;
    y -= std::cos(a) * speed;
}

}  // namespace

float menuCursorSpeed(float distance) {
    for (const MenuCursorStep& step : kMenuCursorStepTable) {
        if (distance > step.threshold) return step.speed;
    }
    return 0.0f;
}

void menuCursorSet(float x, float y) { menuCursor = {x, y, x, y, x, y, x, y, 0, 0, 0.0f, 0.0f}; }

void menuCursorGet(float* x, float* y) {
    *x = menuCursor.leftX;
    *y = menuCursor.leftY;
}

void menuCursorUpdate() {
    MenuCursor& m = menuCursor;
    stepCursorPoint(m.leftX, m.leftY, m.targetLeftX, m.targetLeftY, m.leftDirection, m.leftSpeed);
    stepCursorPoint(m.rightX, m.rightY, m.targetRightX, m.targetRightY, m.rightDirection, m.rightSpeed);
    ++menuCursorFrame;
}
