#include "gsclient/abaas/task.h"

#include "gsclient/abaas/endpoints.h"
#include "platform/clock/clock.h"

namespace am::abaas {

void Task::setLogLevel(std::int32_t level) {
    Base::setLogLevel(level);
    request_.setLogLevel(level);
}

int Task::setConfig(const GsMain::ConnectionSettings& settings, const GsMain::Config& config,
                    const GsMain::ClientConfig& client) {
    if (request_.setConfig(settings, config, client) != 0) return -1;
    identity_.serial = client.keychipId;
    identity_.gameId = config.gameId;
    identity_.gameVersion = gameVersionText(config.majorVersion, config.minorVersion);
    identity_.locationId = client.locationId;
    baseUrl_ = std::string(endpoint::kScheme) + config.serverUri + endpoint::kPort;
    return 0;
}

Task::Start Task::serverAlive(std::size_t slot) {
    return send(slot, endpoint::kServerAlive, {}, {}, nullptr);
}

Task::Start Task::userLoad(std::size_t slot, bool startGame, const std::string& body,
                           std::string& reply) {
    return send(slot, endpoint::kUserLoad, body, userLoadControl(startGame), &reply);
}

Task::Start Task::userSave(std::size_t slot, const std::string& body) {
    return send(slot, endpoint::kUserSave, body, userSaveControl(sequences_[slot]),
                &saveReplies_[slot]);
}

Task::Start Task::userHeartbeat(std::size_t slot, const std::string& body) {
    return send(slot, endpoint::kUserHeartbeat, body, userHeartbeatControl(sequences_[slot]),
                nullptr);
}

Task::Start Task::send(std::size_t slot, const char* path, const std::string& body,
                       const std::string& control, std::string* reply) {
    if (busy_[slot]) return Start::Busy;
    const std::string client = clientMember(identity_, platform::currentClock().localTime());
    replies_[slot] = reply;
    if (request_.sendData(slot, baseUrl_ + path, body, client, control, reply) != 0) {
        replies_[slot] = nullptr;
        return Start::Failed;
    }
    busy_[slot] = true;
    return Start::Started;
}

Task::Outcome Task::getResult(std::size_t slot, GsMain::Result& result) {
    const int code = request_.getResult(slot, result);
    if (code == -2) return Outcome::Running;
    // A reply without a body (an application error) says nothing about the
    // session: the slot keeps the values it had.
    if (code == 0 && replies_[slot] && !replies_[slot]->empty()) {
        sequences_[slot] = readSequenceRecord(*replies_[slot]);
    }
    release(slot);
    switch (code) {
        case 0: return Outcome::Done;
        case -5: return Outcome::TimedOut;
        case -6:
        case -7: return Outcome::Unreachable;
        default: return Outcome::Unusable;
    }
}

void Task::release(std::size_t slot) {
    busy_[slot] = false;
    replies_[slot] = nullptr;
}

}  // namespace am::abaas
