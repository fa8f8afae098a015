#pragma once
// The configurations the client tests start from: the shared test identity,
// version 1.05, location 513, and the fixed local time every body carries.

#include <string>

#include "gsclient/abaas/gs_main.h"
#include "platform/clock/clock.h"
#include "tests/gsclient/peer/test_identity.h"

namespace gstest {

inline const std::string kKeychipId = "A0000000001";
inline const platform::LocalTime kBodyTime{2024, 1, 2, 2, 3, 4, 5, 678};
inline const std::string kCreateTime = "20240102030405";

inline am::abaas::GsMain::Config titleServerConfig(const std::string& host) {
    return {host, kGameId, 1, 5, testTitleKey()};
}

inline am::abaas::GsMain::ClientConfig clientConfig() { return {513, kKeychipId}; }

}  // namespace gstest
