// Provisional: the arcade-platform glue replaces this file.
#include <algorithm>
#include <cstdlib>

#include "engine/base/debug_trace.h"
#include "game/core/apm_glue.h"

namespace {
bool startSucceeds = true;
bool exitRequested = false;
int32_t exitAfterFrames = 0;  // 0: never
int32_t updates = 0;
}  // namespace

bool SDL2_wheel_APMInitAfterFramework() {
    const char* frames = std::getenv("HALVIR_EXIT_AFTER_FRAMES");
    exitAfterFrames = frames ? std::max(0, std::atoi(frames)) : 0;
    updates = 0;
    return startSucceeds;
}

void SDL2_wheel_APMUpdate(int32_t, bool) {
    ++updates;
    if (exitAfterFrames > 0 && updates == exitAfterFrames) {
        M_DEBUG_TRACE("exit requested by HALVIR_EXIT_AFTER_FRAMES at frame %d", updates);
        exitRequested = true;
    }
}

bool SDL2_wheel_APMExitRequested() { return exitRequested; }

void SDL2_wheel_APMTerminate() {}

void setProvisionalPlatformStart(bool succeeds) { startSucceeds = succeeds; }

void setProvisionalExitRequest(bool requested) { exitRequested = requested; }
