#include "engine/app/frame_pacer.h"

#include <gtest/gtest.h>

#include "platform/clock/fake_clock.h"

namespace {

// The fake clock counts microseconds: one period at speed 100 is 1e6 / 60 ticks.
constexpr double kPeriod = 1e6 / 60.0;
constexpr uint32_t kStartMs = 5000;

class FramePacer : public testing::Test {
protected:
    FramePacer() {
        clock.setMilliseconds(kStartMs);
        platform::setClock(&clock);
    }
    ~FramePacer() override { platform::setClock(nullptr); }

    double now() { return double(clock.counter()); }

    platform::FakeClock clock;
    MFramePacer pacer;
};

TEST(PacingPeriod, FollowsStepFrequencyAndSpeed) {
    EXPECT_EQ(pacingPeriod(1, 1000000, 100), 1000000.0 / 60.0);
    EXPECT_EQ(pacingPeriod(1, 3579545, 100), 3579545.0 / 60.0);
    EXPECT_EQ(pacingPeriod(2, 1000000, 100), 2.0 * 1000000.0 / 60.0);
    EXPECT_EQ(pacingPeriod(1, 1000000, 50), 1000000.0 / 30.0);
}

TEST_F(FramePacer, TheFirstFrameStartsTheDeadlineAndWaitsOnePeriodInMillisecondSleeps) {
    const double start = now();
    pacer.pace(kPeriod);
    // 16.67 ms waited out in whole milliseconds.
    EXPECT_EQ(clock.milliseconds(), kStartMs + 17);
    EXPECT_EQ(pacer.deadline(), start + kPeriod);
}

TEST_F(FramePacer, FramesMeetTheirDeadlines) {
    struct Case {
        const char* name;
        double lateness;  // in periods, from the deadline, when the frame asks to be paced
        uint32_t sleptMs;  // what pacing waited
        double moves;     // periods the deadline moved on
    };
    const Case cases[] = {
        {"early", 0.5, 9, 1.0},
        {"just on time", 1.0, 0, 1.0},
        {"2.5 periods late", 2.5, 0, 2.0},
        {"3.2 periods late", 3.2, 0, 3.0},
    };
    for (const Case& c : cases) {
        const double deadline = now();
        pacer.setDeadline(deadline);
        clock.advanceMicroseconds(int64_t(c.lateness * kPeriod + 0.5));
        const uint32_t before = clock.milliseconds();
        pacer.pace(kPeriod);
        EXPECT_EQ(clock.milliseconds() - before, c.sleptMs) << c.name;
        EXPECT_DOUBLE_EQ(pacer.deadline(), deadline + c.moves * kPeriod) << c.name;
    }
}

TEST_F(FramePacer, ASpeedOfZeroDoesNotPace) {
    pacer.pace(pacingPeriod(1, 1000000, 0));
    EXPECT_EQ(clock.milliseconds(), kStartMs);
    EXPECT_EQ(pacer.deadline(), 0.0);
}

}  // namespace
