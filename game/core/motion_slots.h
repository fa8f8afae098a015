#pragma once
// The root task's 32 motion slots. A slot pairs one MMotionLayer (the owner
// of a motion file's registration and textures) with one MMotion (the task
// that plays it) on one draw layer, and adds the game's loop counting, pause
// flag and setters (GameTask::createMotionSlot and its family, defined in
// motion_slots.cpp). Game code reaches the slots through the wrappers of
// motion_wrappers.h.
//
// A slot's motion layer is appended to the draw layer's locator before its
// motion, so the layer draws what the motion queued in the same pass; the
// motion's destructor still talks to the layer, so a slot always deletes its
// motion first.
//
// Threads: main thread only, between frames (the motions update on the
// engine's worker pool during the frame).

#include <array>
#include <cstddef>
#include <cstdint>

class MMotion;
class MMotionLayer;

struct MotionSlotTable {
    static constexpr int kSlots = 32;

    std::array<uint8_t, kSlots> used{};
    std::array<int32_t, kSlots> layer{};
    std::array<MMotionLayer*, kSlots> motionLayer{};
    std::array<MMotion*, kSlots> motion{};
    std::array<int32_t, kSlots> loopCount{};
    std::array<int32_t, kSlots> loopLimit{};
    std::array<uint8_t, kSlots> paused{};
    std::array<int32_t, kSlots> motionData{};
    // The speed of every playing, unpaused slot (SDL2_wheel_MotionSetSpeedAll).
    float speedFactor = 1.0f;

    bool valid(int32_t slot) const { return slot >= 0 && slot < kSlots && used[size_t(slot)] != 0; }
};
