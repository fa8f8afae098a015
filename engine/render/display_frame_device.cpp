#include "engine/render/display_frame_device.h"

#include "engine/base/win_app_settings.h"
#include "engine/render/win_d3d_win.h"

bool MDisplayFrameDevice::isDeviceLost() { return window_.device() && winAppSettings().deviceLost; }

bool MDisplayFrameDevice::isVsyncPaced() { return window_.device() && window_.isVsyncPaced(); }

void MDisplayFrameDevice::present() {
    if (window_.device()) window_.present();
}
