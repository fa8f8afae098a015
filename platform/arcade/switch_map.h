#pragma once
// The cabinet's 16 switches and how the keyboard and pads make them (the
// default map is written out in README.md). Keys are DirectInput key codes,
// pads are SDL game controllers in their XInput form, both as platform/input
// reads them.
//
// Threads: main thread only (it reads the input back end).

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/input/input_backend.h"

namespace arcade {

constexpr int kSwitchCount = 16;

enum Switch : int {
    kSwitchTest = 0,
    kSwitchService = 1,
    kSwitchUp = 2,
    kSwitchDown = 3,
    kSwitchLeft = 4,
    kSwitchRight = 5,
    kSwitchStart = 6,
    kSwitchButton1 = 7,  // buttons 1 to 9 are switches 7 to 15
};

// What the keyboard and pads hold this frame: a bit per switch, and the coin key.
struct LiveControls {
    uint16_t switches = 0;
    bool coin = false;
    bool card = false;  // the card key: the settings' card touches the reader
};

LiveControls liveControlsFrom(const uint8_t keys[256], const platform::XPadState* pads, int padCount);
// Reads the installed input back end (keyboard while acquired, connected pads).
LiveControls readLiveControls();

// "test", "service", "up", "down", "left", "right", "start", "button1" to
// "button9", or a number 0 to 15.
std::optional<int> switchFromName(std::string_view name);

}  // namespace arcade
