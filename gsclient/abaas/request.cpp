#include "gsclient/abaas/request.h"

#include <exception>

#include "gsclient/abaas/body_members.h"
#include "gsclient/util/log.h"

namespace am::abaas {

namespace {

constexpr const char* kSendData = "am::abaas::Request::sendData";
constexpr const char* kUpdate = "am::abaas::Request::update";
constexpr const char* kGetResult = "am::abaas::Request::getResult";

constexpr const char* kDefaultModuleName = "abaasgs";
constexpr const char* kContentType = "Content-Type: application/octet-stream";

}  // namespace

Request::Request() : Base("Request") {
    // Without libcurl no request can start; the client then refuses its
    // configuration rather than throwing into the game.
    try {
        transport_ = std::make_unique<impl::Curl>();
    } catch (const std::exception&) {
        transport_.reset();
    }
}

Request::~Request() = default;

void Request::setLogLevel(std::int32_t level) {
    Base::setLogLevel(level);
    for (HttpData& codec : codecs_) codec.setLogLevel(level);
    if (transport_) transport_->setLogLevel(level);
}

int Request::setConfig(const GsMain::ConnectionSettings& settings, const GsMain::Config& config,
                       const GsMain::ClientConfig& client) {
    initialised_ = false;
    if (!transport_) return -1;
    const std::string module = settings.moduleName.empty() ? kDefaultModuleName
                                                           : settings.moduleName;
    if (transport_->setUserAgent(module + "/" + config.gameId + "/" + client.keychipId) != 0 ||
        transport_->setContentType(kContentType) != 0) {
        return -1;
    }
    for (HttpData& codec : codecs_) {
        if (codec.setParam(config.majorVersion, config.minorVersion, config.gameId,
                           config.titleKey) != 0) {
            return -1;
        }
        codec.setMode(settings.compress, settings.encrypt);
    }
    if (transport_->setMaxSpeed(settings.maxSpeedKilobytes) != 0 ||
        transport_->setTimeout(settings.timeoutSeconds) != 0) {
        return -1;
    }
    initialised_ = true;
    return 0;
}

int Request::sendData(std::size_t slot, const std::string& url, const std::string& body,
                      std::string_view clientMember, std::string_view controlMember,
                      std::string* reply) {
    if (!initialised_) return -4;
    if (slot >= kSlots) return -3;
    if (active_[slot]) return -2;

    std::string text = body;
    if (!spliceMembers(text, clientMember, controlMember)) {
        ABAAS_LOG_ERROR(*this, kSendData, "ERROR: body is not a JSON object\n");
        return -1;
    }
    replies_[slot] = reply;
    if (codecs_[slot].makeRequestData(text, packets_[slot]) != 0) {
        ABAAS_LOG_ERROR(*this, kSendData, "ERROR: make request data\n");
        replies_[slot] = nullptr;
        return -1;
    }
    if (transport_->post(static_cast<std::uint8_t>(slot), url, packets_[slot].data(),
                         packets_[slot].size(), responses_[slot]) != 0) {
        ABAAS_LOG_ERROR(*this, kSendData, "ERROR: post request data\n");
        replies_[slot] = nullptr;
        return -1;
    }
    active_[slot] = true;
    return 0;
}

int Request::update() {
    if (!initialised_) return -4;
    if (transport_->update() != 0) {
        ABAAS_LOG_ERROR(*this, kUpdate, "ERROR: request update\n");
        return -1;
    }
    return 0;
}

int Request::getResult(std::size_t slot, GsMain::Result& result) {
    if (!initialised_) return -4;
    if (slot >= kSlots) return -3;
    if (!active_[slot]) return 0;

    std::uint16_t httpStatus = 0;
    const int transportResult = transport_->getResult(static_cast<std::uint8_t>(slot), httpStatus);
    if (transportResult == -2) return -2;
    const int code = transportResult == 0 ? decodeReply(slot, result) : fromTransport(transportResult);
    replies_[slot] = nullptr;
    active_[slot] = false;
    result.httpStatus = httpStatus;
    return code;
}

// Every reply is checked, also one that no caller keeps (server alive,
// heartbeat): its text is decoded into a scratch string and dropped. A kept
// reply receives the text only when the whole reply checked out.
int Request::decodeReply(std::size_t slot, GsMain::Result& result) {
    std::string plain;
    std::uint16_t appStatus = 0;
    const int decoded = codecs_[slot].makeResponseData(responses_[slot], plain, appStatus);
    result.appStatus = appStatus;
    if (decoded == -1) {
        ABAAS_LOG_ERROR(*this, kGetResult, "ERROR: uncompress response data\n");
        return -1;
    }
    if (decoded != 0) {
        ABAAS_LOG_ERROR(*this, kGetResult, "ERROR: response data (%d)\n", decoded);
        return -1;
    }
    if (replies_[slot]) *replies_[slot] = std::move(plain);
    return 0;
}

int Request::fromTransport(int transportResult) {
    switch (transportResult) {
        case -7: return -6;  // no connection
        case -8: return -5;  // timed out
        case -9: return -7;  // no HTTP status
        default: return -1;
    }
}

}  // namespace am::abaas
