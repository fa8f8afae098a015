#include "gsclient/impl/curl.h"

#include "gsclient/impl/curl_context.h"
#include "gsclient/impl/curl_impl.h"

namespace impl {

Curl::Curl() : Base("Curl"), context_(std::make_unique<Context>()) {
    context_->start(true);
    try {
        impl_ = std::make_unique<Impl>();
    } catch (...) {
        context_->stop();
        throw;
    }
}

Curl::~Curl() {
    impl_.reset();
    context_->stop();
}

void Curl::setLogLevel(std::int32_t level) {
    Base::setLogLevel(level);
    context_->setLogLevel(level);
    impl_->setLogLevel(level);
}

int Curl::setContentType(const std::string& contentType) {
    return impl_->setContentType(contentType);
}

int Curl::setUserAgent(const std::string& userAgent) { return impl_->setUserAgent(userAgent); }

int Curl::setTimeout(std::int32_t seconds) { return impl_->setTimeout(seconds); }

int Curl::setMaxSpeed(std::uint32_t kilobytesPerSecond) {
    return impl_->setMaxSpeed(kilobytesPerSecond);
}

int Curl::post(std::uint8_t id, const std::string& url, const std::uint8_t* data,
               std::size_t length, std::vector<std::uint8_t>& response) {
    if (url.empty() || !data || length == 0) return -3;
    return impl_->post(id, url, data, length, response);
}

int Curl::update() { return impl_->update(); }

int Curl::getResult(std::uint8_t id, std::uint16_t& status) {
    return impl_->getResult(id, status);
}

}  // namespace impl
