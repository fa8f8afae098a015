#include "engine/input/input_hub.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/base/win_app_settings.h"
#include "engine/input/input_map.h"
#include "engine/input/input_system.h"
#include "engine/input/soft_key_pad.h"
#include "engine/task/looper.h"
#include "platform/input/fake_input_backend.h"

namespace {

class InputHubTest : public testing::Test {
protected:
    void SetUp() override { platform::setInputBackend(&backend); }
    void TearDown() override {
        hub.reset();
        shutdownInputSystem();
        setInputWindowSoftKeyPad(nullptr);
        winAppSettings().softKeypad = false;
        platform::setInputBackend(nullptr);
    }

    MSingleInputHub& makeHub() {
        hub = std::make_unique<MSingleInputHub>();
        return *hub;
    }

    platform::FakeInputBackend backend;
    MLooper looper;
    std::unique_ptr<MSingleInputHub> hub;
};

TEST_F(InputHubTest, TheFirstFrameReadsSlotZeroAsHeldAndSlotOneAsPressed) {
    backend.keys[0x2C] = 0x80;  // Z: slot 0 A
    backend.keys[0x33] = 0x80;  // comma: slot 1 A
    MSingleInputHub& h = makeHub();
    EXPECT_EQ(h.getInputCount(), 1u);
    EXPECT_TRUE(padPollThreadRunning());
    h.onVSync();
    MInput& slot0 = *h.getInput(0);
    EXPECT_EQ(slot0.buttons, uint32_t(kInputA));
    EXPECT_EQ(slot0.pressed(), 0u);
    // Only record 0 is handed out; slot 1's record is behind it.
    EXPECT_EQ(h.getInput(5), &slot0);
    backend.keys[0x2C] = 0;
    h.onVSync();
    EXPECT_EQ(slot0.released(), uint32_t(kInputA));
}

TEST_F(InputHubTest, KeysPadsAndTheExitRequestMeetInSlotZero) {
    backend.setXPadConnected(0, true);
    MSingleInputHub& h = makeHub();
    h.onVSync();
    backend.xpads[0].buttons = platform::kXPadRightShoulder;
    backend.xpads[0].thumbLX = 32767;
    backend.xpads[0].rightTrigger = 200;
    backend.keys[0x10] = 0x80;  // Q: LT
    requestInputExit();
    h.onVSync();
    const MInput& input = *h.getInput(0);
    EXPECT_EQ(input.buttons, uint32_t(kInputRB | kInputLT | kInputRT | kInputExit));
    EXPECT_EQ(input.axes[kAxisLeftX], 1.0f);
    EXPECT_FLOAT_EQ(input.axes[kAxisRightTrigger], 200.0f / 255.0f);
    EXPECT_FLOAT_EQ(input.axes[kAxisLeftTrigger], 30.0f / 255.0f);
    h.onVSync();
    EXPECT_EQ(input.buttons & kInputExit, 0u);
}

TEST_F(InputHubTest, AHatReadsAsTheLeftStickAndAsDirectionsOnlyWithTheSwitch) {
    platform::FakeInputBackend::Joystick joystick;
    joystick.state.pov[0] = 9000;
    backend.joysticks.push_back(joystick);
    MSingleInputHub& h = makeHub();
    h.onVSync();
    EXPECT_EQ(h.getInput(0)->axes[kAxisLeftX], 1.0f);
    EXPECT_EQ(h.getInput(0)->buttons, 0u);
    h.leftStickToDirections = true;
    h.onVSync();
    EXPECT_EQ(h.getInput(0)->buttons, uint32_t(kInputRight));
}

TEST_F(InputHubTest, VibrationRunsForItsFramesOnConnectedPads) {
    backend.setXPadConnected(0, true);
    MSingleInputHub& h = makeHub();
    h.getInput(0)->vibrationTime = 2.0f;
    h.onVSync();
    ASSERT_EQ(backend.vibrations.size(), 1u);
    EXPECT_EQ(backend.vibrations[0].leftMotor, 0x8000);
    EXPECT_EQ(backend.vibrations[0].rightMotor, 0x8000);
    h.onVSync();
    EXPECT_EQ(backend.vibrations.size(), 1u);
    h.onVSync();
    ASSERT_EQ(backend.vibrations.size(), 2u);
    EXPECT_EQ(backend.vibrations[1].leftMotor, 0);

    h.getInput(0)->vibrationTime = 100.0f;
    h.onVSync();
    ASSERT_EQ(backend.vibrations.size(), 3u);
    hub.reset();  // a hub going away stops its motors
    ASSERT_EQ(backend.vibrations.size(), 4u);
    EXPECT_EQ(backend.vibrations[3].leftMotor, 0);
}

TEST_F(InputHubTest, AnInactiveWindowReadsNoButtonsButStillTheTouch) {
    MSoftKeyPad pad({0, 0, 100, 100}, {100, 0, 200, 100}, 0);
    pad.resetAndEnable();
    setInputWindowSoftKeyPad(&pad);
    MSingleInputHub& h = makeHub();
    EXPECT_FALSE(pad.keysEnabled());
    pad.press(1, 150.0f, 40.0f);
    pad.latch();
    backend.keys[0x2C] = 0x80;
    h.onVSync();
    EXPECT_EQ(h.getInput(0)->buttons, uint32_t(kInputA | kInputTouch));
    EXPECT_EQ(h.getInput(0)->touchX, 150.0f);
    setInputActive(false);
    h.onVSync();
    EXPECT_EQ(h.getInput(0)->buttons, 0u);
    EXPECT_EQ(h.getInput(0)->touchY, 40.0f);
}

TEST_F(InputHubTest, SoftKeysReachSlotZeroWhenTheSettingIsOn) {
    MSoftKeyPad pad({0, 0, 100, 100}, {100, 0, 200, 100}, 3);
    pad.resetAndEnable();
    setInputWindowSoftKeyPad(&pad);
    winAppSettings().softKeypad = true;
    MSingleInputHub& h = makeHub();
    pad.setKeysEnabled(true);  // the hub turned them off
    pad.press(0, 175.0f, 75.0f);  // A
    pad.press(1, 10.0f, 10.0f);   // Start
    pad.latch();
    h.onVSync();
    EXPECT_EQ(h.getInput(0)->buttons, uint32_t(kInputA | kInputStart | kInputTouch));
}

}  // namespace
