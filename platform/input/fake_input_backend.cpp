#include "platform/input/fake_input_backend.h"

#include <cstring>

namespace platform {

bool FakeInputBackend::open() {
    isOpen = openSucceeds;
    return isOpen;
}

void FakeInputBackend::close() {
    releaseKeyboard();
    for (int place = 0; place < kJoyPlaces; ++place) releaseJoystick(place);
    isOpen = false;
}

bool FakeInputBackend::createKeyboard() {
    keyboardCreated = keyboardExists;
    return keyboardCreated;
}

void FakeInputBackend::releaseKeyboard() {
    keyboardCreated = false;
    keyboardAcquired = false;
}

bool FakeInputBackend::acquireKeyboard() {
    keyboardAcquired = keyboardCreated;
    return keyboardAcquired;
}

bool FakeInputBackend::readKeyboard(uint8_t out[256]) {
    if (!keyboardAcquired) return false;
    std::memcpy(out, keys.data(), keys.size());
    return true;
}

bool FakeInputBackend::xpadConnected(int user) {
    ++connectedQueries;
    return user >= 0 && user < kXPadUsers && connected_[size_t(user)];
}

bool FakeInputBackend::readXPad(int user, XPadState& state) {
    if (!xpadConnected(user)) return false;
    state = xpads[size_t(user)];
    return true;
}

void FakeInputBackend::setXPadVibration(int user, uint16_t leftMotor, uint16_t rightMotor) {
    vibrations.push_back({user, leftMotor, rightMotor});
}

std::vector<JoyDevice> FakeInputBackend::enumerateJoysticks() {
    std::vector<JoyDevice> devices;
    for (size_t i = 0; i < joysticks.size(); ++i) {
        if (!joysticks[i].attached) continue;
        JoyDevice device = joysticks[i].device;
        device.deviceIndex = int(i);
        devices.push_back(device);
    }
    return devices;
}

bool FakeInputBackend::openJoystick(int place, const JoyDevice& device) {
    places[size_t(place)] = {device.deviceIndex, 0, false};
    return true;
}

void FakeInputBackend::releaseJoystick(int place) { places[size_t(place)] = Place(); }

void FakeInputBackend::setJoyDeadZone(int place, int32_t perTenThousand) {
    places[size_t(place)].deadZone = perTenThousand;
}

bool FakeInputBackend::acquireJoystick(int place) {
    Place& p = places[size_t(place)];
    p.acquired = p.joystick >= 0 && joysticks[size_t(p.joystick)].attached;
    return p.acquired;
}

void FakeInputBackend::unacquireJoystick(int place) { places[size_t(place)].acquired = false; }

JoyRead FakeInputBackend::readJoystick(int place, JoyState& state) {
    Place& p = places[size_t(place)];
    if (p.joystick < 0) return JoyRead::failed;
    const Joystick& joystick = joysticks[size_t(p.joystick)];
    if (!joystick.attached) {
        p.acquired = false;
        return JoyRead::inputLost;
    }
    if (!p.acquired) return JoyRead::notAcquired;
    state = joystick.state;
    return JoyRead::ok;
}

}  // namespace platform
