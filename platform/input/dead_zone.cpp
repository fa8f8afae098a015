#include "platform/input/dead_zone.h"

#include <algorithm>

namespace platform {

int32_t applyDeadZone(int32_t value, int32_t minimum, int32_t maximum, int32_t perTenThousand) {
    const int64_t centre = (int64_t(minimum) + maximum) / 2;
    const int64_t offset = std::clamp<int64_t>(value, minimum, maximum) - centre;
    const int64_t half = offset >= 0 ? maximum - centre : centre - minimum;
    const int64_t zone = half * std::clamp(perTenThousand, 0, 10000) / 10000;
    const int64_t distance = offset >= 0 ? offset : -offset;
    if (distance <= zone || half == zone) return int32_t(centre);
    const int64_t stretched = (distance - zone) * half / (half - zone);
    return int32_t(offset >= 0 ? centre + stretched : centre - stretched);
}

}  // namespace platform
