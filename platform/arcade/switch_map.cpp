#include "platform/arcade/switch_map.h"

#include <charconv>
#include <cstring>

namespace arcade {
namespace {

struct KeySwitch {
    uint8_t keyCode;
    int8_t switchIndex;
};

// V is cabinet button 5, because the game's default assignment puts its fourth
// button there; B reaches cabinet button 4.
constexpr KeySwitch kKeyboardMap[] = {
    {0x3C, kSwitchTest},        {0x3B, kSwitchService},     {0xC8, kSwitchUp},
    {0xD0, kSwitchDown},        {0xCB, kSwitchLeft},        {0xCD, kSwitchRight},
    {0x1C, kSwitchStart},       {0x2C, kSwitchButton1},     {0x2D, kSwitchButton1 + 1},
    {0x2E, kSwitchButton1 + 2}, {0x30, kSwitchButton1 + 3}, {0x2F, kSwitchButton1 + 4},
    {0x31, kSwitchButton1 + 5}, {0x32, kSwitchButton1 + 6}, {0x33, kSwitchButton1 + 7},
    {0x01, kSwitchButton1 + 8},
};
constexpr uint8_t kCoinKey = 0x06;  // the "5" key
constexpr uint8_t kCardKey = 0x3D;  // F3

struct PadSwitch {
    uint16_t xpadBit;
    int8_t switchIndex;
};

constexpr PadSwitch kPadMap[] = {
    {platform::kXPadDpadUp, kSwitchUp},           {platform::kXPadDpadDown, kSwitchDown},
    {platform::kXPadDpadLeft, kSwitchLeft},       {platform::kXPadDpadRight, kSwitchRight},
    {platform::kXPadStart, kSwitchStart},         {platform::kXPadA, kSwitchButton1},
    {platform::kXPadB, kSwitchButton1 + 1},       {platform::kXPadX, kSwitchButton1 + 2},
    {platform::kXPadLeftShoulder, kSwitchButton1 + 3}, {platform::kXPadY, kSwitchButton1 + 4},
    {platform::kXPadRightShoulder, kSwitchButton1 + 5},
};
constexpr uint16_t kPadCoin = platform::kXPadBack;
constexpr int kStickThreshold = 16384;

constexpr std::string_view kSwitchNames[kSwitchCount] = {
    "test",    "service", "up",      "down",    "left",    "right",   "start",   "button1",
    "button2", "button3", "button4", "button5", "button6", "button7", "button8", "button9",
};

uint16_t bit(int switchIndex) { return uint16_t(1u << switchIndex); }

uint16_t stickSwitches(const platform::XPadState& pad) {
    uint16_t switches = 0;
    if (pad.thumbLY > kStickThreshold) switches |= bit(kSwitchUp);
    if (pad.thumbLY < -kStickThreshold) switches |= bit(kSwitchDown);
    if (pad.thumbLX < -kStickThreshold) switches |= bit(kSwitchLeft);
    if (pad.thumbLX > kStickThreshold) switches |= bit(kSwitchRight);
    return switches;
}

}  // namespace

LiveControls liveControlsFrom(const uint8_t keys[256], const platform::XPadState* pads, int padCount) {
    LiveControls live;
    for (const KeySwitch& entry : kKeyboardMap) {
        if (keys[entry.keyCode] & 0x80) live.switches |= bit(entry.switchIndex);
    }
    live.coin = (keys[kCoinKey] & 0x80) != 0;
    live.card = (keys[kCardKey] & 0x80) != 0;
    for (int i = 0; i < padCount; ++i) {
        for (const PadSwitch& entry : kPadMap) {
            if (pads[i].buttons & entry.xpadBit) live.switches |= bit(entry.switchIndex);
        }
        live.switches |= stickSwitches(pads[i]);
        live.coin = live.coin || (pads[i].buttons & kPadCoin) != 0;
    }
    return live;
}

LiveControls readLiveControls() {
    platform::InputBackend& backend = platform::currentInputBackend();
    uint8_t keys[256] = {};
    if (!backend.readKeyboard(keys)) std::memset(keys, 0, sizeof keys);
    platform::XPadState pads[platform::kXPadUsers];
    int padCount = 0;
    for (int user = 0; user < platform::kXPadUsers; ++user) {
        if (backend.readXPad(user, pads[padCount])) ++padCount;
    }
    return liveControlsFrom(keys, pads, padCount);
}

std::optional<int> switchFromName(std::string_view name) {
    for (int i = 0; i < kSwitchCount; ++i) {
        if (kSwitchNames[i] == name) return i;
    }
    int number = -1;
    auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size() && number >= 0 && number < kSwitchCount) {
        return number;
    }
    return std::nullopt;
}

}  // namespace arcade
