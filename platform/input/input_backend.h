#pragma once
// The devices under the engine's input system, in the shape the engine reads
// them: a keyboard as 256 bytes indexed by DirectInput key code (0x80 = down);
// "XInput" pads for users 0..3 (buttons as XInput bits, triggers 0..255,
// thumbs -32768..32767 with y up); "DirectInput" pads in four places (axes
// 0..65535 centred on 32767, hats as point-of-view angles in hundredths of a
// degree, buttons as 0x80 bytes). SdlInputBackend is the real one over SDL's
// game-controller and joystick APIs; FakeInputBackend serves tests.
//
// Threads: xpadConnected may be called from any thread (the pad-poll thread
// asks it); everything else only from the main thread.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

constexpr int kXPadUsers = 4;
constexpr int kJoyPlaces = 4;
constexpr int kJoyButtons = 128;

// XInput button bits.
enum XPadButton : uint16_t {
    kXPadDpadUp = 0x0001,
    kXPadDpadDown = 0x0002,
    kXPadDpadLeft = 0x0004,
    kXPadDpadRight = 0x0008,
    kXPadStart = 0x0010,
    kXPadBack = 0x0020,
    kXPadLeftThumb = 0x0040,
    kXPadRightThumb = 0x0080,
    kXPadLeftShoulder = 0x0100,
    kXPadRightShoulder = 0x0200,
    kXPadA = 0x1000,
    kXPadB = 0x2000,
    kXPadX = 0x4000,
    kXPadY = 0x8000,
};

struct XPadState {
    uint16_t buttons = 0;
    uint8_t leftTrigger = 0;
    uint8_t rightTrigger = 0;
    int16_t thumbLX = 0;
    int16_t thumbLY = 0;
    int16_t thumbRX = 0;
    int16_t thumbRY = 0;
};

constexpr int32_t kJoyAxisMin = 0;
constexpr int32_t kJoyAxisMax = 65535;
constexpr int32_t kJoyAxisCentre = 32767;
constexpr uint32_t kJoyPovCentred = 0xFFFFFFFF;

struct JoyState {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    uint32_t pov[4] = {};
    uint8_t buttons[kJoyButtons] = {};

    // The state of a pad at rest: axes centred, hats centred, nothing pressed.
    static JoyState resting();
};

// The product identifier of a pad: DirectInput's product GUID layout, built
// from the USB vendor and product numbers (see README.md).
struct ProductGuid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};

    static ProductGuid fromUsb(uint16_t vendor, uint16_t product);
};

// One attached pad as enumeration finds it.
struct JoyDevice {
    int deviceIndex = 0;
    ProductGuid product;
    bool gameController = false;  // read as an "XInput" pad
    std::string name;
};

enum class JoyRead { ok, notAcquired, inputLost, failed };

class InputBackend {
public:
    virtual ~InputBackend() = default;

    // Brings the devices' subsystem up; false when no device can be used.
    virtual bool open() = 0;
    virtual void close() = 0;
    // Once a frame on the main thread, before any read: takes in fresh device
    // readings and pads that came or went.
    virtual void update() = 0;

    virtual bool createKeyboard() = 0;
    virtual void releaseKeyboard() = 0;
    virtual bool acquireKeyboard() = 0;
    virtual void unacquireKeyboard() = 0;
    // False while the keyboard is not acquired.
    virtual bool readKeyboard(uint8_t keys[256]) = 0;

    virtual bool xpadConnected(int user) = 0;
    // False (state untouched) when the user has no pad.
    virtual bool readXPad(int user, XPadState& state) = 0;
    virtual void setXPadVibration(int user, uint16_t leftMotor, uint16_t rightMotor) = 0;

    virtual std::vector<JoyDevice> enumerateJoysticks() = 0;
    virtual bool openJoystick(int place, const JoyDevice& device) = 0;
    virtual void releaseJoystick(int place) = 0;
    // The dead zone of the X and Y axes, in parts per ten thousand.
    virtual void setJoyDeadZone(int place, int32_t perTenThousand) = 0;
    virtual bool acquireJoystick(int place) = 0;
    virtual void unacquireJoystick(int place) = 0;
    virtual JoyRead readJoystick(int place, JoyState& state) = 0;
};

// The installed back end: SDL's unless a test installed another.
InputBackend& currentInputBackend();
// Installs a back end (not owned); nullptr restores SDL's. Only while the
// input system is down.
void setInputBackend(InputBackend* backend);

}  // namespace platform
