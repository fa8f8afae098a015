#pragma once
// MDisplayFrameDevice: the Direct3D window as the main loop's frame step
// sees it (engine/task/frame_host.h). The display owns one and installs it on
// the looper. Without a device (its creation failed) nothing is lost, nothing
// is vsync-paced and presenting does nothing.
//
// Threads: main thread only.

#include "engine/task/frame_host.h"

class MWinD3DWin;

class MDisplayFrameDevice final : public MFrameDevice {
public:
    explicit MDisplayFrameDevice(MWinD3DWin& window) : window_(window) {}

    // The process-wide device-lost flag that present keeps while it recovers.
    bool isDeviceLost() override;
    bool isVsyncPaced() override;
    void present() override;

private:
    MWinD3DWin& window_;
};
