#include "gsclient/impl/curl_context.h"

#include <curl/curl.h>

#include "gsclient/util/log.h"

namespace impl {

int& Curl::Context::counter() {
    static int users = 0;
    return users;
}

int Curl::Context::initialize() {
    const CURLcode result = curl_global_init(CURL_GLOBAL_ALL);
    if (result != CURLE_OK) {
        ABAAS_LOG_ERROR(*this, "impl::Curl::Context::initialize",
                        "[Error ] curl_global_init failed. %d\n", static_cast<int>(result));
        return -1;
    }
    return 0;
}

int Curl::Context::terminate() {
    curl_global_cleanup();
    return 0;
}

}  // namespace impl
