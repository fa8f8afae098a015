#pragma once
// Frame pacing for a display that does not present with vertical sync: each
// frame waits until one period has passed since the last deadline, sleeping
// in 1 ms steps against the high-resolution counter, then moves the deadline
// on by as many whole periods as have passed (a late frame does not wait, and
// the frames after it are not hurried to catch up).
//
// Threads: main thread only.

#include <cstdint>

// The period in counter ticks: integer step x frequency / (speed x 60 / 100);
// speed 100 and step 1 give frequency / 60.
double pacingPeriod(int32_t integerStep, int64_t frequency, int32_t speed);

class MFramePacer {
public:
    // Waits out the period on the platform clock. A period that is not a
    // positive finite number (a speed of 0) does not pace.
    void pace(double period);

    // The last deadline in counter ticks; 0.0 until the first frame.
    double deadline() const { return deadline_; }
    void setDeadline(double deadline) { deadline_ = deadline; }

private:
    double deadline_ = 0.0;
};

// The process's pacer, the one presentFrame uses.
MFramePacer& framePacer();
