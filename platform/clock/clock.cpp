#include "platform/clock/clock.h"

#include "platform/clock/system_clock.h"

namespace platform {

namespace {
Clock* installed = nullptr;
}

Clock& currentClock() {
    if (installed) return *installed;
    static SystemClock system;
    return system;
}

void setClock(Clock* clock) { installed = clock; }

}  // namespace platform
