#pragma once
// One looper for the whole test binary, made before the first test and
// deleted after the last: the hooks and background queues under test
// register with it.

#include <gtest/gtest.h>

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
