#include "engine/input/input_system.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <span>

#include "engine/input/input_map.h"
#include "engine/input/pad_poll_thread.h"
#include "engine/input/win_input_config.h"

namespace {

// DirectInput's dead zone on a pad's X and Y axes, per ten thousand.
constexpr int32_t kPadDeadZone = 2000;

struct SlotMasks {
    uint32_t engine = 0;
    uint32_t xinput = 0;
};

struct InputSystem {
    platform::InputBackend* backend = nullptr;  // set while open
    bool initialised = false;
    bool keyboard = false;
    bool active = false;
    bool exitRequested = false;
    bool padPresent[platform::kJoyPlaces] = {};
    // A pad that cannot be read rests at the centre with its hats centred.
    platform::JoyState padStates[platform::kJoyPlaces];
    uint32_t xinputConnected = 0;
    MPadSlotTable slots;
    SlotMasks masks[kInputSlots];
    std::unique_ptr<MWinInputConfig> config;
    std::mutex padsLock;
    std::mutex directInputLock;
    std::unique_ptr<MPadPollThread> pollThread;
    MSoftKeyPad* windowSoftKeyPad = nullptr;
};

InputSystem& system() {
    static InputSystem instance;
    return instance;
}

uint32_t placesPresent() {
    uint32_t mask = 0;
    for (int place = 0; place < platform::kJoyPlaces; ++place) {
        if (system().padPresent[place]) mask |= 1u << place;
    }
    return mask;
}

void rebuildPadSlots() {
    InputSystem& s = system();
    uint32_t connected;
    {
        std::lock_guard lock(s.padsLock);
        connected = s.xinputConnected;
    }
    s.slots = buildPadSlots(connected, placesPresent());
}

int firstEmptyPlace() {
    const bool* present = system().padPresent;
    const bool* empty = std::find(present, present + platform::kJoyPlaces, false);
    return empty == present + platform::kJoyPlaces ? -1 : int(empty - present);
}

// Pads read as XInput pads are left to the XInput side.
void enumeratePadDevices() {
    InputSystem& s = system();
    for (const platform::JoyDevice& device : s.backend->enumerateJoysticks()) {
        if (device.gameController) continue;
        const int place = firstEmptyPlace();
        if (place < 0 || !s.backend->openJoystick(place, device)) continue;
        s.backend->setJoyDeadZone(place, kPadDeadZone);
        s.padPresent[place] = true;
        s.backend->acquireJoystick(place);
        loadInputConfig(*s.config, place, device.product);
    }
}

void readInitialConnectedMask() {
    InputSystem& s = system();
    uint32_t mask = 0;
    for (int user = 0; user < platform::kXPadUsers; ++user) {
        if (s.backend->xpadConnected(user)) mask |= 1u << user;
    }
    std::lock_guard lock(s.padsLock);
    s.xinputConnected = mask;
}

// Each entry whose source reads as down (bit 0x80) adds its bits; sources
// beyond the states (pad buttons of 128 and up) never do.
void applyMapping(std::span<const MInputMapping> mapping, std::span<const uint8_t> states,
                  SlotMasks& masks) {
    for (const MInputMapping& entry : mapping) {
        if (entry.source >= states.size() || (states[entry.source] & 0x80) == 0) continue;
        masks.engine |= entry.engineBits;
        masks.xinput |= entry.xinputBits;
    }
}

// Reads the place's pad; false when it could not be read even after
// acquiring it again.
bool readPad(int place) {
    InputSystem& s = system();
    std::lock_guard lock(s.directInputLock);
    platform::JoyState& state = s.padStates[place];
    if (s.backend->readJoystick(place, state) == platform::JoyRead::ok) return true;
    if (s.backend->acquireJoystick(place) &&
        s.backend->readJoystick(place, state) == platform::JoyRead::ok) {
        return true;
    }
    state = platform::JoyState::resting();
    return false;
}

// A pad that could not be read falls back on the default map.
void pollPadButtons(int slot, int place) {
    InputSystem& s = system();
    const bool read = readPad(place);
    const std::vector<MInputMapping>& own = s.config->places[size_t(place)];
    const std::span<const MInputMapping> mapping =
        read && !own.empty() ? std::span<const MInputMapping>(own) : defaultPadMapping();
    applyMapping(mapping, s.padStates[place].buttons, s.masks[slot]);
}

void pollKeyboard() {
    InputSystem& s = system();
    if (!s.keyboard || !s.active) return;
    if (s.exitRequested) {
        s.masks[0].engine |= kInputExit;
        s.exitRequested = false;
    }
    uint8_t keys[256];
    if (!s.backend->readKeyboard(keys)) return;
    int slot = 0;
    for (std::span<const MInputMapping> table : keyboardTables()) applyMapping(table, keys, s.masks[slot++]);
}

int16_t clampThumb(int32_t value) { return int16_t(std::clamp(value, -32768, 32767)); }

// A DirectInput pad in XInput form: the stick centred on 32767 and the first
// hat added to it.
void readDirectInputPad(int place, platform::XPadState& state) {
    const platform::JoyState& pad = system().padStates[place];
    int32_t x = clampThumb(pad.x - 32767);
    int32_t y = -clampThumb(pad.y - 32767);
    const uint32_t pov = pad.pov[0];
    if (pov != platform::kJoyPovCentred) {
        if (pov < 7200 || pov >= 28801) y += 32767;
        if (pov >= 10801 && pov <= 25199) y -= 32768;
        if (pov >= 1801 && pov <= 16199) x += 32767;
        if (pov >= 19801 && pov <= 34199) x -= 32768;
    }
    state.thumbLX = clampThumb(x);
    state.thumbLY = clampThumb(y);
}

}  // namespace

bool initInputSystem() {
    InputSystem& s = system();
    if (s.backend) {
        rebuildPadSlots();
        return true;
    }
    platform::InputBackend& backend = platform::currentInputBackend();
    if (!backend.open()) return false;
    s.backend = &backend;
    std::fill(std::begin(s.padPresent), std::end(s.padPresent), false);
    std::fill(std::begin(s.padStates), std::end(s.padStates), platform::JoyState::resting());
    backend.update();
    readInitialConnectedMask();
    if (!s.config) s.config = std::make_unique<MWinInputConfig>();
    enumeratePadDevices();
    s.keyboard = backend.createKeyboard();
    if (s.keyboard) s.active = backend.acquireKeyboard();
    s.exitRequested = false;
    s.pollThread = std::make_unique<MPadPollThread>(backend, s.padsLock, s.xinputConnected);
    rebuildPadSlots();
    return true;
}

void initInputSystemOnce() {
    InputSystem& s = system();
    if (s.initialised) return;
    initInputSystem();
    s.initialised = true;
}

void shutdownInputSystem() {
    InputSystem& s = system();
    if (s.pollThread) s.pollThread->stop();
    s.pollThread.reset();
    if (s.backend) {
        if (s.keyboard) s.backend->unacquireKeyboard();
        s.backend->close();
    }
    s.backend = nullptr;
    s.config.reset();
    s.initialised = s.keyboard = s.active = s.exitRequested = false;
    std::fill(std::begin(s.padPresent), std::end(s.padPresent), false);
    s.slots = MPadSlotTable();
    for (SlotMasks& masks : s.masks) masks = SlotMasks();
    std::lock_guard lock(s.padsLock);
    s.xinputConnected = 0;
}

bool padPollThreadRunning() { return system().pollThread != nullptr; }

void setInputActive(bool active) { system().active = active; }

bool inputActive() { return system().active; }

void acquireInputDevices() {
    InputSystem& s = system();
    if (!s.backend) return;
    if (s.active) {
        {
            std::lock_guard lock(s.directInputLock);
            for (int place = 0; place < platform::kJoyPlaces; ++place) {
                if (s.padPresent[place]) s.backend->acquireJoystick(place);
            }
        }
        if (s.keyboard) s.backend->acquireKeyboard();
        return;
    }
    if (s.keyboard) s.backend->unacquireKeyboard();
    std::lock_guard lock(s.directInputLock);
    for (int place = 0; place < platform::kJoyPlaces; ++place) {
        if (s.padPresent[place]) s.backend->unacquireJoystick(place);
    }
}

void requestInputExit() { system().exitRequested = true; }

void setInputWindowSoftKeyPad(MSoftKeyPad* pad) { system().windowSoftKeyPad = pad; }

MSoftKeyPad* inputWindowSoftKeyPad() { return system().windowSoftKeyPad; }

void pollDirectInput() {
    InputSystem& s = system();
    if (!s.backend) return;
    s.backend->update();
    for (int slot = 0; slot < kInputSlots; ++slot) {
        s.masks[slot] = SlotMasks();
        const MPadSlot& entry = s.slots[size_t(slot)];
        if (entry.kind == kPadSlotDirectInput && s.padPresent[entry.device]) {
            pollPadButtons(slot, entry.device);
        }
    }
    pollKeyboard();
}

int readPadSlot(int slot, platform::XPadState& state) {
    InputSystem& s = system();
    if (!s.active) return kErrorDeviceNotConnected;
    const MPadSlot& entry = s.slots[size_t(slot)];
    if (entry.kind == kPadSlotXInput && s.backend) {
        s.backend->readXPad(entry.device, state);
    } else if (entry.kind == kPadSlotDirectInput && s.padPresent[entry.device]) {
        readDirectInputPad(entry.device, state);
    }
    const SlotMasks& masks = s.masks[slot];
    state.buttons |= uint16_t(masks.xinput);
    if (masks.engine & kInputLT) state.leftTrigger = std::max<uint8_t>(state.leftTrigger, 30);
    if (masks.engine & kInputRT) state.rightTrigger = std::max<uint8_t>(state.rightTrigger, 30);
    return 0;
}

uint32_t slotEngineMask(int slot) { return system().masks[slot].engine; }

uint32_t xinputConnectedMask() {
    InputSystem& s = system();
    std::lock_guard lock(s.padsLock);
    return s.xinputConnected;
}

const MPadSlotTable& padSlots() { return system().slots; }
