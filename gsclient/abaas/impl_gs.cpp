#include "gsclient/abaas/impl_gs.h"

#include "gsclient/util/aes.h"
#include "gsclient/util/log.h"

namespace am::abaas {

namespace {

constexpr const char* kSetTitleServerConfig = "am::abaas::GsMain::ImplGs::setTitleServerConfig";
constexpr const char* kSetClientConfig = "am::abaas::GsMain::ImplGs::setClientConfig";
constexpr const char* kExecuteTask = "am::abaas::GsMain::ImplGs::executeTask";
constexpr const char* kGetResult = "am::abaas::GsMain::ImplGs::getResult";

constexpr std::size_t kGameIdLength = 4;
constexpr std::size_t kKeychipIdLength = 11;
constexpr std::uint8_t kVersionLimit = 100;
constexpr std::int32_t kKeyDumpLevel = 3;
constexpr std::uint16_t kHttpOk = 200;

}  // namespace

GsMain::ImplGs::ImplGs(const ConnectionSettings& settings) : Base("ImplGs"), settings_(settings) {}

void GsMain::ImplGs::setLogLevel(std::int32_t level) {
    Base::setLogLevel(level);
    task_.setLogLevel(level);
}

int GsMain::ImplGs::setTitleServerConfig(const Config& config) {
    if (config.gameId.size() != kGameIdLength) {
        ABAAS_LOG_ERROR(*this, kSetTitleServerConfig, "ERROR: gameId(%s) is invalid.\n",
                        config.gameId.c_str());
        return -2;
    }
    if (config.majorVersion >= kVersionLimit) {
        ABAAS_LOG_ERROR(*this, kSetTitleServerConfig, "ERROR: majorVersion(%d) is invalid.\n",
                        config.majorVersion);
        return -2;
    }
    if (config.minorVersion >= kVersionLimit) {
        ABAAS_LOG_ERROR(*this, kSetTitleServerConfig, "ERROR: minorVersion(%d) is invalid.\n",
                        config.minorVersion);
        return -2;
    }
    if (config.serverUri.empty()) {
        ABAAS_LOG_ERROR(*this, kSetTitleServerConfig, "ERROR: strServerURI is empty.\n");
        return -2;
    }
    if (logLevel() >= kKeyDumpLevel) {
        abaasLogDump("titleKey\n", "#", 0, config.titleKey.data(), config.titleKey.size());
    }
    if (config.titleKey.size() != util::crypt::Aes::kKeyBytes) {
        ABAAS_LOG_ERROR(*this, kSetTitleServerConfig, "ERROR: titleKey's size is not 32Byte.\n");
        return -2;
    }
    config_ = config;
    configSet_ = true;
    if (applyConfigs() != 0) {
        ABAAS_LOG_ERROR(*this, kSetTitleServerConfig, "ERROR: setConfig\n");
        return -1;
    }
    return 0;
}

int GsMain::ImplGs::setClientConfig(const ClientConfig& config) {
    if (config.keychipId.size() != kKeychipIdLength) {
        ABAAS_LOG_ERROR(*this, kSetClientConfig, "ERROR: keychipId(%s) is invalid.\n",
                        config.keychipId.c_str());
        return -2;
    }
    clientConfig_ = config;
    clientConfigSet_ = true;
    if (applyConfigs() != 0) {
        ABAAS_LOG_ERROR(*this, kSetClientConfig, "ERROR: setConfig\n");
        return -1;
    }
    return 0;
}

// The client counts as configured only while its last set-up succeeded, so
// that a failed one refuses requests as unconfigured instead of sending
// them with half-installed settings.
int GsMain::ImplGs::applyConfigs() {
    if (!configSet_ || !clientConfigSet_) return 0;
    configured_ = task_.setConfig(settings_, config_, clientConfig_) == 0;
    return configured_ ? 0 : -1;
}

int GsMain::ImplGs::executeTask(int slot, const Step& step) {
    if (!configured_) return -3;
    if (!isSlot(slot)) {
        ABAAS_LOG_ERROR(*this, kExecuteTask, "ERROR: requestNo(%d) is over REQUEST_NUM_MAX(%d).\n",
                        slot, REQUEST_NUM_MAX);
        return -2;
    }
    switch (step(task_, static_cast<std::size_t>(slot))) {
        case Task::Start::Started: return 0;
        case Task::Start::Busy: return 1;
        case Task::Start::Failed: break;
    }
    return -1;
}

void GsMain::ImplGs::update() { task_.update(); }

int GsMain::ImplGs::getResult(int slot, Result& result) {
    if (!configured_) return -3;
    if (!isSlot(slot)) return -2;
    result = Result{};
    const Task::Outcome outcome = task_.getResult(static_cast<std::size_t>(slot), result);
    const bool statusOk = result.httpStatus == kHttpOk || result.httpStatus == 0;
    switch (outcome) {
        case Task::Outcome::Running: return 1;
        case Task::Outcome::TimedOut: return -4;
        case Task::Outcome::Unreachable: return -5;
        case Task::Outcome::Done:
        case Task::Outcome::Unusable: break;
    }
    if (!statusOk) {
        ABAAS_LOG_ERROR(*this, kGetResult, "ERROR: HTTP status is %d.\n", result.httpStatus);
        return -5;
    }
    return outcome == Task::Outcome::Done ? 0 : -1;
}

}  // namespace am::abaas
