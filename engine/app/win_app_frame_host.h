#pragma once
// MWinAppFrameHost: the window shell as the main loop's frame step sees it
// (engine/task/frame_host.h): the message pump into the main window's
// procedure, presentFrame, and the application events.
//
// Threads: main thread only; the events take the engine's global mutex.

#include "engine/task/frame_host.h"

class MWinApp;

class MWinAppFrameHost final : public MFrameHost {
public:
    explicit MWinAppFrameHost(MWinApp& app) : app_(app) {}

    void pumpMessages() override;
    void presentFrame() override;
    void dispatchAppEvents() override;
    bool isAppSuspended() override;
    bool isAppClosing() override;
    bool isAppTerminated() override;
    void turnClosingIntoQuitRequest() override;

private:
    MWinApp& app_;
};
