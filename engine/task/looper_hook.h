#pragma once
// The hook bases: an object that must run at a fixed point of every frame
// derives from one (or two) of them. Constructing the hook appends its clock
// task to the looper's phase set; destroying it removes the clock. The clock
// calls the hook body each frame while the hook is enabled.
//
// - MLooperPreLoopHook: before the application task (the display).
// - MLooperPostLoopHook: after the application task's draw (sound, display,
//   mouse, touch pad, background task managers).
// - MLooperVSyncHook: after the frame step (input, mouse, touch pad, seed
//   generator); its constructor takes the initial enabled value.
//
// A hook needs a live looper and must be destroyed before it. The body names
// differ so one class can derive from two bases.
//
// Threads: hooks may be constructed and destroyed on any thread (the phase
// sets lock their mutexes), but a hook enabled from its construction should be
// constructed on the main thread or before the loop runs, since the loop may
// call its body as soon as the base is constructed. Bodies run on the main
// thread. The enabled flags may be changed from any thread.

#include <atomic>

class MTask;

class MLooperPreLoopHook {
public:
    MLooperPreLoopHook();
    virtual ~MLooperPreLoopHook();
    MLooperPreLoopHook(const MLooperPreLoopHook&) = delete;
    MLooperPreLoopHook& operator=(const MLooperPreLoopHook&) = delete;

    virtual void preLoopHook() = 0;

    bool isPreLoopHookEnabled() const { return enabled_.load(std::memory_order_relaxed); }
    void enablePreLoopHook(bool enabled) { enabled_.store(enabled, std::memory_order_relaxed); }

private:
    MTask* clock_;
    std::atomic<bool> enabled_{true};
};

class MLooperPostLoopHook {
public:
    MLooperPostLoopHook();
    virtual ~MLooperPostLoopHook();
    MLooperPostLoopHook(const MLooperPostLoopHook&) = delete;
    MLooperPostLoopHook& operator=(const MLooperPostLoopHook&) = delete;

    virtual void postLoopHook() = 0;

    bool isPostLoopHookEnabled() const { return enabled_.load(std::memory_order_relaxed); }
    void enablePostLoopHook(bool enabled) { enabled_.store(enabled, std::memory_order_relaxed); }

private:
    MTask* clock_;
    std::atomic<bool> enabled_{true};
};

class MLooperVSyncHook {
public:
    explicit MLooperVSyncHook(bool enabled);
    virtual ~MLooperVSyncHook();
    MLooperVSyncHook(const MLooperVSyncHook&) = delete;
    MLooperVSyncHook& operator=(const MLooperVSyncHook&) = delete;

    virtual void vsyncHook() = 0;

    bool isVSyncHookEnabled() const { return enabled_.load(std::memory_order_relaxed); }
    void enableVSyncHook(bool enabled) { enabled_.store(enabled, std::memory_order_relaxed); }

private:
    MTask* clock_;
    std::atomic<bool> enabled_;
};
