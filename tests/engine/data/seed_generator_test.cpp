#include "engine/data/seed_generator.h"

#include <gtest/gtest.h>

#include "engine/data/mersenne_twister.h"
#include "engine/task/looper.h"
#include "engine/task/task.h"
#include "platform/clock/fake_clock.h"

namespace {

class SeedGeneratorTest : public testing::Test {
protected:
    void SetUp() override {
        clock_.setMilliseconds(0x12345);
        platform::setClock(&clock_);
    }
    void TearDown() override { platform::setClock(nullptr); }
    platform::FakeClock clock_;
};

TEST_F(SeedGeneratorTest, StartsFromTheMillisecondCounterAndPublishesItself) {
    MLooper looper;
    {
        MSeedGenerator generator;
        EXPECT_EQ(getSeedGenerator(), &generator);
        EXPECT_EQ(generator.pool().words()[0], 0x2345u);
        EXPECT_EQ(seedPoolWords(), generator.pool().words());
    }
    EXPECT_EQ(getSeedGenerator(), nullptr);
    EXPECT_EQ(seedPoolWords()[0], 0u);
}

TEST_F(SeedGeneratorTest, MixesTheTimeXorItsAddressEachFrame) {
    MLooper looper;
    MSeedGenerator generator;
    const auto address = uint16_t(reinterpret_cast<uintptr_t>(&generator));
    clock_.setMilliseconds(0x0F0F);
    generator.onVSync();
    EXPECT_EQ(generator.pool().words()[0] & 0xFFFF, 0x2345u ^ 0x0F0Fu ^ address);
    EXPECT_EQ(generator.pool().position(), 1u);
}

// The vsync phase is run on its own: a whole loop would start the worker
// pool's threads, which outlive the test.
TEST_F(SeedGeneratorTest, TheLoopersVSyncPhaseRunsIt) {
    MLooper looper;
    MSeedGenerator generator;
    for (int frame = 0; frame < 5; ++frame) runTask(&looper.getVSyncPhase());
    EXPECT_EQ(generator.pool().position(), 5u);
    generator.enableVSyncHook(false);
    runTask(&looper.getVSyncPhase());
    EXPECT_EQ(generator.pool().position(), 5u);
}

TEST_F(SeedGeneratorTest, AfterAFullPassTheRotationIsOne) {
    MLooper looper;
    MSeedGenerator generator;
    for (uint32_t i = 0; i < MSeedPool::kHalfWords; ++i) {
        clock_.advance(16);
        generator.onVSync();
    }
    EXPECT_EQ(generator.pool().position(), 0u);
    EXPECT_EQ(generator.pool().rotation(), 1u);
    MTGenerator seeded;
    mtInitByArray(seeded);
    MTGenerator direct;
    const auto words = generator.pool().words();
    mtInitByArray(direct, words.data(), words.size());
    EXPECT_EQ(mtGenrand(seeded), mtGenrand(direct));
}

}  // namespace
