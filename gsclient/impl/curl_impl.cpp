#include "gsclient/impl/curl_impl.h"

#include <new>
#include <stdexcept>

#include "gsclient/util/log.h"

namespace impl {

namespace {

constexpr const char* kSetContentType = "impl::Curl::Impl::setContentType";
constexpr const char* kUpdate = "impl::Curl::Impl::update";
constexpr const char* kGetResult = "impl::Curl::Impl::getResult";

constexpr long kLowSpeedLimit = 1024;  // bytes per second
constexpr curl_off_t kBytesPerKilobyte = 1024;
// A reply is a small packet; a server that streams more than this is cut off
// rather than allowed to fill memory.
constexpr std::size_t kMaxResponseBytes = 32u << 20;

std::size_t appendResponse(char* bytes, std::size_t size, std::size_t count, void* user) {
    auto* response = static_cast<std::vector<std::uint8_t>*>(user);
    const std::size_t total = size * count;
    if (response->size() + total > kMaxResponseBytes) return 0;
    try {
        response->insert(response->end(), bytes, bytes + total);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return total;
}

}  // namespace

Curl::Impl::Impl() : Base("Curl::Impl"), multi_(curl_multi_init()) {
    if (!multi_) throw std::bad_alloc();
    if (curl_multi_setopt(multi_, CURLMOPT_PIPELINING, 1L) != CURLM_OK) {
        curl_multi_cleanup(multi_);
        throw std::runtime_error("curl_multi_setopt(..., CURLMOPT_PIPELINING, 1L) failed.\n");
    }
}

Curl::Impl::~Impl() {
    curl_slist_free_all(headers_);
    for (auto& [id, entry] : requests_) {
        if (!entry.easy) continue;
        curl_multi_remove_handle(multi_, entry.easy);
        curl_easy_cleanup(entry.easy);
    }
    requests_.clear();
    curl_multi_cleanup(multi_);
}

int Curl::Impl::setContentType(const std::string& contentType) {
    if (contentType.empty()) return -3;
    contentType_ = contentType;
    curl_slist_free_all(headers_);
    headers_ = curl_slist_append(nullptr, contentType_.c_str());
    if (!headers_) {
        ABAAS_LOG_ERROR(*this, kSetContentType, "Error: failed to set content type.\n");
        return -1;
    }
    // libcurl skips the empty encoding line; it holds the place of one.
    curl_slist* withEncoding = curl_slist_append(headers_, contentEncoding_.c_str());
    if (!withEncoding) {
        ABAAS_LOG_ERROR(*this, kSetContentType, "Error: failed to set content encoding.\n");
        return -1;
    }
    headers_ = withEncoding;
    return 0;
}

int Curl::Impl::setUserAgent(const std::string& userAgent) {
    if (userAgent.empty()) return -3;
    userAgent_ = userAgent;
    return 0;
}

int Curl::Impl::setTimeout(std::int32_t seconds) {
    if (seconds == 0) return -3;
    timeoutSeconds_ = seconds;
    return 0;
}

int Curl::Impl::setMaxSpeed(std::uint32_t kilobytesPerSecond) {
    maxSpeed_ = kilobytesPerSecond;
    return 0;
}

int Curl::Impl::post(std::uint8_t id, const std::string& url, const std::uint8_t* data,
                     std::size_t length, std::vector<std::uint8_t>& response) {
    if (!headers_ || userAgent_.empty()) return -4;
    if (requests_.count(id) != 0) return -2;
    if (requests_.size() >= kMaxRequests) return -5;
    response.clear();
    CURL* easy = curl_easy_init();
    if (!easy) return -6;
    if (!configure(easy, url, data, length, response) ||
        curl_multi_add_handle(multi_, easy) != CURLM_OK) {
        curl_easy_cleanup(easy);
        return -6;
    }
    requests_[id] = Entry{easy, CURLE_OK, 0};
    return 0;
}

bool Curl::Impl::configure(CURL* easy, const std::string& url, const std::uint8_t* data,
                           std::size_t length, std::vector<std::uint8_t>& response) const {
    const long timeout = timeoutSeconds_;
    bool ok = curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_USERAGENT, userAgent_.c_str()) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_URL, url.c_str()) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, timeout) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_TIMEOUT, 0L) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedLimit) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, timeout) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_POST, 1L) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_POSTFIELDS, data) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                               static_cast<curl_off_t>(length)) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, appendResponse) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_WRITEDATA, &response) == CURLE_OK;
    if (ok && maxSpeed_ != 0) {
        const curl_off_t limit = maxSpeed_ * kBytesPerKilobyte;
        ok = curl_easy_setopt(easy, CURLOPT_MAX_RECV_SPEED_LARGE, limit) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_MAX_SEND_SPEED_LARGE, limit) == CURLE_OK;
    }
    return ok;
}

bool Curl::Impl::anyRunning() const {
    for (const auto& [id, entry] : requests_) {
        if (entry.easy) return true;
    }
    return false;
}

int Curl::Impl::update() {
    if (requests_.empty() || !anyRunning()) return 0;
    int running = 0;
    CURLMcode code;
    do {
        code = curl_multi_perform(multi_, &running);
    } while (code == CURLM_CALL_MULTI_PERFORM);
    if (code != CURLM_OK) {
        ABAAS_LOG_ERROR(*this, kUpdate,
                        "Error: failed to request. curl multi error code is %d.\n",
                        static_cast<int>(code));
        return -1;
    }
    // A zero wait only lets the sockets become ready for the next frame.
    if (running > 0 && curl_multi_wait(multi_, nullptr, 0, 0, nullptr) != CURLM_OK) {
        ABAAS_LOG_ERROR(*this, kUpdate, "Error: failed to select.\n");
        return -1;
    }
    collectDone();
    return 0;
}

void Curl::Impl::collectDone() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        for (auto& [id, entry] : requests_) {
            if (entry.easy != message->easy_handle) continue;
            entry.result = message->data.result;
            long status = 0;
            curl_easy_getinfo(entry.easy, CURLINFO_RESPONSE_CODE, &status);
            entry.status = static_cast<std::uint16_t>(status);
            curl_multi_remove_handle(multi_, entry.easy);
            curl_easy_cleanup(entry.easy);
            entry.easy = nullptr;
            break;
        }
    }
}

int Curl::Impl::getResult(std::uint8_t id, std::uint16_t& status) {
    const auto found = requests_.find(id);
    if (found == requests_.end()) {
        ABAAS_LOG_ERROR(*this, kGetResult, "Error: invalid request id %u.\n",
                        static_cast<unsigned>(id));
        return -3;
    }
    const Entry entry = found->second;
    if (entry.easy) return -2;
    requests_.erase(found);
    if (entry.result == CURLE_COULDNT_CONNECT) return -7;
    if (entry.result == CURLE_OPERATION_TIMEDOUT) return -8;
    if (entry.status == 0) {
        ABAAS_LOG_ERROR(*this, kGetResult,
                        "Error: failed to access server. curl error code is %d.\n",
                        static_cast<int>(entry.result));
        return -9;
    }
    status = entry.status;
    return 0;
}

}  // namespace impl
