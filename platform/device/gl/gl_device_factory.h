#pragma once
// Makes OpenGL devices on SDL windows: one adapter per SDL display. The window
// must have been created with SDL_WINDOW_OPENGL.
//
// Threads: the thread that creates a device owns it (see GlDevice).

#include "platform/device/device.h"

namespace platform::gl {

class GlDeviceFactory final : public DeviceFactory {
public:
    int adapterCount() override;
    bool capabilities(int adapter, DeviceCaps& out) override;
    std::vector<DisplayMode> displayModes(int adapter) override;
    // Either device type gives the same OpenGL device; the behaviour flags
    // ask for nothing OpenGL lets us choose.
    std::unique_ptr<Device> createDevice(int adapter, DeviceType type, uint32_t behaviour, WindowHandle window,
                                         const PresentParams& params) override;
};

}  // namespace platform::gl
