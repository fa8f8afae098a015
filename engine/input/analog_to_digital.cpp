#include "engine/input/analog_to_digital.h"

#include <cmath>

#include "engine/input/input_map.h"

namespace {

constexpr int kLeftThumbDeadZone = 7849;
constexpr int kRightThumbDeadZone = 8689;

// Sectors of 45 degrees from the right, clockwise (y grows downwards).
constexpr uint32_t kSectorBits[8] = {
    kInputRight, kInputDown | kInputRight, kInputDown, kInputDown | kInputLeft,
    kInputLeft,  kInputUp | kInputLeft,    kInputUp,   kInputUp | kInputRight,
};

float thumbValue(int16_t raw, int deadZone) {
    if (raw >= -deadZone && raw <= deadZone) return 0.0f;
    return raw >= 0 ? float(raw) / 32767.0f : float(raw) / 32768.0f;
}

// Pads report a square of travel; the engine wants a disc whose radius is the
// larger of |x| and |y|.
void squareToDisc(float& x, float& y) {
    if (x == 0.0f || y == 0.0f) return;
    float r = (x / y) * (x / y);
    if (r > 1.0f) r = 1.0f / r;
    const float scale = std::sqrt(1.0f + r);
    x /= scale;
    y /= scale;
}

void addStickDirections(bool enabled, float x, float y, uint32_t& buttons) {
    if (!enabled || (buttons & kInputDirections) != 0) return;
    buttons |= stickDirections(x, y);
}

}  // namespace

uint32_t stickDirections(float x, float y) {
    if ((x == 0.0f && y == 0.0f) || std::sqrt(x * x + y * y) < 0.6f) return 0;
    const float degrees = std::atan2(y, x) * 360.0f / 6.2831855f + 360.0f + 22.0f;
    return kSectorBits[int(degrees) % 360 / 45];
}

void padToSample(const platform::XPadState& pad, uint32_t exitBits, MStickSwitches switches,
                 MInputSample& sample) {
    uint32_t& buttons = sample.buttons;
    buttons |= translateBits(pad.buttons, xinputToEngineTable());
    if (pad.leftTrigger >= kTriggerThreshold) buttons |= kInputLT;
    if (pad.rightTrigger >= kTriggerThreshold) buttons |= kInputRT;
    buttons |= exitBits;

    float lx = thumbValue(pad.thumbLX, kLeftThumbDeadZone);
    float ly = -thumbValue(pad.thumbLY, kLeftThumbDeadZone);
    float rx = thumbValue(pad.thumbRX, kRightThumbDeadZone);
    float ry = -thumbValue(pad.thumbRY, kRightThumbDeadZone);
    squareToDisc(lx, ly);
    squareToDisc(rx, ry);
    sample.axes[kAxisLeftX] = lx;
    sample.axes[kAxisLeftY] = ly;
    sample.axes[kAxisRightX] = rx;
    sample.axes[kAxisRightY] = ry;
    sample.axes[kAxisLeftTrigger] = float(pad.leftTrigger) / 255.0f;
    sample.axes[kAxisRightTrigger] = float(pad.rightTrigger) / 255.0f;

    addStickDirections(switches.leftToDirections, lx, ly, buttons);
    addStickDirections(switches.rightToDirections, rx, ry, buttons);
}
