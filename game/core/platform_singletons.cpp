#include "game/core/platform_singletons.h"

#include <thread>

#include "platform/arcade/apm.h"

namespace {

bool stepPlatformOnce() {
    _Core_execute();
    std::this_thread::yield();
    return true;
}

}  // namespace

bool arcade::AMDaemonManager::initialize() { return stepPlatformOnce(); }

bool ModuleFactory::initialize() { return stepPlatformOnce(); }
