#pragma once
// The fighter's pick-ups: what an item gives when the fighter takes it, and
// the one rule both sides of the touch ask whether it is taken.
//
// Threads: main thread only.

#include <cstdint>

struct ObjWork;

// Whether the fighter takes this item now. Refused: no fighter ready, the
// fire lock running, the delay not over; in the stage clear kinds 5, 6, 11,
// 12 and 13; during the stage result kinds 5, 12 and 13; with weapons off
// kinds 6 and 11. A refused item stays where it is, so nothing is lost
// unapplied.
bool fighterPickUpApplies(const ObjWork* item);
// Applies the pick-up of a taken item: sounds, counters, carrier progress,
// bonus counter, score and its popup.
void fighterPickUp(ObjWork* item);
// The score a pick-up worth `value` gives at a score rate (tenths).
uint64_t fighterPickUpScore(uint64_t value, int32_t rate);
