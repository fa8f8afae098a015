#include "engine/app/process_entry.h"

#include "engine/app/command_line.h"
#include "engine/app/toggle_fullscreen.h"
#include "engine/app/win_app.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/file_table.h"
#include "engine/data/seed_generator.h"
#include "engine/input/input_system.h"
#include "engine/render/display.h"
#include "engine/task/looper.h"
#include "platform/device/gl/gl_device_factory.h"

namespace {

// The display makes its device window through it.
platform::gl::GlDeviceFactory deviceFactory;

// The display with its device window on the main window, its safe rectangle,
// and full screen when the settings start there (desktop full screen, unless
// the device window switched the display mode itself). The display installs
// the window-to-screen point mapping.
void startDisplay() {
    if (!MDisplay::getInstance()) new MDisplay(deviceFactory, mainWindowHandle());
    MDisplay& display = *MDisplay::getInstance();
    const MWinAppSettings& s = winAppSettings();
    display.setSafeScreenRatio(s.safeScreenRatioX, s.safeScreenRatioY);
    display.updateSafeRect();
    if (s.fullscreenMode && !s.fullscreenTypePure) toggleFullscreen();
}

void startEngine(const MCommandLine& line) {
    if (!MWinApp::getInstance()) {
        auto* app = new MWinApp(line.app);
        app->initWinApp(readWinAppHost());
    }
    MWinApp& app = *MWinApp::getInstance();
    if (line.displayAdapter >= 0) winAppSettings().displayAdapter = line.displayAdapter;
    auto* looper = new MLooper;
    app.attachLooper(*looper);
    if (app.window()) app.window()->createSoftKeyPadAndMouse();
    startDisplay();
    initInputSystemOnce();
    if (!getSeedGenerator()) new MSeedGenerator;
}

void stopEngine() {
    MLooper* looper = MLooper::getInstance();
    if (MTask* task = looper->getApplicationTask()) {
        delete task;
        looper->clearApplicationTask();
    }
    releaseFileTable();
    delete getSeedGenerator();
    shutdownInputSystem();
    delete MDisplay::getInstance();
    delete MWinApp::getInstance();
    delete looper;
}

}  // namespace

int runProcessEntry(int argc, char** argv, MAppMain appMain) {
    int exitCode;
    {
        MCommandLine line = parseCommandLine(argc, argv);
        startEngine(line);
        // No window, nothing to see: the window said why on standard error.
        exitCode = mainWindowHandle() ? appMain(line.argumentCount(), line.argumentVector()) : 1;
    }
    stopEngine();
    return exitCode;
}
