#include "tests/gsclient/peer/client_wait.h"

#include <thread>

namespace gstest {

int waitForSlot(am::abaas::GsMain& client, int slot, am::abaas::GsMain::Result& result,
                std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        client.update();
        const int polled = client.getResult(slot, result);
        if (polled != 1 || std::chrono::steady_clock::now() > deadline) return polled;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace gstest
