#include "engine/app/present_frame.h"

#include "engine/app/app_events.h"
#include "engine/app/frame_pacer.h"
#include "engine/app/win_app.h"
#include "engine/base/win_app_settings.h"
#include "engine/task/looper.h"
#include "platform/clock/clock.h"

namespace {

void paceUnlessVsynced(MLooper* looper, MFrameDevice* device) {
    if (device && device->isVsyncPaced()) return;
    const int32_t step = looper ? looper->getIntegerStep() : 1;
    framePacer().pace(pacingPeriod(step, platform::currentClock().counterFrequency(), winAppSettings().speed));
}

void runAppTask(MWinApp& app) {
    MWinAppTask* task = app.appTask();
    if (!task) return;
    task->update();
    task->draw(0);
    if (readAppEvent(MAppEvent::Terminated)) app.deleteAppTask();
}

}  // namespace

void presentFrame() {
    MLooper* looper = MLooper::getInstance();
    MFrameDevice* device = looper ? looper->getFrameDevice() : nullptr;
    paceUnlessVsynced(looper, device);
    MWinApp* app = MWinApp::getInstance();
    if (!app || !app->window()) return;
    runAppTask(*app);
    if (device) device->present();
}
