#pragma once
// The root task's 32 motion slots. A slot pairs one MMotionLayer (the owner
// of a motion file's registration and textures) with one MMotion (the task
// that plays it) on one draw layer, and adds the game's loop counting, pause
// flag and setters (GameTask::createMotionSlot and its family, defined in
// motion_slots.cpp). Game code reaches the slots through the wrappers of
// motion_wrappers.h.
//
// A slot's motion is appended to the draw layer's locator before its motion
// layer, so the layer draws what the motion queued in the same pass; the
// motion's destructor still talks to the layer, so a slot always deletes its
// motion first.
//
// Threads: main thread only, between frames (the motions update on the
// engine's worker pool during the frame).

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class MMotion;
class MMotionLayer;
class PSBObject;

// The blends a slot draws with, as the callers of OBJdrawMotion name them.
inline constexpr int32_t kMotionSlotBlendNormal = 0;
inline constexpr int32_t kMotionSlotBlendAdditive = 1;
// A slot's colour word: red, green, blue and alpha from the high byte down,
// 0x80 in a channel and 0xff in alpha full strength.
inline constexpr uint32_t kMotionSlotNeutralColor = 0x808080ffu;

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
    // The cached document the slot plays; its motion points into it.
    std::array<const PSBObject*, kSlots> document{};
    // What the slot draws with: its colour word and an alpha of 0.0 to 1.0
    // that scales the word's own (the blend is its layer's draw mode).
    std::array<uint32_t, kSlots> color{};
    std::array<float, kSlots> alpha{};
    // Documents dropped from the cache while slots still play them: the last
    // of those slots to go deletes each.
    std::vector<PSBObject*> droppedDocuments;
    // The speed of every playing, unpaused slot (SDL2_wheel_MotionSetSpeedAll).
    float speedFactor = 1.0f;

    bool valid(int32_t slot) const { return slot >= 0 && slot < kSlots && used[size_t(slot)] != 0; }
};

// The slot's colour word, alpha and blend, applied from its motion's next
// step (the player's colour, which every item is multiplied by) and its
// layer's next draw (the blend). A bad slot is ignored. A blend other than
// kMotionSlotBlendAdditive is normal: each item draws with its own mode.
void motionSlotSetColor(MotionSlotTable& slots, int32_t slot, uint32_t color);
void motionSlotSetAlpha(MotionSlotTable& slots, int32_t slot, float alpha);
void motionSlotSetBlend(MotionSlotTable& slots, int32_t slot, int32_t blend);
// Called as a cached document is dropped: true when slots still play it,
// which then keep it until the last of them goes; false when no slot does
// and the caller deletes it.
bool motionSlotsKeepDocument(MotionSlotTable& slots, PSBObject* document);
