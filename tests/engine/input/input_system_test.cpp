#include "engine/input/input_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <fstream>

#include "engine/input/input_map.h"
#include "engine/input/win_input_config.h"
#include "platform/input/fake_input_backend.h"
#include "platform/input/module_directory.h"

namespace {

using platform::FakeInputBackend;
using platform::XPadState;

class InputSystemTest : public testing::Test {
protected:
    void SetUp() override { platform::setInputBackend(&backend); }
    void TearDown() override {
        shutdownInputSystem();
        platform::setInputBackend(nullptr);
    }

    // A plain pad (not a game controller) with a product no test's
    // "dinput.ini" names unless it means to.
    void addJoystick(uint16_t product = 0x5678) {
        FakeInputBackend::Joystick joystick;
        joystick.device.product = platform::ProductGuid::fromUsb(0x1234, product);
        backend.joysticks.push_back(joystick);
    }

    XPadState frame(int slot) {
        pollDirectInput();
        XPadState state;
        EXPECT_EQ(readPadSlot(slot, state), 0);
        return state;
    }

    FakeInputBackend backend;
};

TEST_F(InputSystemTest, KeyboardTablesFeedSlotsZeroAndOne) {
    ASSERT_TRUE(initInputSystem());
    EXPECT_TRUE(inputActive());
    backend.keys[0x2C] = 0x80;  // Z: A
    backend.keys[0x10] = 0x80;  // Q: LT
    backend.keys[0x01] = 0x80;  // Escape: Exit
    backend.keys[0x48] = 0x80;  // keypad 8: slot 1 Up
    backend.keys[0x91] = 0x80;  // at-sign: slot 1 right thumb
    const XPadState slot0 = frame(0);
    EXPECT_EQ(slot0.buttons, platform::kXPadA);
    EXPECT_EQ(slot0.leftTrigger, 30);
    EXPECT_EQ(slot0.rightTrigger, 0);
    EXPECT_EQ(slotEngineMask(0), uint32_t(kInputA | kInputLT | kInputExit));
    XPadState slot1;
    ASSERT_EQ(readPadSlot(1, slot1), 0);
    EXPECT_EQ(slot1.buttons, platform::kXPadDpadUp | platform::kXPadRightThumb);
}

TEST_F(InputSystemTest, AnExitRequestReadsForOneFrame) {
    ASSERT_TRUE(initInputSystem());
    requestInputExit();
    pollDirectInput();
    EXPECT_EQ(slotEngineMask(0), uint32_t(kInputExit));
    pollDirectInput();
    EXPECT_EQ(slotEngineMask(0), 0u);
}

TEST_F(InputSystemTest, AnInactiveWindowMakesEverySlotAbsentAndReleasesTheDevices) {
    addJoystick();
    ASSERT_TRUE(initInputSystem());
    EXPECT_TRUE(backend.places[0].acquired);
    setInputActive(false);
    acquireInputDevices();
    EXPECT_FALSE(backend.keyboardAcquired);
    EXPECT_FALSE(backend.places[0].acquired);
    pollDirectInput();
    XPadState state;
    EXPECT_EQ(readPadSlot(0, state), kErrorDeviceNotConnected);

    setInputActive(true);
    acquireInputDevices();
    EXPECT_TRUE(backend.keyboardAcquired);
    EXPECT_TRUE(backend.places[0].acquired);
}

TEST_F(InputSystemTest, DirectInputPadsGetTheDeadZoneAndTheDefaultMap) {
    addJoystick();
    ASSERT_TRUE(initInputSystem());
    EXPECT_EQ(backend.places[0].deadZone, 2000);
    ASSERT_EQ(padSlots()[0].kind, kPadSlotDirectInput);
    platform::JoyState& pad = backend.joysticks[0].state;
    pad.buttons[0] = 0x80;   // A
    pad.buttons[6] = 0x80;   // Start
    pad.buttons[9] = 0x80;   // RT
    pad.buttons[12] = 0x80;  // nothing
    const XPadState state = frame(0);
    EXPECT_EQ(state.buttons, platform::kXPadA | platform::kXPadStart);
    EXPECT_EQ(state.rightTrigger, 30);
    EXPECT_EQ(state.thumbLX, 0);
    EXPECT_EQ(state.thumbLY, 0);
}

TEST_F(InputSystemTest, TheHatIsAddedToTheStick) {
    addJoystick();
    ASSERT_TRUE(initInputSystem());
    platform::JoyState& pad = backend.joysticks[0].state;
    struct Case {
        int32_t x, y;
        uint32_t pov;
        int16_t thumbX, thumbY;
    };
    const Case cases[] = {
        {32767, 32767, 9000, 32767, 0},       {32767, 32767, 0, 0, 32767},
        {32767, 32767, 18000, 0, -32768},     {32767, 32767, 27000, -32768, 0},
        {32767, 32767, 4500, 32767, 32767},   {32767, 32767, 22500, -32768, -32768},
        {32767, 32767, 1800, 0, 32767},       {32767, 32767, 7200, 32767, 0},
        {65535, 32767, 27000, -1, 0},          {65535, 0, 0, 32767, 32767},
        {0, 65535, platform::kJoyPovCentred, -32767, -32767},
    };
    for (const Case& c : cases) {
        pad.x = c.x;
        pad.y = c.y;
        pad.pov[0] = c.pov;
        const XPadState state = frame(0);
        EXPECT_EQ(state.thumbLX, c.thumbX) << c.pov;
        EXPECT_EQ(state.thumbLY, c.thumbY) << c.pov;
    }
}

TEST_F(InputSystemTest, APadThatCannotBeReadRestsAtTheCentre) {
    addJoystick();
    ASSERT_TRUE(initInputSystem());
    backend.joysticks[0].state.buttons[0] = 0x80;
    backend.joysticks[0].state.x = 0;
    EXPECT_EQ(frame(0).buttons, platform::kXPadA);
    backend.joysticks[0].attached = false;
    const XPadState state = frame(0);
    EXPECT_EQ(state.buttons, 0);
    EXPECT_EQ(state.thumbLX, 0);
    EXPECT_EQ(state.thumbLY, 0);
}

TEST_F(InputSystemTest, ALostAcquisitionIsTakenBackAndReadAgain) {
    addJoystick();
    ASSERT_TRUE(initInputSystem());
    backend.joysticks[0].state.buttons[1] = 0x80;
    backend.places[0].acquired = false;
    EXPECT_EQ(frame(0).buttons, platform::kXPadB);
    EXPECT_TRUE(backend.places[0].acquired);
}

TEST_F(InputSystemTest, GameControllersAreLeftToTheXInputSideAndComeFirst) {
    addJoystick();
    backend.joysticks.back().device.gameController = true;
    addJoystick();
    backend.setXPadConnected(1, true);
    backend.xpads[1].buttons = platform::kXPadY;
    ASSERT_TRUE(initInputSystem());
    EXPECT_EQ(backend.places[0].joystick, 1);
    EXPECT_EQ(backend.places[1].joystick, -1);
    EXPECT_EQ(padSlots()[0].kind, kPadSlotXInput);
    EXPECT_EQ(padSlots()[0].device, 1);
    EXPECT_EQ(padSlots()[1].kind, kPadSlotDirectInput);
    EXPECT_EQ(frame(0).buttons, platform::kXPadY);
}

TEST_F(InputSystemTest, DinputIniMapsThePadsButtons) {
    const std::string path = platform::moduleDirectory() + "dinput.ini";
    {
        std::ofstream(path) << "[9abc1234-0000-0000-0000-504944564944]\nKeyA=5\nKeyRT=2\n";
    }
    addJoystick(0x9abc);
    addJoystick();
    ASSERT_TRUE(initInputSystem());
    std::remove(path.c_str());
    backend.joysticks[0].state.buttons[5] = 0x80;
    backend.joysticks[0].state.buttons[0] = 0x80;  // A by default, nothing here
    backend.joysticks[0].state.buttons[2] = 0x80;
    backend.joysticks[1].state.buttons[0] = 0x80;
    XPadState state = frame(0);
    EXPECT_EQ(state.buttons, platform::kXPadA);
    EXPECT_EQ(state.rightTrigger, 30);
    ASSERT_EQ(readPadSlot(1, state = XPadState()), 0);
    EXPECT_EQ(state.buttons, platform::kXPadA);

    // A failed read falls back on the default map.
    backend.joysticks[0].attached = false;
    EXPECT_EQ(frame(0).buttons, 0);
}

TEST_F(InputSystemTest, WhenTheDevicesCannotBeOpenedNothingIsRead) {
    backend.openSucceeds = false;
    EXPECT_FALSE(initInputSystem());
    EXPECT_FALSE(padPollThreadRunning());
    for (const MPadSlot& slot : padSlots()) EXPECT_EQ(slot.kind, kPadSlotNone);
    setInputActive(true);
    pollDirectInput();
    const XPadState state = frame(0);
    EXPECT_EQ(state.buttons, 0);
}

TEST_F(InputSystemTest, WithoutAKeyboardTheInputWaitsForTheWindow) {
    backend.keyboardExists = false;
    ASSERT_TRUE(initInputSystem());
    EXPECT_FALSE(inputActive());
    setInputActive(true);
    backend.keys[0x2C] = 0x80;
    EXPECT_EQ(frame(0).buttons, 0);
}

TEST_F(InputSystemTest, ASecondInitialisationOnlyRebuildsTheSlots) {
    ASSERT_TRUE(initInputSystem());
    EXPECT_EQ(padSlots()[0].kind, kPadSlotNone);
    backend.setXPadConnected(2, true);
    // The pad-poll thread takes the pad in within its interval.
    for (int wait = 0; wait < 5000 && (xinputConnectedMask() & 0b100) == 0; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(initInputSystem());
    EXPECT_EQ(padSlots()[0].kind, kPadSlotXInput);
    EXPECT_EQ(padSlots()[0].device, 2);
}

}  // namespace
