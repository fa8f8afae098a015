#include "engine/input/input.h"

#include <algorithm>
#include <cmath>

void MInput::update(const MInputSample& sample, float frameStep) {
    previousButtons = buttons;
    buttons = sample.buttons;
    for (int axis = 0; axis < 6; ++axis) {
        const float value = sample.axes[axis];
        axes[axis] = deadZoneOf(axis) > std::fabs(value) ? 0.0f : value;
    }
    touchX = sample.touchX;
    touchY = sample.touchY;
    if (repeatMask != 0) repeat(frameStep);
}

float MInput::deadZoneOf(int axis) const {
    switch (axis) {
        case kAxisLeftX:
        case kAxisRightX: return deadZoneX;
        case kAxisLeftY:
        case kAxisRightY: return deadZoneY;
        default: return triggerDeadZone;
    }
}

// Held repeat-masked buttons read as pressed again once the delay and then
// every interval has run out.
void MInput::repeat(float frameStep) {
    if ((buttons & repeatMask) == 0) {
        repeatTimer = float(repeatDelay);
        return;
    }
    repeatTimer -= std::trunc(frameStep);
    if (repeatTimer <= 0.0f) {
        repeatTimer = std::max(float(repeatInterval) + repeatTimer, 0.0f);
        previousButtons &= ~repeatMask;
    }
}
