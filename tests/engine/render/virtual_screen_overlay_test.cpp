// The overlay dissolve's shader constants, vagueness below 1 counted as 1.
#include <gtest/gtest.h>

#include "engine/render/virtual_screen_view.h"

namespace {

TEST(VirtualScreenOverlay, ConstantsOfVaguenessAndProgress) {
    struct Case {
        int32_t vagueness;
        float progress;
        MOverlayConstants expected;
    };
    const Case cases[] = {
        {255, 255.0f, {0.0f, 1.0f}},
        {255, 0.0f, {2.0f, 1.0f}},
        {51, 0.0f, {306.0f / 255.0f, 5.0f}},
        {1, 0.0f, {256.0f / 255.0f, 255.0f}},
        {0, 0.0f, {256.0f / 255.0f, 255.0f}},
        {-40, 0.0f, {256.0f / 255.0f, 255.0f}},
    };
    for (const Case& c : cases) {
        const MOverlayConstants got = overlayConstants(c.vagueness, c.progress);
        EXPECT_FLOAT_EQ(got.phase, c.expected.phase) << c.vagueness << " " << c.progress;
        EXPECT_FLOAT_EQ(got.invVague, c.expected.invVague) << c.vagueness << " " << c.progress;
    }
}

}  // namespace
