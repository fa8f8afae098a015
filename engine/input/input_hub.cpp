#include "engine/input/input_hub.h"

#include <algorithm>

#include "engine/base/win_app_settings.h"
#include "engine/input/analog_to_digital.h"
#include "engine/input/input_map.h"
#include "engine/input/input_system.h"
#include "engine/input/soft_key_pad.h"
#include "engine/task/looper.h"
#include "platform/input/input_backend.h"

namespace {

constexpr uint16_t kMotorOn = 0x8000;

float frameDelta() {
    const MLooper* looper = MLooper::getInstance();
    return looper ? looper->getFrameDelta() : 1.0f;
}

bool xinputUserConnected(int slot) {
    return slot < platform::kXPadUsers && (xinputConnectedMask() >> slot) & 1;
}

}  // namespace

// The hook starts disabled and is enabled once the hub is whole, so the loop
// never runs a half-built hub.
MInputHub::MInputHub() : MLooperVSyncHook(false) {}

MSingleInputHub::MSingleInputHub() {
    initInputSystemOnce();
    for (std::unique_ptr<MInput>& input : inputs_) input = std::make_unique<MInput>();
    if (MSoftKeyPad* pad = inputWindowSoftKeyPad()) {
        touchPad_ = pad;
        pad->setKeysEnabled(false);
    }
    enableVSyncHook(true);
}

MSingleInputHub::~MSingleInputHub() {
    for (int slot = 0; slot < kInputSlots; ++slot) {
        if (vibrating_[slot] && xinputUserConnected(slot)) {
            platform::currentInputBackend().setXPadVibration(slot, 0, 0);
        }
    }
}

MInput* MSingleInputHub::getInput(uint32_t index) {
    return inputs_[std::min(index, count_ - 1)].get();
}

void MSingleInputHub::onVSync() {
    pollDirectInput();
    const float step = frameDelta();
    for (int slot = 0; slot < kInputSlots; ++slot) {
        const MInputSample sample = analogToDigital(slot);
        inputs_[size_t(slot)]->update(sample, step);
        // The first frame reads what is held as held, not as pressed.
        if (firstSample_) inputs_[size_t(slot)]->update(sample, step);
        firstSample_ = false;
    }
    for (int slot = 0; slot < kInputSlots; ++slot) vibrate(slot, step);
}

void MSingleInputHub::addTouch(MInputSample& sample) const {
    if (!touchPad_) return;
    const uint32_t point = touchPad_->currentPoint();
    if (point >= MTouchPad::kPoints || ((touchPad_->downMask() >> point) & 1) == 0) return;
    sample.buttons |= kInputTouch;
    const MInputPoint position = touchPad_->position(point);
    sample.touchX = position.x;
    sample.touchY = position.y;
}

MInputSample MSingleInputHub::analogToDigital(int slot) {
    MInputSample sample;
    if (slot == 0) {
        const MSoftKeyPad* softKeyPad = inputWindowSoftKeyPad();
        if (winAppSettings().softKeypad && softKeyPad) {
            sample.buttons |= translateBits(softKeyPad->pressedKeys(), softKeyToEngineTable());
        }
        addTouch(sample);
    }
    platform::XPadState pad;
    if (readPadSlot(slot, pad) != 0) {
        sample.buttons = 0;
        return sample;
    }
    padToSample(pad, slotEngineMask(0) & kInputExit, {leftStickToDirections, rightStickToDirections},
                sample);
    return sample;
}

void MSingleInputHub::vibrate(int slot, float frameStep) {
    if (!xinputUserConnected(slot)) return;
    MInput& input = *inputs_[size_t(slot)];
    const bool on = input.vibrationTime != 0.0f;
    if (on) input.vibrationTime -= std::min(input.vibrationTime, frameStep);
    if (on == vibrating_[slot]) return;
    vibrating_[slot] = on;
    const uint16_t motor = on ? kMotorOn : 0;
    platform::currentInputBackend().setXPadVibration(slot, motor, motor);
}
