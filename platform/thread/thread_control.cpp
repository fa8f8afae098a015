#include "platform/thread/thread_control.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

int processorCount() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) != 0) return 1;
    const int count = CPU_COUNT(&set);
    return count > 0 ? count : 1;
}

bool setCurrentThreadPriority(int priority) {
    // On Linux each thread has its own nice value, set through its thread id;
    // a higher priority is a lower nice value than the process's own.
    errno = 0;
    const int processNice = getpriority(PRIO_PROCESS, 0);
    if (errno != 0) return false;
    return setpriority(PRIO_PROCESS, gettid(), processNice - priority) == 0;
}

}  // namespace platform
