#include "platform/input/dead_zone.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    int32_t value;
    int32_t perTenThousand;
    int32_t expected;
};

TEST(DeadZone, CentreInsideTheZoneAndTheRestStretched) {
    // 0..65535 around 32767: 20% of the upper half (32768) is 6553, of the lower
    // half (32767) 6553 as well.
    const Case cases[] = {
        {32767, 2000, 32767},  {32768, 2000, 32767},  {32767 + 6553, 2000, 32767},
        {32767 - 6553, 2000, 32767}, {32767 + 6554, 2000, 32768}, {32767 - 6554, 2000, 32766},
        {65535, 2000, 65535},  {0, 2000, 0},          {32767 + 19660, 2000, 32767 + 16383},
        {40000, 0, 40000},     {40000, 10000, 32767}, {70000, 2000, 65535},
        {-5, 2000, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::applyDeadZone(c.value, 0, 65535, c.perTenThousand), c.expected)
            << "value " << c.value << " zone " << c.perTenThousand;
    }
}

}  // namespace
