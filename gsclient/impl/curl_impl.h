#pragma once
// The transport's state behind impl::Curl: the multi handle and one entry per
// request id, kept from the POST until its outcome is collected.
//
// Threads: see impl::Curl.

#include <curl/curl.h>

#include <map>

#include "gsclient/impl/curl.h"

namespace impl {

class Curl::Impl : public util::Base {
public:
    Impl();
    ~Impl() override;

    int setContentType(const std::string& contentType);
    int setUserAgent(const std::string& userAgent);
    int setTimeout(std::int32_t seconds);
    int setMaxSpeed(std::uint32_t kilobytesPerSecond);
    int post(std::uint8_t id, const std::string& url, const std::uint8_t* data,
             std::size_t length, std::vector<std::uint8_t>& response);
    int update();
    int getResult(std::uint8_t id, std::uint16_t& status);

private:
    struct Entry {
        CURL* easy;          // null once the transfer has ended
        CURLcode result;     // of the ended transfer
        std::uint16_t status;
    };

    bool configure(CURL* easy, const std::string& url, const std::uint8_t* data,
                   std::size_t length, std::vector<std::uint8_t>& response) const;
    bool anyRunning() const;
    void collectDone();

    CURLM* multi_;
    std::map<std::uint8_t, Entry> requests_;
    std::string userAgent_;
    curl_slist* headers_ = nullptr;
    std::string contentType_;
    std::string contentEncoding_;
    std::int32_t timeoutSeconds_ = 5;
    std::uint32_t maxSpeed_ = 0;  // kilobytes per second, 0 = none
};

}  // namespace impl
