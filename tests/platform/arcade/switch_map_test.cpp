// The default map from keyboard and pads to the cabinet's 16 switches.
#include "platform/arcade/switch_map.h"

#include <gtest/gtest.h>

#include "platform/arcade/apm.h"
#include "platform/arcade/cabinet.h"
#include "platform/input/fake_input_backend.h"

namespace {

using namespace arcade;

struct KeyCase {
    uint8_t keyCode;
    int switchIndex;  // -1: the coin key, -2: the card key
};

// Arrows, Enter, Z X C B V N M comma Esc, F2 test, F1 service, 5 coin.
constexpr KeyCase kKeys[] = {
    {0xC8, kSwitchUp},          {0xD0, kSwitchDown},        {0xCB, kSwitchLeft},
    {0xCD, kSwitchRight},       {0x1C, kSwitchStart},       {0x2C, kSwitchButton1},
    {0x2D, kSwitchButton1 + 1}, {0x2E, kSwitchButton1 + 2}, {0x30, kSwitchButton1 + 3},
    {0x2F, kSwitchButton1 + 4}, {0x31, kSwitchButton1 + 5}, {0x32, kSwitchButton1 + 6},
    {0x33, kSwitchButton1 + 7}, {0x01, kSwitchButton1 + 8}, {0x3C, kSwitchTest},
    {0x3B, kSwitchService},     {0x06, -1},                 {0x3D, -2},
};

TEST(SwitchMap, EveryDefaultKeyMakesItsSwitch) {
    for (const KeyCase& c : kKeys) {
        uint8_t keys[256] = {};
        keys[c.keyCode] = 0x80;
        LiveControls live = liveControlsFrom(keys, nullptr, 0);
        EXPECT_EQ(live.switches, c.switchIndex < 0 ? 0 : 1 << c.switchIndex) << int(c.keyCode);
        EXPECT_EQ(live.coin, c.switchIndex == -1) << int(c.keyCode);
        EXPECT_EQ(live.card, c.switchIndex == -2) << int(c.keyCode);
    }
}

struct PadCase {
    platform::XPadState pad;
    uint16_t switches;
    bool coin;
};

TEST(SwitchMap, PadsMapThroughTheControllerLayout) {
    auto pad = [](uint16_t buttons, int16_t x = 0, int16_t y = 0) {
        platform::XPadState state;
        state.buttons = buttons;
        state.thumbLX = x;
        state.thumbLY = y;
        return state;
    };
    const PadCase cases[] = {
        {pad(platform::kXPadDpadUp), 1 << kSwitchUp, false},
        {pad(platform::kXPadStart), 1 << kSwitchStart, false},
        {pad(platform::kXPadA | platform::kXPadB), (1 << kSwitchButton1) | (1 << (kSwitchButton1 + 1)), false},
        {pad(platform::kXPadY), 1 << (kSwitchButton1 + 4), false},
        {pad(platform::kXPadLeftShoulder), 1 << (kSwitchButton1 + 3), false},
        {pad(platform::kXPadBack), 0, true},
        {pad(0, 30000, -30000), (1 << kSwitchRight) | (1 << kSwitchDown), false},
        {pad(0, 8000, 8000), 0, false},  // inside the stick's dead travel
    };
    const uint8_t keys[256] = {};
    for (const PadCase& c : cases) {
        LiveControls live = liveControlsFrom(keys, &c.pad, 1);
        EXPECT_EQ(live.switches, c.switches);
        EXPECT_EQ(live.coin, c.coin);
    }
}

TEST(SwitchMap, SwitchNames) {
    EXPECT_EQ(switchFromName("test"), 0);
    EXPECT_EQ(switchFromName("start"), kSwitchStart);
    EXPECT_EQ(switchFromName("button9"), 15);
    EXPECT_EQ(switchFromName("12"), 12);
    EXPECT_EQ(switchFromName("16"), std::nullopt);
    EXPECT_EQ(switchFromName("Start"), std::nullopt);
}

int coinEvents = 0;
bool countCoin(int32_t event) {
    coinEvents += event == 1;
    return true;
}

TEST(SwitchMap, TheCabinetReadsTheInputBackEndAndCountsCoinKeyPresses) {
    platform::FakeInputBackend backend;
    backend.createKeyboard();
    backend.acquireKeyboard();
    backend.setXPadConnected(1, true);
    platform::setInputBackend(&backend);
    arcade::CabinetSettings settings;
    settings.appRoot = "/nonexistent/";
    arcade::installCabinet(std::make_unique<arcade::Cabinet>(settings));
    coinEvents = 0;
    _Credit_setCoinInHook(countCoin);

    backend.keys[0x1C] = 0x80;                      // Enter
    backend.xpads[1].buttons = platform::kXPadA;    // a pad's A
    backend.keys[0x06] = 0x80;                      // the coin key, held two steps
    _Core_execute();
    _Core_execute();
    EXPECT_TRUE(_Input_isOn(kSwitchStart));
    EXPECT_TRUE(_Input_isOn(kSwitchButton1));
    EXPECT_FALSE(_Input_isOn(kSwitchTest));
    EXPECT_EQ(coinEvents, 1);
    backend.keys[0x06] = 0;
    _Core_execute();
    backend.keys[0x06] = 0x80;
    _Core_execute();
    EXPECT_EQ(coinEvents, 2);

    arcade::cabinet().cardReaderFitted = true;
    ASSERT_TRUE(_Aime_start());
    backend.keys[0x3D] = 0x80;  // F3 presents the settings' card
    _Core_execute();
    _Core_execute();
    int32_t id = 0;
    EXPECT_TRUE(_Aime_getAimeId(&id));
    EXPECT_EQ(id, settings.cardId);

    arcade::installCabinet(nullptr);
    platform::setInputBackend(nullptr);
}

}  // namespace
