// util::Timer on the fake clock: start, the frozen reading while stopped, the
// elapsed microseconds and a counter that fails.
#include "game/core/game_timer.h"

#include <gtest/gtest.h>

#include "platform/clock/fake_clock.h"

namespace {

class TimerTest : public testing::Test {
protected:
    void SetUp() override { platform::setClock(&clock); }
    void TearDown() override { platform::setClock(nullptr); }

    platform::FakeClock clock;
};

TEST_F(TimerTest, AStoppedTimerGivesItsFrozenReading) {
    clock.advanceMicroseconds(5'000'123);
    util::Timer timer;
    const util::Timer::Reading r = timer.now();
    EXPECT_EQ(r.seconds, 0u);
    EXPECT_EQ(r.microseconds, 0u);
}

TEST_F(TimerTest, NowSplitsTheCounterIntoSecondsAndMicroseconds) {
    clock.advanceMicroseconds(5'000'123);
    util::Timer timer;
    timer.start();
    const util::Timer::Reading r = timer.now();
    EXPECT_EQ(r.seconds, 5u);
    EXPECT_EQ(r.microseconds, 123u);
}

TEST_F(TimerTest, ElapsedMicrosecondsCountFromTheLastReading) {
    clock.advanceMicroseconds(1'999'990);
    util::Timer timer;
    timer.start();
    clock.advanceMicroseconds(16'667);  // across a second boundary
    EXPECT_EQ(timer.getElapsedMicroseconds(), 16'667);
    clock.advanceMicroseconds(2'500'000);
    EXPECT_EQ(timer.getElapsedMicroseconds(), 2'500'000);
}

TEST_F(TimerTest, TwoReadsWithinOneMicrosecondGiveZero) {
    util::Timer timer;
    timer.start();
    clock.advanceMicroseconds(40);
    EXPECT_EQ(timer.getElapsedMicroseconds(), 40);
    EXPECT_EQ(timer.getElapsedMicroseconds(), 0);
}

TEST_F(TimerTest, StartingARunningTimerKeepsItsLastReading) {
    util::Timer timer;
    timer.start();
    clock.advanceMicroseconds(700);
    timer.start();
    EXPECT_EQ(timer.getElapsedMicroseconds(), 700);
}

// A counter that has failed reads as the largest microseconds of second 0.
class FailingClock final : public platform::Clock {
public:
    uint32_t milliseconds() override { return 0; }
    int64_t counter() override { return failing ? -1 : 3'000'000; }
    int64_t counterFrequency() override { return 1'000'000; }
    uint32_t processMilliseconds() override { return 0; }
    platform::LocalTime localTime() override { return {}; }
    void sleep(uint32_t) override {}

    bool failing = false;
};

TEST(TimerFailureTest, AFailedCounterReadsAsAnErrorAndElapsedClampsToZero) {
    FailingClock failing;
    platform::setClock(&failing);
    util::Timer timer;
    timer.start();
    failing.failing = true;
    const util::Timer::Reading r = timer.now();
    EXPECT_EQ(r.seconds, 0u);
    EXPECT_EQ(r.microseconds, 4294967295u);
    EXPECT_EQ(timer.getElapsedMicroseconds(), 0);
    platform::setClock(nullptr);
}

}  // namespace
