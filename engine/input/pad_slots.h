#pragma once
// The slot table: which pad feeds each of the eight input slots. XInput pads
// come first, then DirectInput pads, and at most two slots are ever given.

#include <array>
#include <cstdint>

enum MPadSlotKind : int32_t { kPadSlotNone = -1, kPadSlotXInput = 0, kPadSlotDirectInput = 1 };

struct MPadSlot {
    MPadSlotKind kind = kPadSlotNone;
    int32_t device = 0;  // XInput user or DirectInput place
};

constexpr int kInputSlots = 8;
constexpr int kPadSlotsInUse = 2;

using MPadSlotTable = std::array<MPadSlot, kInputSlots>;

// xinputConnected: bit u for each answering XInput user; placesPresent: bit p
// for each DirectInput pad place holding a device.
MPadSlotTable buildPadSlots(uint32_t xinputConnected, uint32_t placesPresent);
