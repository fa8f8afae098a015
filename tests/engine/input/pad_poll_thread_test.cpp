#include "engine/input/pad_poll_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/input/input_system.h"
#include "platform/input/fake_input_backend.h"

namespace {

using namespace std::chrono_literals;

// Waits, bounded, until the thread has made the mask what the test expects.
bool maskBecomes(std::mutex& lock, const uint32_t& mask, uint32_t expected) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        {
            std::lock_guard guard(lock);
            if (mask == expected) return true;
        }
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

TEST(MPadPollThread, FollowsPadsComingAndGoingAndStopsWhenSignalled) {
    platform::FakeInputBackend backend;
    std::mutex padsLock;
    uint32_t mask = 0;
    MPadPollThread thread(backend, padsLock, mask);

    backend.setXPadConnected(0, true);
    backend.setXPadConnected(3, true);
    EXPECT_TRUE(maskBecomes(padsLock, mask, 0b1001));
    backend.setXPadConnected(0, false);
    EXPECT_TRUE(maskBecomes(padsLock, mask, 0b1000));

    thread.stop();
    const int queries = backend.connectedQueries;
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(backend.connectedQueries, queries);
    thread.stop();  // a second stop is harmless
}

TEST(MPadPollThread, TheInputSystemStartsItAndShutdownJoinsIt) {
    platform::FakeInputBackend backend;
    platform::setInputBackend(&backend);
    ASSERT_TRUE(initInputSystem());
    EXPECT_TRUE(padPollThreadRunning());
    backend.setXPadConnected(1, true);
    for (int frame = 0; frame < 1000 && xinputConnectedMask() != 0b10; ++frame) {
        pollDirectInput();
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(xinputConnectedMask(), 0b10u);
    shutdownInputSystem();
    EXPECT_FALSE(padPollThreadRunning());
    const int queries = backend.connectedQueries;
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(backend.connectedQueries, queries);
    platform::setInputBackend(nullptr);
}

}  // namespace
