#pragma once
// An input back end whose devices are set by hand, for tests of the engine's
// input system: pads are plugged in and out, pressed and moved by assignment,
// and every call the engine makes that a test may check is counted.
//
// Threads: the XInput connected flags are atomics, so a test may plug pads in
// and out while the pad-poll thread asks about them; everything else is for
// the main thread only.

#include <array>
#include <atomic>
#include <vector>

#include "platform/input/input_backend.h"

namespace platform {

class FakeInputBackend final : public InputBackend {
public:
    struct Vibration {
        int user;
        uint16_t leftMotor;
        uint16_t rightMotor;
    };
    struct Joystick {
        JoyDevice device;
        JoyState state = JoyState::resting();
        bool attached = true;
    };
    struct Place {
        int joystick = -1;  // index into joysticks
        int32_t deadZone = 0;
        bool acquired = false;
    };

    // What the test sets.
    bool openSucceeds = true;
    bool keyboardExists = true;
    std::array<uint8_t, 256> keys{};
    std::array<XPadState, kXPadUsers> xpads{};
    std::vector<Joystick> joysticks;

    void setXPadConnected(int user, bool connected) { connected_[size_t(user)] = connected; }

    // What the test reads.
    bool isOpen = false;
    bool keyboardCreated = false;
    bool keyboardAcquired = false;
    int updates = 0;
    std::vector<Vibration> vibrations;
    std::array<Place, kJoyPlaces> places{};
    std::atomic<int> connectedQueries{0};

    bool open() override;
    void close() override;
    void update() override { ++updates; }

    bool createKeyboard() override;
    void releaseKeyboard() override;
    bool acquireKeyboard() override;
    void unacquireKeyboard() override { keyboardAcquired = false; }
    bool readKeyboard(uint8_t out[256]) override;

    bool xpadConnected(int user) override;
    bool readXPad(int user, XPadState& state) override;
    void setXPadVibration(int user, uint16_t leftMotor, uint16_t rightMotor) override;

    std::vector<JoyDevice> enumerateJoysticks() override;
    bool openJoystick(int place, const JoyDevice& device) override;
    void releaseJoystick(int place) override;
    void setJoyDeadZone(int place, int32_t perTenThousand) override;
    bool acquireJoystick(int place) override;
    void unacquireJoystick(int place) override;
    JoyRead readJoystick(int place, JoyState& state) override;

private:
    std::array<std::atomic<bool>, kXPadUsers> connected_{};
};

}  // namespace platform
