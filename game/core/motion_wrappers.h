#pragma once
// The porting layer's motion-slot wrappers: every game family drives its
// motions through these. Each fetches the root task, checks the slot and
// forwards to its motion slots (motion_slots.h). A bad slot (outside 0..31,
// or not in use) does nothing and gives 0, false or an empty name.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

#include "game/core/motion_slots.h"

// A slot for the cached motion file (its short name) on the draw layer, or -1.
int32_t SDL2_wheel_MotionCreate(int32_t layer, std::string psbName);
// Re-evaluates the slot's motion at once without advancing time.
void SDL2_wheel_MotionRefresh(int32_t slot);
int32_t SDL2_wheel_MotionGetLayer(int32_t slot);
// Starts the object's motion at speed 1.0, re-evaluated at once; loopLimit
// loops are played, 0 or -1 for ever.
void SDL2_wheel_MotionPlay(int32_t slot, int32_t loopLimit, std::string objectName, std::string motionName);
void SDL2_wheel_MotionPause(int32_t slot);
// Speed 1.0, whatever the speed factor of SDL2_wheel_MotionSetSpeedAll.
void SDL2_wheel_MotionResume(int32_t slot);
int32_t SDL2_wheel_MotionGetLength(int32_t slot);
int32_t SDL2_wheel_MotionGetFrame(int32_t slot);
// out: x, y and angle (degrees) of the named layer node, looked up in the
// slot's motion and then in the motions nested in it; true when found,
// else out is zeroed and the result is false.
bool SDL2_wheel_MotionGetLocator(int32_t slot, float* out, std::string layerName);
// The per-frame loop bookkeeping; a negative slot is ignored.
void SDL2_wheel_MotionUpdateLoop(int32_t slot);
int32_t SDL2_wheel_MotionGetLoopCount(int32_t slot);
std::string SDL2_wheel_MotionGetName(int32_t slot);
// The speed factor, and the speed of every used, unpaused slot.
void SDL2_wheel_MotionSetSpeedAll(int32_t speed);
// What a slot draws with: its colour word (0xRRGGBBAA, 0x808080ff
// untinted), an alpha (0.0 to 1.0, scaling the word's) and a blend
// (kMotionSlotBlendAdditive, or normal for any other). The slot draws itself
// (the draw flush passes OBJdrawMotion entries by), so callers tint and fade
// it here.
void SDL2_wheel_MotionSetColor(int32_t slot, uint32_t color);
void SDL2_wheel_MotionSetAlpha(int32_t slot, float alpha);
void SDL2_wheel_MotionSetBlend(int32_t slot, int32_t blend);
