#pragma once
// The seed generator: one instance, made at start-up, that mixes each
// frame's timing jitter (the millisecond counter XOR its own address) into
// the seed pool from the looper's vsync phase. mtInitByArray(generator)
// seeds from its pool.
//
// Threads: constructed and destroyed on the main thread before or outside
// the loop; onVSync runs on the main loop, and seeding reads the pool there
// too.

#include "engine/data/seed_pool.h"
#include "engine/task/looper_hook.h"

class MSeedGenerator : public MLooperVSyncHook {
public:
    // Registers as an enabled vsync hook and publishes its pool; word 0 of
    // the pool is the low 16 bits of the millisecond counter.
    MSeedGenerator();
    ~MSeedGenerator() override;

    void onVSync();
    const MSeedPool& pool() const { return pool_; }

private:
    void vsyncHook() override { onVSync(); }

    MSeedPool pool_;
};

// The process's seed generator, or null before start-up made it.
MSeedGenerator* getSeedGenerator();
