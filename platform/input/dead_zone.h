#pragma once
// A pad axis dead zone as the pad drivers the engine was written for apply it:
// the zone is a share of the distance from the centre to each end, in parts
// per ten thousand; a value inside it reads as the centre, and the rest of
// each half is stretched so that the zone's edge reads as the centre and the
// end still reads as the end.

#include <cstdint>

namespace platform {

// value in [minimum, maximum]; centre = (minimum + maximum) / 2, rounded down.
int32_t applyDeadZone(int32_t value, int32_t minimum, int32_t maximum, int32_t perTenThousand);

}  // namespace platform
