#include "platform/input/sdl_input_backend.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::JoyRead;
using platform::JoyState;
using platform::XPadState;

struct Rumble {
    Uint16 low;
    Uint16 high;
};

int SDLCALL recordRumble(void* userdata, Uint16 low, Uint16 high) {
    static_cast<std::vector<Rumble>*>(userdata)->push_back({low, high});
    return 0;
}

// A virtual pad, kept open by the test so it can move its controls.
class VirtualPad {
public:
    VirtualPad(SDL_JoystickType type, Uint16 vendor, Uint16 product, std::vector<Rumble>* rumbles) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = Uint16(type);
        desc.naxes = type == SDL_JOYSTICK_TYPE_GAMECONTROLLER ? SDL_CONTROLLER_AXIS_MAX : 3;
        desc.nbuttons = type == SDL_JOYSTICK_TYPE_GAMECONTROLLER ? SDL_CONTROLLER_BUTTON_MAX : 12;
        desc.nhats = type == SDL_JOYSTICK_TYPE_GAMECONTROLLER ? 0 : 1;
        desc.vendor_id = vendor;
        desc.product_id = product;
        desc.name = "virtual pad";
        desc.userdata = rumbles;
        desc.Rumble = rumbles ? recordRumble : nullptr;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        joystick_ = SDL_JoystickOpen(index);
        id_ = SDL_JoystickInstanceID(joystick_);
    }
    ~VirtualPad() { detach(); }

    void axis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick_, axis, value); }
    void button(int button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down); }
    void hat(Uint8 value) { SDL_JoystickSetVirtualHat(joystick_, 0, value); }
    void detach() {
        if (!joystick_) return;
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id_) SDL_JoystickDetachVirtual(i);
        }
    }

private:
    SDL_Joystick* joystick_ = nullptr;
    SDL_JoystickID id_ = -1;
};

class SdlInputBackendTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(backend.open()); }
    void TearDown() override { backend.close(); }

    void pushKey(SDL_Scancode scancode, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = scancode;
        SDL_PushEvent(&event);
    }

    platform::SdlInputBackend backend;
};

TEST_F(SdlInputBackendTest, KeysFromEventsReachTheKeyArrayWhileAcquired) {
    ASSERT_TRUE(backend.createKeyboard());
    ASSERT_TRUE(backend.acquireKeyboard());
    pushKey(SDL_SCANCODE_Z, true);
    pushKey(SDL_SCANCODE_LEFTBRACKET, true);
    uint8_t keys[256];
    ASSERT_TRUE(backend.readKeyboard(keys));
    EXPECT_EQ(keys[0x2C], 0x80);
    EXPECT_EQ(keys[0x1A], 0x80);
    EXPECT_EQ(keys[0x91], 0x80);
    EXPECT_EQ(keys[0x2D], 0);

    pushKey(SDL_SCANCODE_Z, false);
    ASSERT_TRUE(backend.readKeyboard(keys));
    EXPECT_EQ(keys[0x2C], 0);

    backend.unacquireKeyboard();
    EXPECT_FALSE(backend.readKeyboard(keys));
}

// A tap shorter than a frame: down and up again between two reads.
TEST_F(SdlInputBackendTest, AKeyTappedBetweenTwoReadsIsDownForTheNextReadOnly) {
    ASSERT_TRUE(backend.createKeyboard());
    ASSERT_TRUE(backend.acquireKeyboard());
    uint8_t keys[256];
    ASSERT_TRUE(backend.readKeyboard(keys));
    pushKey(SDL_SCANCODE_5, true);
    pushKey(SDL_SCANCODE_5, false);
    pushKey(SDL_SCANCODE_ESCAPE, true);
    pushKey(SDL_SCANCODE_ESCAPE, false);
    ASSERT_TRUE(backend.readKeyboard(keys));
    EXPECT_EQ(keys[0x06], 0x80);
    EXPECT_EQ(keys[0x01], 0x80);
    ASSERT_TRUE(backend.readKeyboard(keys));
    EXPECT_EQ(keys[0x06], 0);
    EXPECT_EQ(keys[0x01], 0);
}

TEST_F(SdlInputBackendTest, APadButtonTappedBetweenTwoReadsIsDownForTheNextReadOnly) {
    VirtualPad pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 0x045e, 0x028e, nullptr);
    VirtualPad stick(SDL_JOYSTICK_TYPE_ARCADE_STICK, 0x0ca3, 0x0024, nullptr);
    backend.update();
    std::vector<platform::JoyDevice> devices = backend.enumerateJoysticks();
    std::erase_if(devices, [](const platform::JoyDevice& d) { return d.gameController; });
    ASSERT_EQ(devices.size(), 1u);
    ASSERT_TRUE(backend.openJoystick(0, devices[0]));
    ASSERT_TRUE(backend.acquireJoystick(0));
    XPadState xpad;
    JoyState joy;
    ASSERT_TRUE(backend.readXPad(0, xpad));
    ASSERT_EQ(backend.readJoystick(0, joy), JoyRead::ok);

    pad.button(SDL_CONTROLLER_BUTTON_START, true);
    stick.button(5, true);
    backend.update();
    pad.button(SDL_CONTROLLER_BUTTON_START, false);
    stick.button(5, false);
    backend.update();
    ASSERT_TRUE(backend.readXPad(0, xpad));
    EXPECT_EQ(xpad.buttons, platform::kXPadStart);
    ASSERT_EQ(backend.readJoystick(0, joy), JoyRead::ok);
    EXPECT_EQ(joy.buttons[5], 0x80);

    backend.update();
    ASSERT_TRUE(backend.readXPad(0, xpad));
    EXPECT_EQ(xpad.buttons, 0);
    ASSERT_EQ(backend.readJoystick(0, joy), JoyRead::ok);
    EXPECT_EQ(joy.buttons[5], 0);
}

TEST_F(SdlInputBackendTest, GameControllersAreXInputUsersWithXInputReadings) {
    std::vector<Rumble> rumbles;
    VirtualPad pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 0x045e, 0x028e, &rumbles);
    EXPECT_FALSE(backend.xpadConnected(0));
    backend.update();
    EXPECT_TRUE(backend.xpadConnected(0));
    EXPECT_FALSE(backend.xpadConnected(1));

    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    pad.button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    // A virtual pad's trigger axis spans the whole raw range: -25050 is about a
    // controller reading of 3858 of 32767.
    pad.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -25050);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.axis(SDL_CONTROLLER_AXIS_RIGHTY, 32767);
    backend.update();

    XPadState state;
    ASSERT_TRUE(backend.readXPad(0, state));
    EXPECT_EQ(state.buttons, platform::kXPadA | platform::kXPadLeftShoulder | platform::kXPadDpadDown);
    EXPECT_EQ(state.leftTrigger, 255);
    EXPECT_EQ(state.rightTrigger, 30);
    EXPECT_EQ(state.thumbLX, 32767);
    EXPECT_EQ(state.thumbLY, 32767);  // pushed up
    EXPECT_EQ(state.thumbRY, -32767);
    EXPECT_FALSE(backend.readXPad(1, state));

    backend.setXPadVibration(0, 0x8000, 0x8000);
    backend.setXPadVibration(0, 0, 0);
    ASSERT_EQ(rumbles.size(), 2u);
    EXPECT_EQ(rumbles[0].low, 0x8000);
    EXPECT_EQ(rumbles[0].high, 0x8000);
    EXPECT_EQ(rumbles[1].low, 0);
}

TEST_F(SdlInputBackendTest, AReturningControllerTakesTheLowestFreeUser) {
    VirtualPad first(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 1, 1, nullptr);
    VirtualPad second(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 1, 2, nullptr);
    backend.update();
    EXPECT_TRUE(backend.xpadConnected(0));
    EXPECT_TRUE(backend.xpadConnected(1));

    first.detach();
    backend.update();
    EXPECT_FALSE(backend.xpadConnected(0));
    EXPECT_TRUE(backend.xpadConnected(1));

    VirtualPad third(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 1, 3, nullptr);
    backend.update();
    EXPECT_TRUE(backend.xpadConnected(0));
    EXPECT_FALSE(backend.xpadConnected(2));
}

TEST_F(SdlInputBackendTest, PlainJoysticksReadAsDirectInputPads) {
    VirtualPad stick(SDL_JOYSTICK_TYPE_ARCADE_STICK, 0x0ca3, 0x0024, nullptr);
    const std::vector<platform::JoyDevice> devices = backend.enumerateJoysticks();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_FALSE(devices[0].gameController);
    EXPECT_EQ(devices[0].product.data1, 0x00240ca3u);

    ASSERT_TRUE(backend.openJoystick(0, devices[0]));
    backend.setJoyDeadZone(0, 2000);
    JoyState state;
    EXPECT_EQ(backend.readJoystick(0, state), JoyRead::notAcquired);
    ASSERT_TRUE(backend.acquireJoystick(0));

    stick.axis(0, 32767);
    stick.axis(1, 3000);
    stick.axis(2, -32768);
    stick.hat(SDL_HAT_RIGHT);
    stick.button(3, true);
    backend.update();
    ASSERT_EQ(backend.readJoystick(0, state), JoyRead::ok);
    EXPECT_EQ(state.x, 65535);
    EXPECT_EQ(state.y, 32767);  // inside the dead zone
    EXPECT_EQ(state.z, 0);      // no dead zone on Z
    EXPECT_EQ(state.pov[0], 9000u);
    EXPECT_EQ(state.pov[1], platform::kJoyPovCentred);
    EXPECT_EQ(state.buttons[3], 0x80);
    EXPECT_EQ(state.buttons[0], 0);

    stick.hat(SDL_HAT_CENTERED);
    backend.update();
    ASSERT_EQ(backend.readJoystick(0, state), JoyRead::ok);
    EXPECT_EQ(state.pov[0], platform::kJoyPovCentred);

    backend.unacquireJoystick(0);
    EXPECT_EQ(backend.readJoystick(0, state), JoyRead::notAcquired);
    stick.detach();
    backend.update();
    EXPECT_EQ(backend.readJoystick(0, state), JoyRead::inputLost);
    EXPECT_FALSE(backend.acquireJoystick(0));
    EXPECT_EQ(backend.readJoystick(1, state), JoyRead::failed);
}

TEST_F(SdlInputBackendTest, GameControllersAreNotOpenedAsDirectInputPads) {
    VirtualPad pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 0x045e, 0x028e, nullptr);
    const std::vector<platform::JoyDevice> devices = backend.enumerateJoysticks();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_TRUE(devices[0].gameController);
}

}  // namespace
