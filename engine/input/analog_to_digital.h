#pragma once
// What a pad reading adds to a slot's sample: its buttons as engine bits, the
// triggers as LT and RT, the sticks with XInput's dead zones mapped onto the
// unit disc, and, where the hub asks for it, a stick read as directions.

#include <cstdint>

#include "engine/input/input.h"
#include "platform/input/input_backend.h"

struct MStickSwitches {
    bool leftToDirections = false;
    bool rightToDirections = false;
};

// A trigger byte at or above this reads as a press.
constexpr uint8_t kTriggerThreshold = 30;

// ORs the pad's bits (and exitBits) into sample.buttons and sets the axes.
void padToSample(const platform::XPadState& pad, uint32_t exitBits, MStickSwitches switches,
                 MInputSample& sample);

// A stick of at least 0.6 read as one of eight directions (engine bits), or 0.
uint32_t stickDirections(float x, float y);
