#include "gsclient/util/module_context.h"

#include <mutex>
#include <stdexcept>

namespace util {

namespace {
std::mutex contextLock;
}

ModuleContext::ModuleContext(std::string name, bool shared, int moduleCount)
    : Base(std::move(name)), shared_(shared), fullMask_((1u << moduleCount) - 1) {}

int ModuleContext::start(bool throwOnFailure) {
    std::lock_guard<std::mutex> lock(contextLock);
    if (started()) return -4;
    int& users = counter();
    if (shared_ && users >= 1) {
        ++users;
        initialisedMask_ = fullMask_;
        return 0;
    }
    if (initialize() != 0) {
        if (throwOnFailure) throw std::runtime_error("Error: module init.");
        return -1;
    }
    if (shared_) ++users;
    initialisedMask_ = fullMask_;
    return 0;
}

int ModuleContext::stop() {
    std::lock_guard<std::mutex> lock(contextLock);
    if (!started()) return -4;
    int& users = counter();
    initialisedMask_ = 0;
    if (shared_ && users > 1) {
        --users;
        return 0;
    }
    terminate();
    if (shared_) --users;
    return 0;
}

}  // namespace util
