#pragma once
// MWinApp: the application object. Its initialisation builds the live
// settings (defaults, configuration text, command line), creates the window
// holder and the main window, brings the cursor into line, starts the global
// PerformanceCounter, sets the data, external and web folders and creates the
// application's own task. attachLooper then makes the window shell the
// looper's frame host. One instance per process, reached through getInstance.
//
// Threads: main thread only.

#include <memory>

#include "engine/base/performance_counter.h"
#include "engine/app/win_app_frame_host.h"
#include "engine/app/win_app_init.h"
#include "engine/app/win_app_task.h"
#include "engine/app/win_app_window.h"
#include "platform/window/window.h"

class MLooper;

class MWinApp {
public:
    // Publishes the object as the application object.
    explicit MWinApp(MWinAppOptions options);
    // Deletes the application task, the configuration, the window holder
    // (pad, mouse, window) and the PerformanceCounter, in that order.
    virtual ~MWinApp();
    MWinApp(const MWinApp&) = delete;
    MWinApp& operator=(const MWinApp&) = delete;

    static MWinApp* getInstance();

    // Start-up of the application object on the machine host describes.
    void initWinApp(const MWinAppHost& host);
    // Clears the application events and installs the window shell as the
    // looper's frame host (start-up calls it once the looper exists).
    void attachLooper(MLooper& looper);

    const MWinAppOptions& options() const { return options_; }
    const MWinResCfg* config() const { return config_.get(); }
    MWinAppWindow* window() const { return window_.get(); }
    MWinAppTask* appTask() const { return appTask_.get(); }
    void deleteAppTask() { appTask_.reset(); }
    const MWinAppDirectories& directories() const { return directories_; }

private:
    MWinAppOptions options_;
    std::unique_ptr<MWinResCfg> config_;
    std::unique_ptr<MWinAppWindow> window_;
    std::unique_ptr<MWinAppTask> appTask_;
    std::unique_ptr<PerformanceCounter> counter_;
    MWinAppDirectories directories_;
    MWinAppFrameHost frameHost_{*this};
};

// The main window, or null (no application object, or no window could be made).
platform::WindowHandle mainWindowHandle();
