// The transport on loopback, against the Python peer.
#include "gsclient/impl/curl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "gsclient/abaas/http_data.h"
#include "tests/gsclient/peer/gs_peer_test.h"
#include "tests/gsclient/peer/log_capture.h"
#include "tests/gsclient/peer/transport_wait.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kAlivePath = "/api/server/alive";

class CurlTest : public gstest::GsPeerTest {
protected:
    void SetUp() override {
        GsPeerTest::SetUp();
        am::abaas::HttpData codec;
        ASSERT_EQ(codec.setParam(1, 0, gstest::kGameId, gstest::testTitleKey()), 0);
        ASSERT_EQ(codec.makeRequestData(
                      R"({"client":{"serial":"A0000000001","game_id":"ABCD","game_ver":"1.00"}})",
                      packet),
                  0);
        ASSERT_EQ(curl.setContentType("Content-Type: application/octet-stream"), 0);
        ASSERT_EQ(curl.setUserAgent("AbaaSGS/ABCD/A0000000001"), 0);
        ASSERT_EQ(curl.setTimeout(1), 0);
        ASSERT_EQ(curl.setMaxSpeed(128), 0);
    }

    int post(std::uint8_t id, const std::string& path = kAlivePath) {
        return curl.post(id, peer.url(path), packet.data(), packet.size(), responses[id % 8]);
    }

    // Advances the transport as the frame loop does, for `limit` or until
    // `done` answers true.
    template <class Done>
    void pumpFor(std::chrono::milliseconds limit, Done done) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until && !done()) {
            curl.update();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    Bytes packet;
    Bytes responses[8];
    impl::Curl curl;
};

TEST_F(CurlTest, AnsweredPostGivesItsStatusAndBody) {
    ASSERT_EQ(post(2), 0);
    std::uint16_t status = 0;
    EXPECT_EQ(gstest::waitForResult(curl, 2, status), 0);
    EXPECT_EQ(status, 200);
    EXPECT_GE(responses[2].size(), 32u);
    EXPECT_EQ(peer.requestCount(kAlivePath), 1);
}

TEST_F(CurlTest, ErrorStatusesAreHttpStatusesHere) {
    ASSERT_EQ(post(0, "/api/ranking/list"), 0);  // a path the peer does not serve
    std::uint16_t status = 0;
    EXPECT_EQ(gstest::waitForResult(curl, 0, status), 0);
    EXPECT_EQ(status, 404);

    ASSERT_TRUE(peer.setMode("http-500", 1));
    ASSERT_EQ(post(0), 0);
    EXPECT_EQ(gstest::waitForResult(curl, 0, status), 0);
    EXPECT_EQ(status, 500);
}

TEST_F(CurlTest, RefusedConnection) {
    ASSERT_TRUE(peer.setMode("refuse"));
    ASSERT_EQ(post(1), 0);
    std::uint16_t status = 0;
    EXPECT_EQ(gstest::waitForResult(curl, 1, status), -7);
}

TEST_F(CurlTest, SilentServerTimesOut) {
    ASSERT_TRUE(peer.setMode("silent"));
    ASSERT_EQ(post(1), 0);
    std::uint16_t status = 0;
    EXPECT_EQ(gstest::waitForResult(curl, 1, status), -8);
}

TEST_F(CurlTest, AnIdIsBusyUntilCollectedAndCollectedOnce) {
    ASSERT_EQ(post(4), 0);
    EXPECT_EQ(post(4), -2);
    std::uint16_t status = 0;
    EXPECT_EQ(curl.getResult(4, status), -2);  // still running

    // Ended but not collected: still busy. The transport can't be asked
    // whether a transfer ended without collecting it, so pump until the peer
    // has served the request and then a second longer, which a loaded
    // machine needs to read the reply.
    pumpFor(std::chrono::seconds(10), [this] { return peer.requestCount(kAlivePath) > 0; });
    pumpFor(std::chrono::seconds(1), [] { return false; });
    EXPECT_EQ(post(4), -2);

    gstest::LogCapture capture;
    curl.setLogLevel(1);
    EXPECT_EQ(curl.getResult(4, status), 0);  // had ended: collected at once
    EXPECT_EQ(status, 200);
    EXPECT_EQ(curl.getResult(4, status), -3);
    EXPECT_NE(capture.text().find("Error: invalid request id 4.\n"), std::string::npos);
    EXPECT_EQ(post(4), 0);
}

TEST_F(CurlTest, SixTransfersAtMost) {
    ASSERT_TRUE(peer.setMode("silent"));
    for (std::uint8_t id = 0; id < 6; ++id) ASSERT_EQ(post(id), 0);
    EXPECT_EQ(post(6), -5);
    std::uint16_t status = 0;
    EXPECT_EQ(curl.getResult(0, status), -2);
    // Running transfers are dropped cleanly with the transport.
}

TEST_F(CurlTest, Refusals) {
    std::uint16_t status = 0;
    EXPECT_EQ(curl.setContentType(""), -3);
    EXPECT_EQ(curl.setUserAgent(""), -3);
    EXPECT_EQ(curl.setTimeout(0), -3);
    EXPECT_EQ(curl.post(0, "", packet.data(), packet.size(), responses[0]), -3);
    EXPECT_EQ(curl.post(0, peer.url(kAlivePath), nullptr, 1, responses[0]), -3);
    EXPECT_EQ(curl.post(0, peer.url(kAlivePath), packet.data(), 0, responses[0]), -3);
    EXPECT_EQ(curl.getResult(0, status), -3);
    EXPECT_EQ(curl.update(), 0);

    impl::Curl bare;  // neither content type nor user agent
    EXPECT_EQ(bare.post(0, peer.url(kAlivePath), packet.data(), packet.size(), responses[0]), -4);
    ASSERT_EQ(bare.setContentType("Content-Type: application/octet-stream"), 0);
    EXPECT_EQ(bare.post(0, peer.url(kAlivePath), packet.data(), packet.size(), responses[0]), -4);
}

TEST_F(CurlTest, TransportsShareLibcurlAndOutliveEachOther) {
    {
        impl::Curl other;
        ASSERT_EQ(other.setContentType("Content-Type: application/octet-stream"), 0);
        ASSERT_EQ(other.setUserAgent("other"), 0);
        ASSERT_EQ(other.post(0, peer.url(kAlivePath), packet.data(), packet.size(), responses[7]),
                  0);
        std::uint16_t status = 0;
        EXPECT_EQ(gstest::waitForResult(other, 0, status), 0);
    }
    ASSERT_EQ(post(0), 0);
    std::uint16_t status = 0;
    EXPECT_EQ(gstest::waitForResult(curl, 0, status), 0);
    EXPECT_EQ(status, 200);
}

}  // namespace
