#pragma once
// Reference-counted set-up and tear-down of a library that several objects
// may share: the first user sets the library up, the last tears it down.
//
// Threads: start and stop may be called from any thread; one process-wide
// lock serialises them (and so the library's own global set-up).

#include <cstdint>

#include "gsclient/util/base.h"

namespace util {

class ModuleContext : public Base {
public:
    ModuleContext(std::string name, bool shared, int moduleCount);
    ~ModuleContext() override = default;

    // 0 started; -4 already started; -1 the library failed (or throws
    // std::runtime_error "Error: module init." when throwOnFailure).
    int start(bool throwOnFailure);
    // 0 stopped; -4 not started.
    int stop();

    bool started() const { return initialisedMask_ != 0; }

protected:
    // The process-wide count of users of this library.
    virtual int& counter() = 0;
    virtual int initialize() = 0;
    virtual int terminate() = 0;

private:
    bool shared_;
    std::uint32_t fullMask_;
    std::uint32_t initialisedMask_ = 0;
};

}  // namespace util
