#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "engine/motion/motion_layer.h"

namespace {

TEST(MotionLayerThreads, PlayersDrawRandomNumbersAtOnce) {
    MMotionLayer layer;
    std::vector<std::thread> players;
    std::vector<int> outOfRange(4, 0);
    for (size_t p = 0; p < outOfRange.size(); ++p) {
        players.emplace_back([&layer, &count = outOfRange[p]] {
            for (int i = 0; i < 2000; ++i) {
                const float r = layer.random();
                if (r < 0.0f || r >= 1.0f) ++count;
            }
        });
    }
    for (std::thread& t : players) t.join();
    EXPECT_EQ(outOfRange, std::vector<int>(4, 0));
}

TEST(MotionLayerThreads, APlayerHoldingTheLockMayDrawARandomNumber) {
    MMotionLayer layer;
    layer.lock();
    const float r = layer.random();
    layer.unlock();
    EXPECT_LT(r, 1.0f);
}

}  // namespace
