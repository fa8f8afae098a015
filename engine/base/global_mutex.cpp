#include "engine/base/global_mutex.h"

std::recursive_mutex& engineGlobalMutex() {
    // Made on first use, so threads started before main can take it too.
    static std::recursive_mutex mutex;
    return mutex;
}
