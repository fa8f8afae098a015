#pragma once
// The platform's two plain singletons: the daemon manager, which remembers
// whether the game has asked the platform to end it, and the module factory.
// Both step the platform once when initialised. controller::Manager is in
// controller_manager.h.
//
// Threads: main thread only.

#include "game/core/singleton.h"

namespace arcade {

class AMDaemonManager : public Singleton<AMDaemonManager> {
public:
    bool initialize() override;

    // Set once the game has asked the platform to end it; every exit path asks
    // only while it is false, so the platform hears at most one request.
    bool exitRequested = false;
};

}  // namespace arcade

class ModuleFactory : public Singleton<ModuleFactory> {
public:
    bool initialize() override;
};
