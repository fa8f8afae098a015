#include "platform/input/sdl_input_backend.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/input/dead_zone.h"
#include "platform/input/key_codes.h"

namespace platform {

namespace {

constexpr uint32_t kSubsystems = SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK | SDL_INIT_EVENTS;
// SDL's longest rumble; the engine always switches the motors off itself.
constexpr uint32_t kRumbleMs = 0xFFFF;

struct ButtonBit {
    SDL_GameControllerButton button;
    uint16_t bit;
};

constexpr ButtonBit kButtonBits[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, kXPadDpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kXPadDpadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kXPadDpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kXPadDpadRight},
    {SDL_CONTROLLER_BUTTON_START, kXPadStart},
    {SDL_CONTROLLER_BUTTON_BACK, kXPadBack},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, kXPadLeftThumb},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, kXPadRightThumb},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, kXPadLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, kXPadRightShoulder},
    {SDL_CONTROLLER_BUTTON_A, kXPadA},
    {SDL_CONTROLLER_BUTTON_B, kXPadB},
    {SDL_CONTROLLER_BUTTON_X, kXPadX},
    {SDL_CONTROLLER_BUTTON_Y, kXPadY},
};

uint8_t triggerByte(Sint16 value) { return uint8_t(std::max<int>(value, 0) * 255 / 32767); }

// SDL's y grows downwards, XInput's upwards.
int16_t thumbUp(Sint16 value) { return int16_t(std::clamp(-int32_t(value), -32768, 32767)); }

uint32_t povFromHat(Uint8 hat) {
    switch (hat) {
        case SDL_HAT_UP: return 0;
        case SDL_HAT_RIGHTUP: return 4500;
        case SDL_HAT_RIGHT: return 9000;
        case SDL_HAT_RIGHTDOWN: return 13500;
        case SDL_HAT_DOWN: return 18000;
        case SDL_HAT_LEFTDOWN: return 22500;
        case SDL_HAT_LEFT: return 27000;
        case SDL_HAT_LEFTUP: return 31500;
        default: return kJoyPovCentred;
    }
}

int32_t joyAxis(SDL_Joystick* joystick, int axis) {
    if (axis >= SDL_JoystickNumAxes(joystick)) return kJoyAxisCentre;
    return int32_t(SDL_JoystickGetAxis(joystick, axis)) + 32768;
}

}  // namespace

bool SdlInputBackend::open() {
    // A cabinet's window may lose the focus; its pads must still be read.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(kSubsystems) != 0) return false;
    SDL_AddEventWatch(watchPads, this);
    open_ = true;
    return true;
}

void SdlInputBackend::close() {
    if (!open_) return;
    releaseKeyboard();
    for (int place = 0; place < kJoyPlaces; ++place) releaseJoystick(place);
    {
        std::lock_guard lock(usersLock_);
        for (SDL_GameController*& user : users_) {
            if (user) SDL_GameControllerClose(user);
            user = nullptr;
        }
    }
    SDL_DelEventWatch(watchPads, this);
    {
        std::lock_guard lock(eventsLock_);
        xpadLatches_.clear();
        joyLatches_.clear();
    }
    SDL_QuitSubSystem(kSubsystems);
    open_ = false;
}

void SdlInputBackend::update() {
    if (!open_) return;
    SDL_GameControllerUpdate();
    bindNewControllers();
}

bool SdlInputBackend::controllerBound(SDL_JoystickID id) const {
    for (SDL_GameController* user : users_) {
        if (user && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(user)) == id) return true;
    }
    return false;
}

void SdlInputBackend::bindNewControllers() {
    std::lock_guard lock(usersLock_);
    for (SDL_GameController*& user : users_) {
        if (user && !SDL_GameControllerGetAttached(user)) {
            SDL_GameControllerClose(user);
            user = nullptr;
        }
    }
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (!SDL_IsGameController(index) || controllerBound(SDL_JoystickGetDeviceInstanceID(index))) {
            continue;
        }
        SDL_GameController** free = std::find(std::begin(users_), std::end(users_), nullptr);
        if (free == std::end(users_)) return;
        *free = SDL_GameControllerOpen(index);
    }
}

int SDLCALL SdlInputBackend::watchKeys(void* self, SDL_Event* event) {
    if (event->type != SDL_KEYDOWN && event->type != SDL_KEYUP) return 0;
    auto* backend = static_cast<SdlInputBackend*>(self);
    uint8_t codes[2];
    const int count = keyCodesForScancode(event->key.keysym.scancode, codes);
    const uint8_t state = event->type == SDL_KEYDOWN ? 0x80 : 0;
    std::lock_guard lock(backend->eventsLock_);
    for (int i = 0; i < count; ++i) {
        backend->keys_[codes[i]] = state;
        backend->keyLatches_[codes[i]] |= state;
    }
    return 0;
}

int SDLCALL SdlInputBackend::watchPads(void* self, SDL_Event* event) {
    auto* backend = static_cast<SdlInputBackend*>(self);
    if (event->type == SDL_CONTROLLERBUTTONDOWN) {
        for (const ButtonBit& b : kButtonBits) {
            if (b.button != event->cbutton.button) continue;
            std::lock_guard lock(backend->eventsLock_);
            backend->xpadLatches_[event->cbutton.which] |= b.bit;
        }
    } else if (event->type == SDL_JOYBUTTONDOWN && event->jbutton.button < kJoyButtons) {
        std::lock_guard lock(backend->eventsLock_);
        backend->joyLatches_[event->jbutton.which].set(event->jbutton.button);
    }
    return 0;
}

uint16_t SdlInputBackend::takeXPadLatch(SDL_JoystickID id) {
    std::lock_guard lock(eventsLock_);
    const auto it = xpadLatches_.find(id);
    if (it == xpadLatches_.end()) return 0;
    return std::exchange(it->second, uint16_t(0));
}

std::bitset<kJoyButtons> SdlInputBackend::takeJoyLatch(SDL_JoystickID id) {
    std::lock_guard lock(eventsLock_);
    const auto it = joyLatches_.find(id);
    if (it == joyLatches_.end()) return {};
    return std::exchange(it->second, {});
}

bool SdlInputBackend::createKeyboard() {
    if (!open_ || keyboard_) return keyboard_;
    SDL_AddEventWatch(watchKeys, this);
    keyboard_ = true;
    return true;
}

void SdlInputBackend::releaseKeyboard() {
    if (!keyboard_) return;
    SDL_DelEventWatch(watchKeys, this);
    keyboard_ = false;
    keyboardAcquired_ = false;
    std::lock_guard lock(eventsLock_);
    std::memset(keys_, 0, sizeof keys_);
    std::memset(keyLatches_, 0, sizeof keyLatches_);
}

bool SdlInputBackend::acquireKeyboard() {
    keyboardAcquired_ = keyboard_;
    return keyboardAcquired_;
}

void SdlInputBackend::unacquireKeyboard() { keyboardAcquired_ = false; }

bool SdlInputBackend::readKeyboard(uint8_t keys[256]) {
    if (!keyboardAcquired_) return false;
    std::lock_guard lock(eventsLock_);
    for (size_t code = 0; code < sizeof keys_; ++code) keys[code] = keys_[code] | keyLatches_[code];
    std::memset(keyLatches_, 0, sizeof keyLatches_);
    return true;
}

bool SdlInputBackend::xpadConnected(int user) {
    if (!validUser(user)) return false;
    std::lock_guard lock(usersLock_);
    return users_[user] && SDL_GameControllerGetAttached(users_[user]);
}

bool SdlInputBackend::readXPad(int user, XPadState& state) {
    if (!validUser(user)) return false;
    std::lock_guard lock(usersLock_);
    SDL_GameController* pad = users_[user];
    if (!pad || !SDL_GameControllerGetAttached(pad)) return false;
    state = XPadState();
    for (const ButtonBit& b : kButtonBits) {
        if (SDL_GameControllerGetButton(pad, b.button)) state.buttons |= b.bit;
    }
    state.buttons |= takeXPadLatch(SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)));
    state.leftTrigger = triggerByte(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    state.rightTrigger = triggerByte(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    state.thumbLX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    state.thumbLY = thumbUp(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    state.thumbRX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX);
    state.thumbRY = thumbUp(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY));
    return true;
}

void SdlInputBackend::setXPadVibration(int user, uint16_t leftMotor, uint16_t rightMotor) {
    if (!validUser(user)) return;
    std::lock_guard lock(usersLock_);
    if (users_[user]) SDL_GameControllerRumble(users_[user], leftMotor, rightMotor, kRumbleMs);
}

std::vector<JoyDevice> SdlInputBackend::enumerateJoysticks() {
    std::vector<JoyDevice> devices;
    if (!open_) return devices;
    SDL_JoystickUpdate();
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        const char* name = SDL_JoystickNameForIndex(index);
        devices.push_back({index,
                           ProductGuid::fromUsb(SDL_JoystickGetDeviceVendor(index),
                                                SDL_JoystickGetDeviceProduct(index)),
                           SDL_IsGameController(index) == SDL_TRUE, name ? name : ""});
    }
    return devices;
}

bool SdlInputBackend::openJoystick(int place, const JoyDevice& device) {
    if (!validPlace(place) || places_[place].joystick) return false;
    SDL_Joystick* joystick = SDL_JoystickOpen(device.deviceIndex);
    if (!joystick) return false;
    places_[place] = {joystick, 0, false};
    return true;
}

void SdlInputBackend::releaseJoystick(int place) {
    if (!validPlace(place) || !places_[place].joystick) return;
    SDL_JoystickClose(places_[place].joystick);
    places_[place] = Place();
}

void SdlInputBackend::setJoyDeadZone(int place, int32_t perTenThousand) {
    if (validPlace(place)) places_[place].deadZone = perTenThousand;
}

bool SdlInputBackend::acquireJoystick(int place) {
    if (!validPlace(place) || !places_[place].joystick) return false;
    places_[place].acquired = SDL_JoystickGetAttached(places_[place].joystick) == SDL_TRUE;
    return places_[place].acquired;
}

void SdlInputBackend::unacquireJoystick(int place) {
    if (validPlace(place)) places_[place].acquired = false;
}

JoyRead SdlInputBackend::readJoystick(int place, JoyState& state) {
    if (!validPlace(place) || !places_[place].joystick) return JoyRead::failed;
    Place& p = places_[place];
    if (!SDL_JoystickGetAttached(p.joystick)) {
        p.acquired = false;
        return JoyRead::inputLost;
    }
    if (!p.acquired) return JoyRead::notAcquired;
    state = JoyState::resting();
    state.x = applyDeadZone(joyAxis(p.joystick, 0), kJoyAxisMin, kJoyAxisMax, p.deadZone);
    state.y = applyDeadZone(joyAxis(p.joystick, 1), kJoyAxisMin, kJoyAxisMax, p.deadZone);
    state.z = joyAxis(p.joystick, 2);
    const int hats = std::min(SDL_JoystickNumHats(p.joystick), 4);
    for (int hat = 0; hat < hats; ++hat) state.pov[hat] = povFromHat(SDL_JoystickGetHat(p.joystick, hat));
    const int buttons = std::min(SDL_JoystickNumButtons(p.joystick), kJoyButtons);
    const std::bitset<kJoyButtons> latched = takeJoyLatch(SDL_JoystickInstanceID(p.joystick));
    for (int b = 0; b < buttons; ++b) {
        state.buttons[b] = SDL_JoystickGetButton(p.joystick, b) || latched.test(size_t(b)) ? 0x80 : 0;
    }
    return JoyRead::ok;
}

}  // namespace platform
