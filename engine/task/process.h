#pragma once
// MProcess: a task made of its own per-frame step, a serial set of sequential
// sub-tasks and a parallel set of concurrent ones. The step runs only while
// the serial set is empty, so a process can hand control to a sequence of
// sub-tasks and get it back when they are done.
//
// Threads: as MTask; the embedded sets lock their own mutexes when enabled.

#include "engine/task/task_set.h"

class MProcess : public MTask {
public:
    MProcess() = default;

    void update() override;
    // Draws the parallel sub-tasks beneath the serial ones.
    void draw(int pass) override;
    // The process's own per-frame body.
    virtual void step();

    MSerialTaskSet& getSerialSet() { return serial_; }
    MParallelTaskSet& getParallelSet() { return parallel_; }

private:
    // Declared in this order so that the parallel set is cleared first.
    MSerialTaskSet serial_;
    MParallelTaskSet parallel_;
};
