// The client against the loopback game server: slots, the bodies it sends,
// the session values it keeps, and how each outcome polls.
#include "gsclient/abaas/gs_main.h"

#include <gtest/gtest.h>

#include "platform/clock/fake_clock.h"
#include "tests/gsclient/abaas/client_configs.h"
#include "tests/gsclient/peer/client_wait.h"
#include "tests/gsclient/peer/gs_peer_test.h"
#include "tests/gsclient/peer/log_capture.h"

namespace {

using am::abaas::GsMain;

const std::string kLoad = "/api/user/load";
const std::string kSave = "/api/user/save";
const std::string kHeartbeat = "/api/user/heartbeat";
const std::string kAlive = "/api/server/alive";

const std::string kUserBody = R"({"user":{"user_id":42}})";
const std::string kClient = R"("client":{"serial":"A0000000001","game_id":"ABCD","game_ver":"1.05",)"
                            R"("location_id":513,"create_time":")" +
                            gstest::kCreateTime + R"("})";

std::string userBodyWith(const std::string& control) {
    return R"({"user":{"user_id":42},)" + kClient + ",\"control\":{" + control + "}}";
}

class GsMainTest : public gstest::GsPeerTest {
protected:
    void SetUp() override {
        GsPeerTest::SetUp();
        clock.setLocalTime(gstest::kBodyTime);
        platform::setClock(&clock);
        ASSERT_TRUE(peer.addUser(42, "ACE"));
        client.setLogLevel(1);
        configure(client);
    }
    void TearDown() override { platform::setClock(nullptr); }

    void configure(GsMain& c) {
        ASSERT_EQ(c.setClientConfig(gstest::clientConfig()), 0);
        ASSERT_EQ(c.setTitleServerConfig(gstest::titleServerConfig(peer.host())), 0);
    }

    // Starts one request through `start` and polls its slot to the end.
    int exchange(int slot, int started, GsMain::Result& result) {
        EXPECT_EQ(started, 0);
        return gstest::waitForSlot(client, slot, result);
    }
    int load(bool startGame, std::string& reply, GsMain::Result& result, int slot = 0) {
        return exchange(slot, client.requestUserLoad(slot, startGame, kUserBody, reply), result);
    }
    int save(GsMain::Result& result, int slot = 0) {
        return exchange(slot, client.requestUserSave(slot, kUserBody), result);
    }
    int heartbeat(GsMain::Result& result, int slot = 0) {
        return exchange(slot, client.requestUserHeartbeat(slot, kUserBody), result);
    }

    platform::FakeClock clock;
    GsMain client;
};

TEST_F(GsMainTest, ServerAliveSendsTheClientMemberAlone) {
    GsMain::Result result;
    EXPECT_EQ(exchange(1, client.requestServerAlive(1), result), 0);
    EXPECT_EQ(result.httpStatus, 200);
    EXPECT_EQ(result.appStatus, 0);
    EXPECT_EQ(peer.lastRequest(kAlive), "{" + kClient + "}");
    EXPECT_EQ(peer.lastUserAgent(kAlive), "AbaaSGS/ABCD/A0000000001");
    EXPECT_EQ(peer.lastError(), "");
}

TEST_F(GsMainTest, TwoDigitMajorVersionGoesOutWhole) {
    GsMain::Config config = gstest::titleServerConfig(peer.host());
    config.majorVersion = 12;
    ASSERT_EQ(client.setTitleServerConfig(config), 0);
    GsMain::Result result;
    EXPECT_EQ(exchange(0, client.requestServerAlive(0), result), 0);
    EXPECT_NE(peer.lastRequest(kAlive).find(R"("game_ver":"12.05")"), std::string::npos);
}

TEST_F(GsMainTest, UserLoadBodiesAndReply) {
    GsMain::Result result;
    std::string reply;
    EXPECT_EQ(load(false, reply, result), 0);
    EXPECT_EQ(peer.lastRequest(kLoad), userBodyWith(R"("start_game":0)"));
    EXPECT_EQ(reply, R"({"control":{"online":0,"seq_id":"","token":"token-42"},)"
                     R"("user":{"name":"ACE","savedata":{},"user_id":42}})");

    clock.setLocalTime({2031, 11, 0, 9, 8, 7, 6, 0});
    EXPECT_EQ(exchange(0, client.requestUserLoadStart(0, kUserBody, reply), result), 0);
    EXPECT_EQ(peer.lastRequest(kLoad),
              R"({"user":{"user_id":42},"client":{"serial":"A0000000001","game_id":"ABCD",)"
              R"("game_ver":"1.05","location_id":513,"create_time":"20311109080706"},)"
              R"("control":{"start_game":1}})");
    EXPECT_NE(reply.find(R"("seq_id":"seq-1")"), std::string::npos);
}

TEST_F(GsMainTest, WithoutSessionValuesSaveSendsAnEmptyTokenAndHeartbeatNothing) {
    GsMain::Result result;
    EXPECT_EQ(save(result), 0);
    EXPECT_EQ(peer.lastRequest(kSave), userBodyWith(R"("token":"")"));
    EXPECT_EQ(heartbeat(result), 0);  // the reply's body is checked and dropped
    EXPECT_EQ(peer.lastRequest(kHeartbeat), userBodyWith(""));
    EXPECT_EQ(peer.lastError(), "");
}

// user/load with start_game gives a seq_id and a token; the save sends the
// seq_id back, and its reply's empty seq_id turns the next save to the token.
TEST_F(GsMainTest, SessionValuesFollowTheRepliesOfTheirSlot) {
    GsMain::Result result;
    std::string reply;
    ASSERT_EQ(load(true, reply, result), 0);

    EXPECT_EQ(heartbeat(result), 0);
    EXPECT_EQ(peer.lastRequest(kHeartbeat), userBodyWith(R"("seq_id":"seq-1")"));
    EXPECT_EQ(heartbeat(result, 3), 0);  // another slot has its own values
    EXPECT_EQ(peer.lastRequest(kHeartbeat), userBodyWith(""));

    EXPECT_EQ(save(result), 0);
    EXPECT_EQ(peer.lastRequest(kSave), userBodyWith(R"("seq_id":"seq-1","end_game":1)"));
    // That reply held "seq_id":"" and the token.
    EXPECT_EQ(save(result), 0);
    EXPECT_EQ(peer.lastRequest(kSave), userBodyWith(R"("token":"token-42")"));
    EXPECT_EQ(heartbeat(result), 0);
    EXPECT_EQ(peer.lastRequest(kHeartbeat), userBodyWith(""));
}

TEST_F(GsMainTest, BusySlotRefusesUntilPolled) {
    ASSERT_EQ(client.requestServerAlive(2), 0);
    EXPECT_EQ(client.requestServerAlive(2), 1);
    EXPECT_EQ(client.requestUserHeartbeat(2, kUserBody), 1);
    std::string reply;
    EXPECT_EQ(client.requestUserLoad(2, false, kUserBody, reply), 1);
    EXPECT_EQ(client.requestServerAlive(3), 0);  // other slots are free

    GsMain::Result result;
    EXPECT_EQ(gstest::waitForSlot(client, 2, result), 0);
    EXPECT_EQ(gstest::waitForSlot(client, 3, result), 0);
    EXPECT_EQ(peer.requestCount(kAlive), 2);
    EXPECT_EQ(peer.requestCount(kHeartbeat), 0);
    EXPECT_EQ(peer.requestCount(kLoad), 0);

    EXPECT_EQ(client.requestServerAlive(2), 0);
    EXPECT_EQ(gstest::waitForSlot(client, 2, result), 0);
    EXPECT_EQ(peer.requestCount(kAlive), 3);
}

TEST_F(GsMainTest, SlotsZeroToFive) {
    gstest::LogCapture capture;
    EXPECT_EQ(client.requestServerAlive(6), -2);
    EXPECT_TRUE(capture.text().ends_with("  ERROR: requestNo(6) is over REQUEST_NUM_MAX(6).\n"))
        << capture.text();
    std::string reply;
    EXPECT_EQ(client.requestUserLoad(6, false, kUserBody, reply), -2);
    EXPECT_EQ(client.requestServerAlive(-1), -2);
    GsMain::Result result;
    EXPECT_EQ(client.getResult(6, result), -2);

    EXPECT_EQ(load(false, reply, result, 5), 0);
    EXPECT_EQ(peer.requestCount(kLoad), 1);
}

TEST_F(GsMainTest, IdleSlotPollsAsDoneWithStatusZero) {
    GsMain::Result result{500, 7};
    EXPECT_EQ(client.getResult(4, result), 0);
    EXPECT_EQ(result.httpStatus, 0);
    EXPECT_EQ(result.appStatus, 0);
}

TEST_F(GsMainTest, HttpErrorStatusPollsAsUnreachable) {
    ASSERT_TRUE(peer.setMode("http-500", 1));
    gstest::LogCapture capture;
    GsMain::Result result;
    EXPECT_EQ(exchange(0, client.requestServerAlive(0), result), -5);
    EXPECT_EQ(result.httpStatus, 500);
    EXPECT_TRUE(capture.text().ends_with("  ERROR: HTTP status is 500.\n")) << capture.text();
    EXPECT_EQ(exchange(0, client.requestServerAlive(0), result), 0);  // the slot is free again
}

TEST_F(GsMainTest, RefusedConnectionPollsAsUnreachable) {
    ASSERT_TRUE(peer.setMode("refuse"));
    GsMain::Result result;
    EXPECT_EQ(exchange(0, client.requestServerAlive(0), result), -5);
    EXPECT_EQ(result.httpStatus, 0);
}

TEST_F(GsMainTest, SilentServerPollsAsTimedOut) {
    GsMain::ConnectionSettings settings;
    settings.timeoutSeconds = 1;
    GsMain quick(settings);
    configure(quick);
    ASSERT_TRUE(peer.setMode("silent"));
    GsMain::Result result;
    ASSERT_EQ(quick.requestServerAlive(0), 0);
    EXPECT_EQ(gstest::waitForSlot(quick, 0, result), -4);
}

TEST_F(GsMainTest, SpoiltRepliesAreUnusableAndLeaveTheReplyText) {
    struct Case {
        const char* mode;
        const char* line;
    };
    const Case cases[] = {
        {"bad-crc", "  ERROR: response data (-8)\n"},
        {"bad-magic0", "  ERROR: response data (-6)\n"},
        {"truncated", "  ERROR: uncompress response data\n"},
        {"garbage", "  ERROR: response data (-6)\n"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(peer.setMode(c.mode, 1));
        gstest::LogCapture capture;
        std::string reply = "before";
        GsMain::Result result;
        EXPECT_EQ(load(true, reply, result), -1) << c.mode;
        EXPECT_EQ(result.httpStatus, 200);
        EXPECT_EQ(reply, "before") << c.mode;
        EXPECT_TRUE(capture.text().ends_with(c.line)) << c.mode << ": " << capture.text();
    }
    // None of them renewed the session values.
    GsMain::Result result;
    EXPECT_EQ(save(result), 0);
    EXPECT_EQ(peer.lastRequest(kSave), userBodyWith(R"("token":"")"));
}

TEST_F(GsMainTest, RepliesWithoutKeptTextAreCheckedToo) {
    ASSERT_TRUE(peer.setMode("bad-crc", 2));
    gstest::LogCapture capture;
    GsMain::Result result;
    EXPECT_EQ(exchange(1, client.requestServerAlive(1), result), -1);
    EXPECT_EQ(heartbeat(result), -1);
    EXPECT_TRUE(capture.text().ends_with("  ERROR: response data (-8)\n")) << capture.text();
}

// An application status is the caller's to judge; the reply has no body, so
// the session values stay.
TEST_F(GsMainTest, ApplicationStatusIsReportedAsDone) {
    GsMain::Result result;
    std::string reply;
    ASSERT_EQ(load(true, reply, result), 0);
    ASSERT_TRUE(peer.setAppStatus(3));
    reply = "before";
    EXPECT_EQ(load(false, reply, result), 0);
    EXPECT_EQ(result.httpStatus, 200);
    EXPECT_EQ(result.appStatus, 3);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(heartbeat(result), 0);
    EXPECT_EQ(peer.lastRequest(kHeartbeat), userBodyWith(R"("seq_id":"seq-1")"));
}

TEST_F(GsMainTest, BodyThatIsNoObjectIsNotSent) {
    gstest::LogCapture capture;
    EXPECT_EQ(client.requestUserSave(0, "[42]"), -1);
    EXPECT_TRUE(capture.text().ends_with("  ERROR: body is not a JSON object\n"))
        << capture.text();
    GsMain::Result result;
    EXPECT_EQ(save(result), 0);  // the slot stayed free
    EXPECT_EQ(peer.requestCount(kSave), 1);
}

}  // namespace
