#include "tests/gsclient/peer/transport_wait.h"

#include <thread>

namespace gstest {

int waitForResult(impl::Curl& curl, std::uint8_t id, std::uint16_t& status,
                  std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        curl.update();
        const int result = curl.getResult(id, status);
        if (result != -2 || std::chrono::steady_clock::now() > deadline) return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace gstest
