#pragma once
// Pumps a transport the way the frame loop does until one transfer ends.

#include <chrono>
#include <cstdint>

#include "gsclient/impl/curl.h"

namespace gstest {

// getResult's outcome once the transfer has ended, or -2 (still running)
// when it did not end within `limit`.
int waitForResult(impl::Curl& curl, std::uint8_t id, std::uint16_t& status,
                  std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace gstest
