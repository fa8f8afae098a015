#include "platform/display/display.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(DisplayDpi, IsPositiveOnTheTestDisplay) {
    const platform::DisplayDpi dpi = platform::displayDpi();
    EXPECT_GT(dpi.x, 0.0f);
    EXPECT_GT(dpi.y, 0.0f);
}

TEST(DisplayDpi, IsNinetySixWithoutADisplay) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = driver ? driver : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    const platform::DisplayDpi dpi = platform::displayDpi();
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    EXPECT_EQ(dpi.x, 96.0f);
    EXPECT_EQ(dpi.y, 96.0f);
}

}  // namespace
