// The game's application main: the engine's process entry calls it with the
// arguments left after the engine's own options, once the window, the loop,
// the display and input exist. It starts the platform and the game, runs the
// main loop with the root task until the game ends, and shuts the game down.
//
// Threads: main thread.
#include <cstdio>
#include <string>

#include "engine/app/app_main.h"
#include "engine/app/disk_application_driver.h"
#include "engine/app/toggle_fullscreen.h"
#include "engine/task/looper.h"
#include "engine/ui/dialog_factory.h"
#include "game/core/apm_glue.h"
#include "game/core/app_start.h"
#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/game_timer.h"
#include "game/core/module_prefetch.h"
#include "game/core/resource_folder.h"
#include "game/core/wheel_log.h"
#include "game/records/paths.h"
#include "game/records/settings_file.h"

namespace {

// A start-up condition the game can't run under: said on the standard error
// and in the log.
int refuseToStart(const std::string& problem) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    SDL2_wheel_Log("%s", problem.c_str());
    SDL2_wheel_APMTerminate();
    return 1;
}

}  // namespace

int AppMain(int argc, char** argv) {
    installDataFileKey();
    const AppSwitches switches = readAppSwitches(argc, argv);
    applyAppSwitches(switches);
    workaroundPrefetchModule();
    createPlatformSingletons();
    // The player's files and the log live in the application root, never in
    // whatever folder the program was started from.
    setAppRootFolder(SDL2_wheel_GetAppRootPath());
    SDL2_wheel_SetLogFolder(appRootFolder());
    if (!SDL2_wheel_APMInitAfterFramework()) {
        SDL2_wheel_Log("SDL2_wheel_APMInitAfterFramework() == false");
        return 0;
    }
    const std::string folder = gameFolder();
    useGameFolder(folder);
    if (const std::string problem = checkResourceFolder(folder); !problem.empty()) return refuseToStart(problem);
    setResourceFolders({folder});

    gameTimer.start();
    exitHandled = false;
    hdOutput = true;
    configEnsureFile();
    configLoad();
    if (switches.fullscreen || gameSettings.FULLSCREEN != 0) toggleFullscreen();
    MLooper& looper = *MLooper::getInstance();
    looper.setIntegerStep(1);
    looper.setVariableStep(false);
    GameTask* root = GameTask::getInstance();
    if (!root) return refuseToStart("Not enough memory for the game's root task.");
    looper.run(new MDiskApplicationDriver(kGameCaption, new MCommonDialogFactory, root));

    gameMainRelease();
    SDL2_wheel_APMTerminate();
    return 0;
}
