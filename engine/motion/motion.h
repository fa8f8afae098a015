#pragma once
// MMotion: a motion player that is a task of the task tree. Its update steps
// the player by its manager's frame delta on the worker pool; the events the
// step raises are delivered afterwards on the main thread, through one of
// the pool's deferred calls; its draw queues the player's render items on
// the motion layer of the same draw layer, which sorts and draws them later
// in the same draw phase (the layer is linked after the motion).
//
// Threads: made, drawn and destroyed on the main thread. update runs on a
// worker during the worker step, in parallel with other motions; flushEvents
// runs there too and posts the deferred call, and also on the main thread
// when the host re-evaluates the player between frames. dispatchEvents, and
// with it every listener, runs on the main thread only. Destroying the task
// withdraws a deferred call still queued for it.

#include <string>

#include "engine/motion/motion_manager.h"
#include "engine/motion/motion_player.h"
#include "engine/task/task.h"

class MMotion : public MTask, public MMotionPlayer {
public:
    // The manager answers the player (the game passes its motion layer).
    MMotion(MMotionManager& manager, std::string objectName);
    ~MMotion() override;

    // One step of the player by the manager's frame delta.
    void update() override;
    // Appends this step's render list, in its order, to the render manager's
    // queue.
    void draw(int pass) override;
    // On: the player gets curve caches of its own, not shared with other
    // motions updated at the same time.
    void enableBackgroundUpdate(bool on) override;

    // While the task updates on the worker pool, queued events wait for the
    // main thread's deferred-call phase; otherwise they are delivered at once.
    void flushEvents() override;
    // Delivers the queued events to the listeners (the deferred call's body).
    void dispatchEvents();

protected:
    void runDeferred() override;

private:

    // A call already queued delivers every event queued up to its run, so
    // one is enough; written on the thread that flushes and on the main
    // thread when the call runs, which the worker step orders.
    bool callQueued_ = false;
};
