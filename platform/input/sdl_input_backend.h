#pragma once
// The input devices over SDL2. Pads that SDL knows as game controllers are the
// "XInput" pads: each takes the lowest free user number when it appears and
// keeps it until it goes, as XInput users do. Every other joystick is a
// "DirectInput" pad, opened into a place at enumeration. The keyboard array is
// kept from key events seen by an event watch, so keys pushed by tests and
// keys from the window read the same (pushed keys never reach SDL's own
// keyboard state). A key or pad button that goes down stays down for the
// next read even when it came up again before it, so a tap shorter than a
// frame is still seen.
//
// Threads: xpadConnected may run on any thread; it and update() share
// usersLock_. The event watches run on whichever thread pushes or pumps
// events and write the key array and the latches under eventsLock_. All
// else: main thread only.

#include <SDL2/SDL.h>

#include <bitset>
#include <map>
#include <mutex>

#include "platform/input/input_backend.h"

namespace platform {

class SdlInputBackend final : public InputBackend {
public:
    bool open() override;
    void close() override;
    void update() override;

    bool createKeyboard() override;
    void releaseKeyboard() override;
    bool acquireKeyboard() override;
    void unacquireKeyboard() override;
    bool readKeyboard(uint8_t keys[256]) override;

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
    struct Place {
        SDL_Joystick* joystick = nullptr;
        int32_t deadZone = 0;
        bool acquired = false;
    };

    static int SDLCALL watchKeys(void* self, SDL_Event* event);
    static int SDLCALL watchPads(void* self, SDL_Event* event);
    // Takes the buttons that went down since the last read.
    uint16_t takeXPadLatch(SDL_JoystickID id);
    std::bitset<kJoyButtons> takeJoyLatch(SDL_JoystickID id);
    void bindNewControllers();
    bool controllerBound(SDL_JoystickID id) const;
    static bool validUser(int user) { return user >= 0 && user < kXPadUsers; }
    static bool validPlace(int place) { return place >= 0 && place < kJoyPlaces; }

    bool open_ = false;
    std::mutex usersLock_;
    SDL_GameController* users_[kXPadUsers] = {};
    Place places_[kJoyPlaces];

    std::mutex eventsLock_;
    uint8_t keys_[256] = {};
    uint8_t keyLatches_[256] = {};
    std::map<SDL_JoystickID, uint16_t> xpadLatches_;  // XInput bits
    std::map<SDL_JoystickID, std::bitset<kJoyButtons>> joyLatches_;
    bool keyboard_ = false;
    bool keyboardAcquired_ = false;
};

}  // namespace platform
