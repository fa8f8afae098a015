#include "engine/input/pad_slots.h"

#include <gtest/gtest.h>

namespace {

TEST(PadSlots, XInputPadsFirstThenDirectInputPadsAndNeverMoreThanTwo) {
    struct Case {
        uint32_t xinput, places;
        MPadSlot first, second;
    };
    const MPadSlot none;
    const Case cases[] = {
        {0, 0, none, none},
        {0b0100, 0, {kPadSlotXInput, 2}, none},
        {0b0101, 0b0001, {kPadSlotXInput, 0}, {kPadSlotXInput, 2}},
        {0b0111, 0, {kPadSlotXInput, 0}, {kPadSlotXInput, 1}},  // a third pad is ignored
        {0b1000, 0b0110, {kPadSlotXInput, 3}, {kPadSlotDirectInput, 1}},
        {0, 0b1011, {kPadSlotDirectInput, 0}, {kPadSlotDirectInput, 1}},
    };
    for (const Case& c : cases) {
        const MPadSlotTable slots = buildPadSlots(c.xinput, c.places);
        EXPECT_EQ(slots[0].kind, c.first.kind);
        EXPECT_EQ(slots[0].device, c.first.device);
        EXPECT_EQ(slots[1].kind, c.second.kind);
        EXPECT_EQ(slots[1].device, c.second.device);
        for (int slot = 2; slot < kInputSlots; ++slot) EXPECT_EQ(slots[size_t(slot)].kind, kPadSlotNone);
    }
}

}  // namespace
