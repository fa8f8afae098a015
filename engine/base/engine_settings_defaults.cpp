#include "engine/base/win_app_settings.h"

MWinAppSettings& engineSettings() {
    static MWinAppSettings defaults;
    return defaults;
}

void initEngineSettingsDefaults() {
    MWinAppSettings& s = engineSettings();
    s.className = "vantorlib";
    s.caption = "vantorlib";
    s.windowWidth = 640;
    s.windowHeight = 480;
    s.clientWidth = 640;
    s.clientHeight = 480;
    s.screenWidth = -1;
    s.screenHeight = -1;
    s.dpiX = -1.0f;
    s.dpiY = -1.0f;
    s.displayAdapter = 0;
    s.useDepthStencil = false;
    s.fullscreenTypePure = false;
    s.fullscreenRefreshRate = 0;
    s.fullscreenLogWindow = false;
    s.fullscreenCursor = true;
    s.fullscreenMode = false;
    s.mouseCursor = true;
    s.windowVsync = false;
    s.d3dPureDevice = true;
    s.deviceLost = false;
    s.fitMode = 0;
    s.resourceHeight = 0.0f;
    s.resourceAspect = 0.0f;
    s.spec = "win";
    s.resourcePath.clear();
    s.startDirectory.clear();
    s.executableDirectory.clear();
    s.backupBasePath.clear();
    s.backupDirName = "winbackup";
    s.embedFont.clear();
    s.externalDataPath.clear();
    s.webDataPath.clear();
    s.visible = true;
    s.softKeypad = false;
    s.softKeypadType = 0;
    s.mouseToTouchPad = true;
    s.printCapability = 0;
    s.speed = 100;
    s.safeScreenRatioX = 1.0f;
    s.safeScreenRatioY = 1.0f;
    s.backupPath.clear();
    s.popupStyle = 0;
}

namespace {

// The defaults must be in place before main, as the engine reads them first
// thing at start-up.
[[maybe_unused]] const bool defaultsFilled = (initEngineSettingsDefaults(), true);

}  // namespace
