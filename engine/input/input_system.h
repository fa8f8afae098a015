#pragma once
// The process-wide input system under the input hubs: the keyboard and pad
// devices (through platform::currentInputBackend()), the pad-poll thread, the
// slot table, the per-slot masks that the keyboard and DirectInput pad
// buttons feed every frame, and the button maps of "dinput.ini". It lives
// from initInputSystem to shutdownInputSystem.
//
// Threads: everything here runs on the main thread, except the pad-poll
// thread, which writes the XInput connected mask under the pads lock
// (xinputConnectedMask takes it). The DirectInput lock guards the pad devices
// and their states between pollDirectInput and acquireInputDevices.

#include <cstdint>

#include "engine/input/pad_slots.h"
#include "platform/input/input_backend.h"

constexpr int kErrorDeviceNotConnected = 1167;

// Opens the devices, enumerates the pads, starts the pad-poll thread and
// builds the slot table. Again after success: rebuilds the slot table only.
bool initInputSystem();
// initInputSystem unless it already ran in this process's current input
// lifetime; what start-up and the first hub call.
void initInputSystemOnce();
// Stops and joins the pad-poll thread, releases every device and the maps.
void shutdownInputSystem();
bool padPollThreadRunning();

// The window's activation: while inactive every slot reads as absent.
void setInputActive(bool active);
bool inputActive();
// Acquires the devices while active, releases them otherwise.
void acquireInputDevices();
// The window was asked to close: slot 0 reads Exit for one frame.
void requestInputExit();

class MSoftKeyPad;
// The window's on-screen pad (null when it has none); the window shell
// publishes it when it installs one.
void setInputWindowSoftKeyPad(MSoftKeyPad* pad);
MSoftKeyPad* inputWindowSoftKeyPad();

// First step of every frame: the slot masks from DirectInput pad buttons and
// the keyboard.
void pollDirectInput();
// The slot's pad in XInput form, with the slot's masks merged in; 0, or
// kErrorDeviceNotConnected while the input is inactive.
int readPadSlot(int slot, platform::XPadState& state);
uint32_t slotEngineMask(int slot);
uint32_t xinputConnectedMask();
const MPadSlotTable& padSlots();
