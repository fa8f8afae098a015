#include "gsclient/abaas/gs_main.h"

#include "gsclient/abaas/impl_gs.h"

namespace am::abaas {

GsMain::GsMain() : GsMain(ConnectionSettings{}) {}

GsMain::GsMain(const ConnectionSettings& settings) : impl_(std::make_unique<ImplGs>(settings)) {}

GsMain::~GsMain() = default;

int GsMain::setTitleServerConfig(const Config& config) {
    return impl_->setTitleServerConfig(config);
}

int GsMain::setClientConfig(const ClientConfig& config) { return impl_->setClientConfig(config); }

int GsMain::requestServerAlive(int slot) {
    return impl_->executeTask(slot, [](Task& task, std::size_t s) { return task.serverAlive(s); });
}

int GsMain::requestUserLoad(int slot, bool startGame, const std::string& body,
                            std::string& reply) {
    return impl_->executeTask(slot, [&](Task& task, std::size_t s) {
        return task.userLoad(s, startGame, body, reply);
    });
}

int GsMain::requestUserLoadStart(int slot, const std::string& body, std::string& reply) {
    return requestUserLoad(slot, true, body, reply);
}

int GsMain::requestUserSave(int slot, const std::string& body) {
    return impl_->executeTask(slot,
                              [&](Task& task, std::size_t s) { return task.userSave(s, body); });
}

int GsMain::requestUserHeartbeat(int slot, const std::string& body) {
    return impl_->executeTask(
        slot, [&](Task& task, std::size_t s) { return task.userHeartbeat(s, body); });
}

void GsMain::update() { impl_->update(); }

int GsMain::getResult(int slot, Result& result) { return impl_->getResult(slot, result); }

void GsMain::setLogLevel(std::int32_t level) { impl_->setLogLevel(level); }

}  // namespace am::abaas
