#pragma once
// The client behind am::abaas::GsMain: the configuration checks, the slot
// front of the requests, and the mapping of a slot's outcome to the poll
// result.
//
// Threads: one thread (the game's frame loop) makes every call.

#include <cstdint>
#include <functional>

#include "gsclient/abaas/gs_main.h"
#include "gsclient/abaas/task.h"
#include "gsclient/util/base.h"

namespace am::abaas {

class GsMain::ImplGs : public util::Base {
public:
    using Step = std::function<Task::Start(Task& task, std::size_t slot)>;

    explicit ImplGs(const ConnectionSettings& settings);

    void setLogLevel(std::int32_t level) override;

    int setTitleServerConfig(const Config& config);
    int setClientConfig(const ClientConfig& config);

    // Runs one request's step on a checked slot. 0, 1, -1, -2 or -3.
    int executeTask(int slot, const Step& step);
    void update();
    int getResult(int slot, Result& result);

private:
    int applyConfigs();
    static bool isSlot(int slot) { return slot >= 0 && slot < REQUEST_NUM_MAX; }

    const ConnectionSettings settings_;
    Config config_;
    ClientConfig clientConfig_;
    bool configured_ = false;
    bool configSet_ = false;
    bool clientConfigSet_ = false;
    Task task_;
};

}  // namespace am::abaas
