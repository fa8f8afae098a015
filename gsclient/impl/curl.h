#pragma once
// The client's HTTP transport: POSTs over a libcurl multi handle, advanced
// without blocking by update() once a frame. A transfer is known by a small
// request id (the request slot, 0..5) and its outcome is kept until
// getResult collects it.
//
// Threads: one thread (the game's frame loop) makes every call.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gsclient/util/base.h"

namespace impl {

class Curl : public util::Base {
public:
    static constexpr std::size_t kMaxRequests = 6;

    // Throws std::bad_alloc when libcurl gives no multi handle and
    // std::runtime_error when it cannot be set up.
    Curl();
    ~Curl() override;

    void setLogLevel(std::int32_t level) override;

    // 0; -3 empty text (or zero seconds); -1 the header list failed.
    int setContentType(const std::string& contentType);
    int setUserAgent(const std::string& userAgent);
    int setTimeout(std::int32_t seconds);
    int setMaxSpeed(std::uint32_t kilobytesPerSecond);  // 0 = no limit

    // Starts a POST of `length` bytes at `data`, which must stay valid and
    // unchanged until the transfer has ended; response is emptied, then
    // receives the reply body. 0; -2 id busy; -3 empty URL or no data;
    // -4 no content type or user agent; -5 six transfers held; -6 libcurl
    // refused the transfer.
    int post(std::uint8_t id, const std::string& url, const std::uint8_t* data,
             std::size_t length, std::vector<std::uint8_t>& response);

    // Advances every transfer; never waits. 0 or -1.
    int update();

    // 0 ended with an HTTP status (in status); -2 running; -3 no such id;
    // -7 no connection; -8 timed out; -9 ended without an HTTP status.
    // Every result but -2 and -3 frees the id.
    int getResult(std::uint8_t id, std::uint16_t& status);

    class Context;
    class Impl;

private:
    std::unique_ptr<Context> context_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace impl
