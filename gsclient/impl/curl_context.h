#pragma once
// libcurl's process-wide set-up, shared by every transport: the first one
// made sets libcurl up, the last one destroyed tears it down.
//
// Threads: see util::ModuleContext.

#include "gsclient/impl/curl.h"
#include "gsclient/util/module_context.h"

namespace impl {

class Curl::Context : public util::ModuleContext {
public:
    Context() : ModuleContext("Curl::Context", true, 1) {}

protected:
    int& counter() override;
    int initialize() override;
    int terminate() override;
};

}  // namespace impl
