// The keep-alive against the loopback game server: the first alive request,
// the three attempts, the five-minute spacing, the card user's heartbeat and
// the save on leaving for the platform test. Time is the elapsed microseconds
// handed to each frame; only the loopback transfer itself takes real time.
#include "game/core/server_keep_alive.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/clock/fake_clock.h"
#include "tests/game/core/glue_fixture.h"
#include "tests/gsclient/peer/gs_peer_process.h"

namespace {

const std::string kAlive = "/api/server/alive";
const std::string kHeartbeat = "/api/user/heartbeat";
const std::string kSave = "/api/user/save";

class KeepAliveTest : public GlueFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.started()) << peer.startError();
        GlueFixture::SetUp();
        clock.setLocalTime({2026, 1, 4, 1, 0, 0, 0, 0});
        platform::setClock(&clock);
        settings.gameId = gstest::kGameId;
        settings.serverHost = peer.host();
        settings.network = true;
    }
    void TearDown() override {
        GlueFixture::TearDown();
        platform::setClock(nullptr);
    }

    // Steps frames of no elapsed time until `done` holds; false when the
    // loopback transfer did not end within ten seconds.
    template <class Done>
    bool frameUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            SDL2_wheel_ServerKeepAlive(0);
            std::this_thread::yield();
        }
        return true;
    }

    platform::FakeClock clock;
    // The game's first title key: the one the front takes for another game id.
    gstest::GsPeerProcess peer{abaasTitleKey(false)};
};

struct AliveCase {
    const char* name;
    const char* mode;  // the peer's answer
    int appStatus;
    bool online;
};

TEST_F(KeepAliveTest, FirstFrameSendsAliveAndItsAnswerSetsTheOnlineFlag) {
    const AliveCase cases[] = {
        {"answered", "normal", 0, true},
        {"http error", "http-500", 0, false},
        {"application status", "normal", 3, false},
    };
    for (const AliveCase& c : cases) {
        SCOPED_TRACE(c.name);
        int before = peer.requestCount(kAlive);
        ASSERT_TRUE(peer.setMode(c.mode));
        ASSERT_TRUE(peer.setAppStatus(c.appStatus));
        start();
        SDL2_wheel_ServerKeepAlive(kFrameMicroseconds);
        EXPECT_TRUE(keepAlive.aliveSentOnce);
        EXPECT_TRUE(keepAlive.alivePending);
        // A failure counts one attempt; the two left are polled on the next frames.
        ASSERT_TRUE(frameUntil([] { return keepAlive.aliveAttempts == 3; }));
        EXPECT_FALSE(keepAlive.alivePending);
        EXPECT_EQ(abaasGs->online, c.online);
        EXPECT_EQ(peer.requestCount(kAlive), before + 1);
        EXPECT_EQ(keepAlive.frameResult, KeepAliveWords::kNoResult);
        SDL2_wheel_APMTerminate();
    }
}

TEST_F(KeepAliveTest, AfterTheAttemptsAliveGoesOutEveryFiveMinutes) {
    ASSERT_TRUE(peer.setMode("http-503"));
    start();
    SDL2_wheel_ServerKeepAlive(kFrameMicroseconds);
    ASSERT_TRUE(frameUntil([] { return keepAlive.aliveAttempts == 3; }));
    ASSERT_TRUE(peer.setMode("normal"));
    for (int i = 0; i < 100; ++i) SDL2_wheel_ServerKeepAlive(0);
    EXPECT_FALSE(keepAlive.alivePending);

    SDL2_wheel_ServerKeepAlive(kKeepAlivePeriod - keepAlive.aliveTimer);  // exactly five minutes: not yet
    EXPECT_FALSE(keepAlive.alivePending);
    SDL2_wheel_ServerKeepAlive(1);
    EXPECT_TRUE(keepAlive.alivePending);
    EXPECT_EQ(keepAlive.aliveTimer, 0u);
    ASSERT_TRUE(frameUntil([] { return !keepAlive.alivePending; }));
    EXPECT_TRUE(abaasGs->online);
    EXPECT_EQ(peer.requestCount(kAlive), 2);
}

TEST_F(KeepAliveTest, NetworkComingBackInitialisesAndSendsAtOnce) {
    settings.network = false;
    start();
    SDL2_wheel_ServerKeepAlive(kFrameMicroseconds);
    for (int i = 0; i < 5; ++i) SDL2_wheel_ServerKeepAlive(kFrameMicroseconds);
    EXPECT_EQ(keepAlive.aliveAttempts, 3);
    EXPECT_FALSE(abaasGs->online);
    EXPECT_EQ(peer.requestCount(kAlive), 0);

    cab->network = true;
    SDL2_wheel_ServerKeepAlive(kFrameMicroseconds);
    EXPECT_TRUE(keepAlive.authenticationDone);
    EXPECT_TRUE(abaasGs->titleServerReady);
    ASSERT_TRUE(frameUntil([] { return !keepAlive.alivePending; }));
    EXPECT_TRUE(abaasGs->online);
    EXPECT_EQ(peer.requestCount(kAlive), 1);
}

TEST_F(KeepAliveTest, CardUserHeartbeatEveryFiveMinutes) {
    ASSERT_TRUE(peer.addUser(42, "ACE"));
    start();
    cardProfile.aimeId = 42;
    cardProfile.loginPhase = 2;  // the game started; the login handed over
    SDL2_wheel_ServerKeepAlive(kFrameMicroseconds);
    ASSERT_TRUE(frameUntil([] { return keepAlive.aliveAttempts == 3; }));
    uint32_t heartbeat = keepAlive.heartbeatTimer;
    EXPECT_EQ(heartbeat, kFrameMicroseconds);

    SDL2_wheel_ServerKeepAlive(kKeepAlivePeriod - heartbeat - 1);
    EXPECT_FALSE(keepAlive.alivePending);
    SDL2_wheel_ServerKeepAlive(1);
    EXPECT_TRUE(keepAlive.alivePending);
    EXPECT_EQ(keepAlive.heartbeatTimer, 0u);
    ASSERT_TRUE(frameUntil([] { return !keepAlive.alivePending; }));
    EXPECT_EQ(keepAlive.frameResult, 0);
    EXPECT_EQ(keepAlive.frameHttpStatus, 200);
    EXPECT_EQ(keepAlive.frameResultCode, 0);
    EXPECT_TRUE(abaasGs->online);
    EXPECT_EQ(peer.requestCount(kHeartbeat), 1);
    EXPECT_NE(peer.lastRequest(kHeartbeat).find(R"("user_id":42)"), std::string::npos);
}

TEST_F(KeepAliveTest, NoHeartbeatWithoutACardUser) {
    start();
    cardProfile.aimeId = -1;
    cardProfile.loginPhase = 2;
    SDL2_wheel_ServerKeepAlive(kKeepAlivePeriod);
    EXPECT_EQ(keepAlive.heartbeatTimer, 0u);
    for (int i = 0; i < 5; ++i) SDL2_wheel_ServerKeepAlive(kKeepAlivePeriod);
    EXPECT_EQ(peer.requestCount(kHeartbeat), 0);
}

TEST_F(KeepAliveTest, LeavingForThePlatformTestSavesTheCardUserFirst) {
    ASSERT_TRUE(peer.addUser(42, "ACE"));
    start();
    cardProfile.aimeId = 42;
    cab->heldSwitches = 1;  // the test switch
    frame();
    EXPECT_EQ(leaveToPlatformTest, 1);
    SDL2_wheel_APMTerminate();
    EXPECT_EQ(peer.requestCount(kSave), 1);
    EXPECT_EQ(cab->exitGameCalls, std::vector<int32_t>{1});
}

}  // namespace
