#include "engine/app/win_app.h"

#include <utility>

#include "engine/app/app_events.h"
#include "engine/app/win_app_cursor.h"
#include "engine/base/win_app_settings.h"
#include "engine/task/looper.h"

namespace {
MWinApp* application = nullptr;
}

MWinApp::MWinApp(MWinAppOptions options) : options_(std::move(options)) { application = this; }

MWinApp::~MWinApp() {
    MLooper* looper = MLooper::getInstance();
    if (looper && looper->getFrameHost() == &frameHost_) looper->setFrameHost(nullptr);
    appTask_.reset();
    config_.reset();
    window_.reset();
    if (performanceCounter() == counter_.get()) setPerformanceCounter(nullptr);
    counter_.reset();
    if (application == this) application = nullptr;
}

MWinApp* MWinApp::getInstance() { return application; }

void MWinApp::initWinApp(const MWinAppHost& host) {
    config_ = prepareWinAppSettings(options_, host);
    MWinAppSettings& s = winAppSettings();
    window_ = std::make_unique<MWinAppWindow>(config_.get());
    window_->createAppWindow(s, s.windowWidth, s.windowHeight);
    syncCursor();
    counter_ = std::make_unique<PerformanceCounter>();
    setPerformanceCounter(counter_.get());
    directories_ = applyWinAppDirectories(*config_, options_, host.currentDirectory);
    appTask_ = std::make_unique<MWinAppTask>();
}

void MWinApp::attachLooper(MLooper& looper) {
    clearAppEvents();
    looper.setFrameHost(&frameHost_);
}

platform::WindowHandle mainWindowHandle() {
    const MWinApp* app = MWinApp::getInstance();
    return app && app->window() ? app->window()->handle() : nullptr;
}
