#include "platform/clock/clock.h"

#include <gtest/gtest.h>

#include "platform/clock/fake_clock.h"

namespace {

TEST(FakeClock, MovesOnlyWhenAdvanced) {
    platform::FakeClock clock;
    EXPECT_EQ(clock.milliseconds(), 0u);
    clock.advance(16);
    EXPECT_EQ(clock.milliseconds(), 16u);
    clock.advanceMicroseconds(999);
    EXPECT_EQ(clock.milliseconds(), 16u);
    EXPECT_EQ(clock.counter(), 16999);
    EXPECT_EQ(clock.counterFrequency(), 1000000);
    clock.sleep(4);
    EXPECT_EQ(clock.milliseconds(), 20u);
    EXPECT_EQ(clock.processMilliseconds(), 20u);
}

TEST(FakeClock, MillisecondsWrapAt32Bits) {
    platform::FakeClock clock;
    clock.setMilliseconds(0xFFFFFFF0u);
    const uint32_t before = clock.milliseconds();
    clock.advance(0x20);
    EXPECT_EQ(clock.milliseconds(), 0x10u);
    EXPECT_EQ(uint32_t(clock.milliseconds() - before), 0x20u);
}

TEST(FakeClock, LocalTimeIsWhatWasSet) {
    platform::FakeClock clock;
    clock.setLocalTime({2026, 12, 4, 10, 12, 34, 56, 789});
    const platform::LocalTime t = clock.localTime();
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.day, 10);
    EXPECT_EQ(t.second, 56);
    EXPECT_EQ(t.milliseconds, 789);
}

TEST(CurrentClock, IsTheInstalledOneUntilReset) {
    platform::FakeClock fake;
    fake.advance(1234);
    platform::setClock(&fake);
    EXPECT_EQ(platform::currentClock().milliseconds(), 1234u);
    platform::setClock(nullptr);
    EXPECT_NE(&platform::currentClock(), static_cast<platform::Clock*>(&fake));
}

TEST(SystemClock, IsMonotonicAndSleeps) {
    platform::Clock& clock = platform::currentClock();
    const int64_t start = clock.counter();
    const uint32_t startMs = clock.milliseconds();
    clock.sleep(5);
    EXPECT_GE(clock.counter() - start, 5 * clock.counterFrequency() / 1000);
    EXPECT_GE(uint32_t(clock.milliseconds() - startMs), 5u);
    const platform::LocalTime t = clock.localTime();
    EXPECT_GE(t.year, 2024);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
}

}  // namespace
