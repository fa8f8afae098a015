#include "engine/input/pad_slots.h"

#include "platform/input/input_backend.h"

MPadSlotTable buildPadSlots(uint32_t xinputConnected, uint32_t placesPresent) {
    MPadSlotTable slots;
    int given = 0;
    for (int user = 0; user < platform::kXPadUsers && given < kPadSlotsInUse; ++user) {
        if (xinputConnected & (1u << user)) slots[size_t(given++)] = {kPadSlotXInput, user};
    }
    for (int place = 0; place < platform::kJoyPlaces && given < kPadSlotsInUse; ++place) {
        if (placesPresent & (1u << place)) slots[size_t(given++)] = {kPadSlotDirectInput, place};
    }
    return slots;
}
