// The codec against the independent Python peer: requests it decodes, replies
// it encodes, and each way it can spoil a reply.
#include <gtest/gtest.h>

#include "gsclient/abaas/http_data.h"
#include "gsclient/impl/curl.h"
#include "tests/gsclient/peer/gs_peer_test.h"
#include "tests/gsclient/peer/transport_wait.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class HttpDataPeerTest : public gstest::GsPeerTest {
protected:
    void SetUp() override {
        GsPeerTest::SetUp();
        ASSERT_EQ(codec.setParam(1, 0, gstest::kGameId, gstest::testTitleKey()), 0);
        ASSERT_EQ(curl.setContentType("Content-Type: application/octet-stream"), 0);
        ASSERT_EQ(curl.setUserAgent("AbaaSGS/ABCD/A0000000001"), 0);
    }

    // Sends body to path; answers the codec's result on the reply.
    int exchange(const std::string& path, const std::string& body, std::string& plain,
                 std::uint16_t& status) {
        Bytes packet;
        EXPECT_EQ(codec.makeRequestData(body, packet), 0);
        Bytes response;
        EXPECT_EQ(curl.post(0, peer.url(path), packet.data(), packet.size(), response), 0);
        std::uint16_t http = 0;
        EXPECT_EQ(gstest::waitForResult(curl, 0, http), 0);
        EXPECT_EQ(http, 200);
        return codec.makeResponseData(response, plain, status);
    }

    am::abaas::HttpData codec;
    impl::Curl curl;
};

const std::string kAlive =
    R"({"client":{"serial":"A0000000001","game_id":"ABCD","game_ver":"1.00",)"
    R"("location_id":5,"create_time":"20240102030405"}})";

TEST_F(HttpDataPeerTest, PeerDecodesTheRequestAndWeDecodeItsReply) {
    std::string plain;
    std::uint16_t status = 0xFFFF;
    EXPECT_EQ(exchange("/api/server/alive", kAlive, plain, status), 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(plain, R"({"result":0})");
    EXPECT_EQ(peer.lastRequest("/api/server/alive"), kAlive);
    EXPECT_EQ(peer.requestCount("/api/server/alive"), 1);
    EXPECT_EQ(peer.lastError(), "");
}

TEST_F(HttpDataPeerTest, UserLoadReplyCarriesTheStoredUser) {
    ASSERT_TRUE(peer.addUser(42, "ACE"));
    ASSERT_TRUE(peer.setSavedata(42, "score_nov_a", "123456"));
    const std::string body =
        R"({"user":{"savedata":{"keys":["score_nov_a","stage_nov_a"]},"user_id":42},)"
        R"("client":{"serial":"A0000000001"},"control":{"start_game":1}})";
    std::string plain;
    std::uint16_t status = 0xFFFF;
    EXPECT_EQ(exchange("/api/user/load", body, plain, status), 0);
    EXPECT_EQ(plain,
              R"({"control":{"online":0,"seq_id":"seq-1","token":"token-42"},)"
              R"("user":{"name":"ACE","savedata":{"score_nov_a":"123456"},"user_id":42}})");
}

TEST_F(HttpDataPeerTest, SpoiledRepliesGiveTheirResults) {
    struct Case {
        const char* mode;
        int result;
    };
    for (const Case c : {Case{"bad-crc", -8}, Case{"bad-magic0", -6}, Case{"bad-magic1", -7},
                         Case{"truncated", -1}, Case{"length-over", -8}, Case{"length-huge", -1},
                         Case{"garbage", -6}, Case{"short", -1}, Case{"normal", 0}}) {
        SCOPED_TRACE(c.mode);
        ASSERT_TRUE(peer.setMode(c.mode, 1));
        std::string plain;
        std::uint16_t status = 0;
        EXPECT_EQ(exchange("/api/server/alive", kAlive, plain, status), c.result);
    }
}

TEST_F(HttpDataPeerTest, NonZeroApplicationStatusComesWithoutABody) {
    ASSERT_TRUE(peer.setAppStatus(3));
    std::string plain = "untouched";
    std::uint16_t status = 0;
    EXPECT_EQ(exchange("/api/server/alive", kAlive, plain, status), 0);
    EXPECT_EQ(status, 3);
    EXPECT_EQ(plain, "untouched");
}

TEST_F(HttpDataPeerTest, PeerRefusesAPacketMadeWithAnotherKey) {
    Bytes otherKey = gstest::testTitleKey();
    otherKey[31] ^= 1;
    am::abaas::HttpData stranger;
    ASSERT_EQ(stranger.setParam(1, 0, gstest::kGameId, otherKey), 0);
    Bytes packet;
    ASSERT_EQ(stranger.makeRequestData(kAlive, packet), 0);
    Bytes response;
    ASSERT_EQ(curl.post(3, peer.url("/api/server/alive"), packet.data(), packet.size(), response),
              0);
    std::uint16_t http = 0;
    EXPECT_EQ(gstest::waitForResult(curl, 3, http), 0);
    EXPECT_EQ(http, 400);
    EXPECT_NE(peer.lastError(), "");
    EXPECT_EQ(peer.requestCount("/api/server/alive"), 0);
}

}  // namespace
