#include "engine/app/win_app.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/app/app_events.h"
#include "engine/app/frame_pacer.h"
#include "engine/app/present_frame.h"
#include "engine/app/toggle_fullscreen.h"
#include "engine/app/win_app_cursor.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/search_directories.h"
#include "engine/task/looper.h"
#include "platform/clock/fake_clock.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

// A device that counts its presents.
class CountingDevice : public MFrameDevice {
public:
    explicit CountingDevice(bool vsyncPaced) : vsyncPaced_(vsyncPaced) {}
    bool isDeviceLost() override { return false; }
    bool isVsyncPaced() override { return vsyncPaced_; }
    void present() override { ++presents; }

    int presents = 0;

private:
    bool vsyncPaced_;
};

// A task that counts its updates and draws, and may end itself.
class CountingTask : public MTask {
public:
    explicit CountingTask(int* updates, int* draws = nullptr, int endAfter = 0)
        : updates_(updates), draws_(draws), endAfter_(endAfter) {}
    void update() override {
        if (++*updates_ == endAfter_) setState(kFinished);
    }
    void draw(int) override {
        if (draws_) ++*draws_;
    }

private:
    int* updates_;
    int* draws_;
    int endAfter_;
};

void pushWindowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

// The fake clock that restores the window after its nth 16 ms sleep: the
// loop's wait while the application is suspended.
class RestoringClock final : public platform::Clock {
public:
    explicit RestoringClock(int restoreAfter) : restoreAfter_(restoreAfter) { inner_.setMilliseconds(1000); }
    uint32_t milliseconds() override { return inner_.milliseconds(); }
    int64_t counter() override { return inner_.counter(); }
    int64_t counterFrequency() override { return inner_.counterFrequency(); }
    uint32_t processMilliseconds() override { return inner_.processMilliseconds(); }
    platform::LocalTime localTime() override { return inner_.localTime(); }
    void sleep(uint32_t ms) override {
        inner_.sleep(ms);
        if (ms == 16 && ++suspendedSleeps == restoreAfter_) pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    }

    int suspendedSleeps = 0;

private:
    platform::FakeClock inner_;
    int restoreAfter_;
};

// Start-up in a folder of its own, as in the settings' tests: the executable
// is <dir>/bin/halvir, so its text file is <dir>/bin/halvir.txt.
class WinAppTest : public testing::Test {
protected:
    WinAppTest() {
        env.set("XDG_DATA_HOME", dir / "data");
        host.currentDirectory = dir / "run";
        host.executablePath = dir / "bin/halvir";
        std::filesystem::create_directories(host.currentDirectory);
        clearSearchDirectories();
        clock.setMilliseconds(1000);
        platform::setClock(&clock);
        framePacer().setDeadline(0.0);
    }
    ~WinAppTest() override {
        app.reset();
        platform::setClock(nullptr);
        framePacer().setDeadline(0.0);
        setCursorVisibility(true);
        platform::showCursor(true);
        clearAppEvents();
        winAppSettings() = MWinAppSettings{};
        M_SPEC.clear();
        clearSearchDirectories();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    // A hidden 320 x 200 window, with what the test adds to the text file.
    MWinApp& start(const std::string& extra = "") {
        dir.write("bin/halvir.txt", "VISIBLE = 0\nWINDOW_W = 320\nWINDOW_H = 200\n" + extra);
        app = std::make_unique<MWinApp>(MWinAppOptions{});
        app->initWinApp(host);
        return *app;
    }

    TempDir dir;
    ScopedEnv env;
    MWinAppHost host;
    platform::FakeClock clock;
    MLooper looper;
    std::unique_ptr<MWinApp> app;
};

TEST_F(WinAppTest, StartUpOpensTheWindowAndMakesTheTaskAndTheCounter) {
    MWinApp& a = start();
    EXPECT_EQ(MWinApp::getInstance(), &a);
    ASSERT_NE(mainWindowHandle(), nullptr);
    EXPECT_NE(SDL_GetWindowFlags(mainWindowHandle()) & SDL_WINDOW_HIDDEN, 0u);
    // The shipped text's popup style, without a frame.
    EXPECT_NE(SDL_GetWindowFlags(mainWindowHandle()) & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(mainWindowHandle()), "HALVIR ORBANE");
    EXPECT_EQ(winAppSettings().clientWidth, 320);
    EXPECT_EQ(winAppSettings().clientHeight, 200);
    EXPECT_NE(a.appTask(), nullptr);
    ASSERT_NE(performanceCounter(), nullptr);
    EXPECT_EQ(performanceCounter()->frequency(), 1000000);
    EXPECT_EQ(a.directories().webFolder, host.currentDirectory + "/winweb/");

    app.reset();
    EXPECT_EQ(MWinApp::getInstance(), nullptr);
    EXPECT_EQ(mainWindowHandle(), nullptr);
    EXPECT_EQ(performanceCounter(), nullptr);
}

TEST_F(WinAppTest, ToggleFullscreenSwitchesTheWindowAndTheCursor) {
    start("POPUP_STYLE = 0\nMOUSE_CURSOR = 1\nFULLSCREEN_CURSOR = 0\n");
    EXPECT_TRUE(platform::isCursorShown());
    EXPECT_TRUE(toggleFullscreen());
    EXPECT_TRUE(winAppSettings().fullscreenMode);
    EXPECT_TRUE(platform::isWindowDesktopFullscreen(mainWindowHandle()));
    EXPECT_FALSE(platform::isCursorShown());
    EXPECT_FALSE(toggleFullscreen());
    EXPECT_FALSE(winAppSettings().fullscreenMode);
    EXPECT_TRUE(platform::isCursorShown());
}

// A borderless popup window is a window, so the first toggle goes full screen.
TEST_F(WinAppTest, APopupWindowIsNotTakenForFullScreen) {
    start("POPUP_STYLE = 1\n");
    EXPECT_TRUE(toggleFullscreen());
    EXPECT_TRUE(winAppSettings().fullscreenMode);
}

TEST_F(WinAppTest, PresentFramePacesRunsTheOwnTaskAndPresents) {
    MWinApp& a = start();
    int updates = 0;
    int draws = 0;
    a.appTask()->getParallelSet().add(new CountingTask(&updates, &draws));

    CountingDevice vsynced(true);
    looper.setFrameDevice(&vsynced);
    presentFrame();
    EXPECT_EQ(clock.milliseconds(), 1000u);  // the display keeps time itself
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(vsynced.presents, 1);

    CountingDevice unpaced(false);
    looper.setFrameDevice(&unpaced);
    presentFrame();
    EXPECT_EQ(clock.milliseconds(), 1017u);  // one period, in whole milliseconds
    EXPECT_EQ(unpaced.presents, 1);

    writeAppEvent(MAppEvent::Terminated, true);
    presentFrame();
    EXPECT_EQ(clock.milliseconds(), 1034u);
    EXPECT_EQ(a.appTask(), nullptr);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(unpaced.presents, 2);

    // Without a device the frame is paced on the clock all the same.
    looper.setFrameDevice(nullptr);
    presentFrame();
    EXPECT_EQ(clock.milliseconds(), 1050u);
}

// Close requested, then closing, then quit requested and terminated: the
// loop ends at the end of the third frame and the own task is gone.
TEST_F(WinAppTest, AWindowCloseEndsTheLoopTwoFrameStepsAfterItIsDispatched) {
    MWinApp& a = start();
    a.attachLooper(looper);
    CountingDevice device(true);
    looper.setFrameDevice(&device);
    pushWindowEvent(SDL_WINDOWEVENT_CLOSE);

    int updates = 0;
    auto* task = new CountingTask(&updates);
    looper.run(task);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(task->getState(), MTask::kFinished);
    EXPECT_TRUE(readAppEvent(MAppEvent::Terminated));
    EXPECT_EQ(a.appTask(), nullptr);
    EXPECT_EQ(device.presents, 3);
    delete task;
}

TEST_F(WinAppTest, WhileMinimisedTheLoopSleepsAndPresentsNothing) {
    MWinApp& a = start();
    a.attachLooper(looper);
    RestoringClock restoring(3);
    platform::setClock(&restoring);
    CountingDevice device(true);
    looper.setFrameDevice(&device);
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);

    int updates = 0;
    looper.run(new CountingTask(&updates, nullptr, 2));
    EXPECT_EQ(restoring.suspendedSleeps, 3);
    EXPECT_EQ(restoring.milliseconds(), 1000u + 3 * 16);
    EXPECT_EQ(updates, 2);
    // The first frame step presented only once restored; the second as usual.
    EXPECT_EQ(device.presents, 2);
    EXPECT_FALSE(readAppEvent(MAppEvent::Suspended));
}

TEST_F(WinAppTest, ForceTerminateOnCloseEndsTheProcessAtOnceWithCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            start("FORCE_TERMINATE_ON_CLOSE = 1\n");
            app->attachLooper(looper);
            pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
            looper.frameStep();
            std::fprintf(stderr, "still running\n");
            std::abort();
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
