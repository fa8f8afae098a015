#include "engine/app/process_entry.h"

#include "engine/app/command_line.h"
#include "engine/app/win_app.h"
#include "engine/app/win_app_settings.h"
#include "engine/data/seed_generator.h"
#include "engine/input/input_system.h"
#include "engine/task/looper.h"

namespace {

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
    initInputSystemOnce();
    if (!getSeedGenerator()) new MSeedGenerator;
}

void stopEngine() {
    MLooper* looper = MLooper::getInstance();
    if (MTask* task = looper->getApplicationTask()) {
        delete task;
        looper->clearApplicationTask();
    }
    delete getSeedGenerator();
    shutdownInputSystem();
    delete MWinApp::getInstance();
    delete looper;
}

}  // namespace

int runProcessEntry(int argc, char** argv, MAppMain appMain) {
    int exitCode;
    {
        MCommandLine line = parseCommandLine(argc, argv);
        startEngine(line);
        exitCode = appMain(line.argumentCount(), line.argumentVector());
    }
    stopEngine();
    return exitCode;
}
