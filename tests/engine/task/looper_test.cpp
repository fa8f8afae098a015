#include "engine/task/looper.h"

#include <gtest/gtest.h>

#include "engine/task/looper_hook.h"
#include "engine/task/process.h"
#include "platform/clock/fake_clock.h"
#include "tests/engine/task/task_log.h"

namespace {

using Log = std::vector<std::string>;

class LooperTest : public testing::Test {
protected:
    void SetUp() override { platform::setClock(&clock_); }
    void TearDown() override { platform::setClock(nullptr); }

    platform::FakeClock clock_;
};

TEST_F(LooperTest, ElapsedTimeBecomesWholeFramesWithTheFractionCarried) {
    struct Case {
        std::vector<uint32_t> elapsedMs;
        std::vector<float> frames;
    };
    const Case cases[] = {
        {{0}, {1}},
        {{16}, {1}},
        {{17}, {1}},
        {{100}, {6}},
        {{1000}, {60}},
        {{25, 25}, {2, 1}},  // 1.5 rounds up; the half owed comes back
        {{16, 16, 16, 16}, {1, 1, 1, 1}},
        {{0, 0, 0, 0, 100}, {1, 1, 1, 1, 4}},  // the carry stops at -2
    };
    for (const Case& c : cases) {
        MLooper looper;
        for (std::size_t i = 0; i < c.elapsedMs.size(); ++i) {
            clock_.advance(c.elapsedMs[i]);
            looper.frameStep();
            EXPECT_EQ(looper.getFloatStep(), c.frames[i])
                << "frame " << i << " of a run starting with " << c.elapsedMs[0] << " ms";
        }
    }
}

TEST_F(LooperTest, MillisecondCounterWrapIsHarmless) {
    clock_.setMilliseconds(0xFFFFFFF0u);
    MLooper looper;
    clock_.advance(0x20);  // 32 ms across the wrap
    looper.frameStep();
    EXPECT_EQ(looper.getFloatStep(), 2.0f);
}

TEST_F(LooperTest, FrameDeltaFollowsTheStepMode) {
    struct Case {
        bool variable;
        int32_t integerStep;
        uint32_t elapsedMs;  // 0: no frame measured yet
        float delta;
    };
    const Case cases[] = {
        {false, 1, 50, 1.0f},
        {false, 2, 0, 2.0f},
        {true, 1, 50, 3.0f},
        {true, 2, 0, 1.0f},
    };
    for (const Case& c : cases) {
        MLooper looper;
        looper.setVariableStep(c.variable);
        looper.setIntegerStep(c.integerStep);
        if (c.elapsedMs) {
            clock_.advance(c.elapsedMs);
            looper.frameStep();
        }
        EXPECT_EQ(looper.getFrameDelta(), c.delta) << c.variable << " " << c.integerStep;
    }
}

// A hook of each kind that logs its body.
struct Hooks : MLooperPreLoopHook, MLooperPostLoopHook, MLooperVSyncHook {
    explicit Hooks(TaskLog& log) : MLooperVSyncHook(true), log_(log) {}
    void preLoopHook() override { log_.add("pre-loop"); }
    void postLoopHook() override { log_.add("post-loop"); }
    void vsyncHook() override { log_.add("vsync"); }
    TaskLog& log_;
};

class WorkerLogTask : public LogTask {
public:
    explicit WorkerLogTask(TaskLog& log)
        : LogTask(log, "job", [](LogTask& t) { t.postDeferred(); }), log_(log) {
        setWorker(true);
    }
    void runDeferred() override { log_.add("deferred"); }

private:
    TaskLog& log_;
};

// Finishes in its second frame.
class TwoFrameApp : public MProcess {
public:
    explicit TwoFrameApp(TaskLog& log) : log_(log) { getParallelSet().add(new WorkerLogTask(log)); }
    ~TwoFrameApp() override { log_.add("~app"); }
    void step() override {
        log_.add("app");
        if (++frames_ == 2) setState(kFinished);
    }
    void draw(int) override { log_.add("draw app"); }

private:
    TaskLog& log_;
    int frames_ = 0;
};

TEST_F(LooperTest, RunsThePhasesOfAFrameInOrderAndDeletesAFinishedApp) {
    TaskLog log;
    MLooper looper;
    Hooks hooks(log);
    looper.getGeneralPhase().add(new LogTask(log, "general"));
    looper.getEndOfFrameSet().add(new LogTask(log, "end-of-frame"));
    looper.setExitCode(7);
    EXPECT_EQ(looper.run(new TwoFrameApp(log)), 7);
    const Log frame1 = {"pre-loop", "app",       "u:job", "deferred",      "u:general",
                        "draw app", "post-loop", "vsync", "u:end-of-frame"};
    Log expected = frame1;
    // The second frame's step finishes the app: its sub-tasks still run that
    // frame, it is not drawn, and it is deleted after the post-loop phase.
    expected.insert(expected.end(), {"pre-loop", "app", "u:job", "deferred", "u:general",
                                     "post-loop", "~app", "~job", "vsync", "u:end-of-frame"});
    EXPECT_EQ(log.take(), expected);
    EXPECT_EQ(looper.getApplicationTask(), nullptr);
    EXPECT_EQ(looper.getFrameCounter(), 2u);
}

TEST_F(LooperTest, DisabledHooksAreSkippedAndDestroyedHooksLeaveTheirPhase) {
    TaskLog log;
    MLooper looper;
    {
        Hooks hooks(log);
        hooks.enablePostLoopHook(false);
        runTask(&looper.getPreLoopPhase());
        runTask(&looper.getPostLoopPhase());
        runTask(&looper.getVSyncPhase());
        EXPECT_EQ(log.take(), (Log{"pre-loop", "vsync"}));
    }
    EXPECT_TRUE(looper.getPreLoopPhase().isEmpty());
    EXPECT_TRUE(looper.getPostLoopPhase().isEmpty());
    EXPECT_TRUE(looper.getVSyncPhase().isEmpty());
}

TEST_F(LooperTest, TimeSumsTheMeasuredFrames) {
    MLooper looper;
    int frames = 0;
    TaskLog log;
    looper.run(new LogTask(log, "app", [&](LogTask& app) {
        clock_.advance(50);  // three frames' worth each turn
        if (++frames == 4) finish(app);
    }));
    EXPECT_EQ(looper.getFrameCounter(), 4u);
    EXPECT_EQ(looper.getTime(), 12.0);
}

// A window shell whose application events follow the shell's dispatch rules.
class FakeHost : public MFrameHost {
public:
    void pumpMessages() override {
        ++pumps;
        if (onPump) onPump(*this);
    }
    void presentFrame() override { ++presents; }
    void dispatchAppEvents() override {
        ++dispatches;
        if (!terminated) {
            if (closeRequested) closing = true, closeRequested = false;
            if (restoreAfterDispatches && dispatches == restoreAfterDispatches) suspended = false;
        }
        if (quitRequested) terminated = true, quitRequested = false;
    }
    bool isAppSuspended() override { return suspended; }
    bool isAppClosing() override { return closing; }
    bool isAppTerminated() override { return terminated; }
    void turnClosingIntoQuitRequest() override { closing = false, quitRequested = true; }

    int pumps = 0, presents = 0, dispatches = 0;
    int restoreAfterDispatches = 0;
    bool closeRequested = false, quitRequested = false;
    bool suspended = false, closing = false, terminated = false;
    std::function<void(FakeHost&)> onPump;
};

TEST_F(LooperTest, WhileSuspendedNoFrameRunsButMessagesArePumped) {
    MLooper looper;
    FakeHost host;
    looper.setFrameHost(&host);
    host.suspended = true;
    host.restoreAfterDispatches = 3;
    looper.frameStep();
    EXPECT_EQ(host.pumps, 4);
    EXPECT_EQ(host.presents, 1) << "nothing is presented while suspended";
    EXPECT_EQ(clock_.milliseconds(), 48u) << "three sleeps of 16 ms";
    EXPECT_EQ(looper.getFloatStep(), 3.0f);
    EXPECT_EQ(host.dispatches, 4);
}

class FakeDevice : public MFrameDevice {
public:
    bool isDeviceLost() override { return lostFrames-- > 0; }
    bool isVsyncPaced() override { return false; }
    void present() override {}
    int lostFrames = 0;
};

TEST_F(LooperTest, WhileTheDeviceIsLostPresentingGoesOnAndNoFrameRuns) {
    MLooper looper;
    FakeHost host;
    FakeDevice device;
    looper.setFrameHost(&host);
    looper.setFrameDevice(&device);
    device.lostFrames = 2;
    looper.frameStep();
    EXPECT_EQ(host.presents, 3);
    EXPECT_EQ(clock_.milliseconds(), 32u);
    EXPECT_EQ(looper.getFloatStep(), 2.0f);
}

TEST_F(LooperTest, AWindowCloseEndsTheLoopTwoFrameStepsAfterClosing) {
    MLooper looper;
    FakeHost host;
    looper.setFrameHost(&host);
    host.onPump = [](FakeHost& h) {
        if (h.pumps == 1) h.closeRequested = true;
    };
    TaskLog log;
    LogTask* app = new LogTask(log, "app");
    EXPECT_EQ(looper.run(app), 0);
    EXPECT_EQ(looper.getFrameCounter(), 3u);
    EXPECT_TRUE(host.terminated);
    ASSERT_EQ(looper.getApplicationTask(), app) << "left for the caller to delete";
    EXPECT_EQ(app->getState(), MTask::kFinished);
    delete app;
}

TEST_F(LooperTest, ASuspendedAppEndsTheLoopWithoutBeingDeleted) {
    MLooper looper;
    TaskLog log;
    LogTask app(log, "app", [](LogTask& self) { self.suspend(); });
    looper.run(&app);
    EXPECT_EQ(looper.getFrameCounter(), 1u);
    EXPECT_EQ(log.take(), (Log{"u:app", "d:app"}));
}

TEST_F(LooperTest, IsReachedThroughTheGlobalPointerWhileAlive) {
    {
        MLooper looper;
        EXPECT_EQ(MLooper::getInstance(), &looper);
    }
    EXPECT_EQ(MLooper::getInstance(), nullptr);
}

}  // namespace
