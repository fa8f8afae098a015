// One looper for the whole test binary, which the background queues hook into.
#include <gtest/gtest.h>

#include "engine/task/looper.h"

namespace {

class LooperEnvironment : public testing::Environment {
public:
    void SetUp() override { looper = new MLooper; }
    void TearDown() override { delete looper; }
    MLooper* looper = nullptr;
};

auto* const environment =
    static_cast<LooperEnvironment*>(testing::AddGlobalTestEnvironment(new LooperEnvironment));

}  // namespace

MLooper* pipelineLooper() { return environment->looper; }
