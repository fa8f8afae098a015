#include "engine/app/app_events.h"

#include <mutex>

#include "engine/base/global_mutex.h"

namespace {

struct AppEvents {
    bool flags[7] = {};
    MDisplayChange displayChange;
};

// Guarded by engineGlobalMutex().
AppEvents events;

bool& flag(MAppEvent event) { return events.flags[static_cast<int>(event)]; }

// Moves a request into its state: the request is cleared, the state set to to.
void settle(MAppEvent request, MAppEvent state, bool to) {
    if (!flag(request)) return;
    flag(state) = to;
    flag(request) = false;
}

}  // namespace

bool readAppEvent(MAppEvent event) {
    std::lock_guard lock(engineGlobalMutex());
    return flag(event);
}

void writeAppEvent(MAppEvent event, bool value) {
    std::lock_guard lock(engineGlobalMutex());
    flag(event) = value;
}

void raiseDisplayChange(int32_t a, int32_t b, int32_t c) {
    std::lock_guard lock(engineGlobalMutex());
    events.displayChange = {true, {a, b, c}};
}

MDisplayChange readDisplayChange() {
    std::lock_guard lock(engineGlobalMutex());
    return events.displayChange;
}

void clearAppEvents() {
    std::lock_guard lock(engineGlobalMutex());
    events = AppEvents();
}

void dispatchAppEvents() {
    std::lock_guard lock(engineGlobalMutex());
    if (!flag(MAppEvent::Terminated)) {
        settle(MAppEvent::MinimizeRequested, MAppEvent::Suspended, true);
        settle(MAppEvent::RestoreRequested, MAppEvent::Suspended, false);
        settle(MAppEvent::CloseRequested, MAppEvent::Closing, true);
        events.displayChange = MDisplayChange();
    }
    settle(MAppEvent::QuitRequested, MAppEvent::Terminated, true);
}

void requestAppQuit() { writeAppEvent(MAppEvent::QuitRequested, true); }
