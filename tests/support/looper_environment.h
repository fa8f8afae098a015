#pragma once
// One looper for the whole test binary, made before the first test and
// deleted after the last: the hooks and background queues under test
// register with it.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/task/looper.h"

class LooperEnvironment : public testing::Environment {
public:
    void SetUp() override { looper = new MLooper; }
    void TearDown() override { delete looper; }
    MLooper* looper = nullptr;
};

inline LooperEnvironment* const looperEnvironment =
    static_cast<LooperEnvironment*>(testing::AddGlobalTestEnvironment(new LooperEnvironment));

inline MLooper* testLooper() { return looperEnvironment->looper; }

// Frames of `owner` and the post-loop phase (which wakes the background
// threads) until `done` answers true; false after a minute. The limit only
// keeps a hung test from waiting for ever: under ThreadSanitizer on a loaded
// two-core machine, reading the largest sound archive alone takes over five
// seconds.
template <class Done>
bool runFramesUntil(MTask& owner, Done done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        runTask(&owner);
        runTask(&testLooper()->getPostLoopPhase());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
