#pragma once
// A test fixture with a running loopback game server; the test fails at once
// (never hangs) when the peer cannot be started.

#include <gtest/gtest.h>

#include "tests/gsclient/peer/gs_peer_process.h"

namespace gstest {

class GsPeerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(peer.started()) << peer.startError(); }

    GsPeerProcess peer;
};

}  // namespace gstest
