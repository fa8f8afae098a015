#include "engine/render/d3d_fit.h"

#include <gtest/gtest.h>

namespace {

TEST(D3DFit, ScreenIsPillarOrLetterBoxedIntoTheClientArea) {
    struct Case {
        int screenW, screenH, clientW, clientH;
        D3DFitRect destination;
    };
    const Case cases[] = {
        {640, 480, 1920, 1080, {240.0f, 0.0f, 1680.0f, 1080.0f}},  // client wider: pillar box
        {1920, 1080, 1000, 1000, {0.0f, 218.75f, 1000.0f, 781.25f}},  // client taller: letter box
        {1920, 1080, 960, 540, {0.0f, 0.0f, 960.0f, 540.0f}},         // same aspect
    };
    for (const Case& c : cases) {
        const D3DFitRects fit = computeFitRects(c.screenW, c.screenH, c.clientW, c.clientH);
        EXPECT_EQ(fit.source, (D3DFitRect{0, 0, float(c.screenW), float(c.screenH)}));
        EXPECT_EQ(fit.destination, c.destination) << c.clientW << "x" << c.clientH;
    }
}

TEST(D3DFit, FitModeOnePresentsTheMiddleAtTheWindowsAspect) {
    D3DPresentFit fit;
    ASSERT_TRUE(computePresentFit(1600, 900, 2000, 900, fit));
    EXPECT_EQ(fit.source, (platform::Rect{200, 0, 1800, 900}));
    EXPECT_EQ(fit.destination, (platform::Rect{0, 0, 1600, 900}));
    EXPECT_FALSE(computePresentFit(1920, 1080, 1000, 1080, fit));  // back buffer too narrow
}

}  // namespace
