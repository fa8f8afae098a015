#pragma once
// The request layer under the client: one packet codec, packet buffer,
// response buffer and reply target per slot, and the HTTP transport. A
// slot is active from its POST until its result is collected.
//
// Threads: one thread (the game's frame loop) makes every call.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gsclient/abaas/gs_main.h"
#include "gsclient/abaas/http_data.h"
#include "gsclient/impl/curl.h"
#include "gsclient/util/base.h"

namespace am::abaas {

class Request : public util::Base {
public:
    static constexpr std::size_t kSlots = REQUEST_NUM_MAX;

    Request();
    ~Request() override;

    void setLogLevel(std::int32_t level) override;

    // User agent, content type, the codecs' keys and modes, speed and time-out.
    // 0, or -1 (the layer stays uninitialised).
    int setConfig(const GsMain::ConnectionSettings& settings, const GsMain::Config& config,
                  const GsMain::ClientConfig& client);

    // Splices the members into body, packs it and POSTs it to url. reply, when
    // not null, receives the plain reply text at a successful collection.
    // 0; -1 packing or POST failed (logged); -2 slot active; -3 bad slot;
    // -4 not initialised.
    int sendData(std::size_t slot, const std::string& url, const std::string& body,
                 std::string_view clientMember, std::string_view controlMember,
                 std::string* reply);

    // 0; -1 transport failure (logged); -4 not initialised.
    int update();

    // 0 collected (or the slot was idle: nothing written); -1 unusable reply
    // or another transport failure; -2 running; -3 bad slot; -4 not
    // initialised; -5 timed out; -6 no connection; -7 no HTTP status.
    int getResult(std::size_t slot, GsMain::Result& result);

private:
    int decodeReply(std::size_t slot, GsMain::Result& result);
    static int fromTransport(int transportResult);

    std::array<HttpData, kSlots> codecs_;
    std::array<std::vector<std::uint8_t>, kSlots> packets_;
    std::array<std::vector<std::uint8_t>, kSlots> responses_;
    std::array<std::string*, kSlots> replies_{};
    std::unique_ptr<impl::Curl> transport_;  // null when libcurl could not be set up
    bool initialised_ = false;
    std::array<bool, kSlots> active_{};
};

}  // namespace am::abaas
