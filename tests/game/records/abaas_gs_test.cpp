// The game-server front against the loopback game server: the identity and
// title server it gives the client, the title key it chooses and when it
// turns the ranking entries off.
#include "game/records/abaas_gs.h"

#include <gtest/gtest.h>

#include <memory>

#include "game/records/save_payload.h"
#include "tests/game/records/gs_front_fixture.h"
#include "tests/gsclient/peer/client_wait.h"
#include "tests/gsclient/peer/gs_peer_process.h"

namespace {

constexpr int kAliveSlot = 1;
constexpr int kUserSlot = 0;

class AbaasGsTest : public GsFrontFixture {
protected:
    // A peer that only understands the title key of `ownGame` and that game id.
    void startPeer(bool ownGame, const std::string& gameId) {
        peer = std::make_unique<gstest::GsPeerProcess>(abaasTitleKey(ownGame), gameId);
        ASSERT_TRUE(peer->started()) << peer->startError();
        settings.gameId = gameId;
        settings.serverHost = peer->host();
        settings.network = true;
        installCabinet();
    }

    // Starts the front; the alive request's poll result.
    int frontAndAlive() {
        if (!AbaasGs::create()->initialize()) return -100;
        if (abaasGs->client.requestServerAlive(kAliveSlot) != 0) return -101;
        am::abaas::GsMain::Result result;
        return gstest::waitForSlot(abaasGs->client, kAliveSlot, result);
    }

    int saveOnePlay(uint32_t userId) {
        UserDataRecord record;
        std::string body;
        rankingToJson(body, userId, record, 1000, 3, 1, 5, 0, 2, 12, 0);
        if (abaasGs->client.requestUserSave(kUserSlot, body) != 0) return -101;
        am::abaas::GsMain::Result result;
        return gstest::waitForSlot(abaasGs->client, kUserSlot, result);
    }

    std::unique_ptr<gstest::GsPeerProcess> peer;
};

TEST_F(AbaasGsTest, ConfiguresTheClientFromTheCabinetsIdentity) {
    settings.keychipId = "A12B3456789";
    settings.locationId = 0x12345;  // only the low 16 bits reach the client
    startPeer(false, "ABCD");
    ASSERT_EQ(frontAndAlive(), 0) << peer->lastError();
    EXPECT_TRUE(abaasGs->titleServerReady);
    EXPECT_TRUE(abaasGs->rankingUploadEnabled());
    const std::string sent = peer->lastRequest("/api/server/alive");
    EXPECT_NE(sent.find(R"("serial":"A12B3456789")"), std::string::npos) << sent;
    EXPECT_NE(sent.find(R"("game_id":"ABCD")"), std::string::npos) << sent;
    EXPECT_NE(sent.find(R"("location_id":9029)"), std::string::npos) << sent;
    EXPECT_NE(sent.find(R"("game_ver":"1.00")"), std::string::npos) << sent;
}

TEST_F(AbaasGsTest, OnlyTheLowByteOfEachVersionWordCounts) {
    const struct {
        uint32_t major, minor;
        const char* sent;
    } cases[] = {{258, 0, R"("game_ver":"2.00")"}, {1, 2, R"("game_ver":"1.02")"}, {99, 355, R"("game_ver":"99.99")"}};
    for (const auto& c : cases) {
        settings.versionMajor = c.major;
        settings.versionMinor = c.minor;
        startPeer(false, "ABCD");
        ASSERT_EQ(frontAndAlive(), 0) << c.major;
        EXPECT_NE(peer->lastRequest("/api/server/alive").find(c.sent), std::string::npos) << c.major;
        AbaasGs::destroy();
    }
}

TEST_F(AbaasGsTest, OwnGameIdTakesTheSecondKeyAndTurnsRankingsOff) {
    startPeer(true, kOwnGameId);
    ASSERT_EQ(frontAndAlive(), 0) << peer->lastError();
    EXPECT_FALSE(abaasGs->rankingUploadEnabled());
    ASSERT_TRUE(peer->addUser(42, "ACE"));
    ASSERT_EQ(saveOnePlay(42), 0) << peer->lastError();
    const std::string stored = peer->user(42);
    EXPECT_NE(stored.find(R"("rankings":[])"), std::string::npos) << stored;
    EXPECT_NE(stored.find(R"("score_exp_b":"0")"), std::string::npos) << stored;
}

TEST_F(AbaasGsTest, AnyOtherGameIdTakesTheFirstKeyAndSendsRankings) {
    for (const char* gameId : {"ABCD", "kvzd"}) {
        startPeer(false, gameId);
        ASSERT_EQ(frontAndAlive(), 0) << gameId << peer->lastError();
        EXPECT_TRUE(abaasGs->rankingUploadEnabled()) << gameId;
        ASSERT_TRUE(peer->addUser(42, "ACE"));
        ASSERT_EQ(saveOnePlay(42), 0) << gameId;
        const std::string stored = peer->user(42);
        EXPECT_NE(stored.find(R"("ranking_id":16)"), std::string::npos) << stored;
        EXPECT_NE(stored.find(R"("ranking_id":108)"), std::string::npos) << stored;
        AbaasGs::destroy();
    }
}

TEST_F(AbaasGsTest, WithoutNetworkOnlyTheIdentityIsConfigured) {
    startPeer(false, "ABCD");
    arcade::cabinet().network = false;
    ASSERT_TRUE(AbaasGs::create()->initialize());
    EXPECT_FALSE(abaasGs->titleServerReady);
    EXPECT_EQ(abaasGs->client.requestServerAlive(kAliveSlot), -3);

    arcade::cabinet().network = true;
    abaasGs->setupTitleServer();
    EXPECT_TRUE(abaasGs->titleServerReady);
    // Once configured it reads the platform no more.
    arcade::cabinet().network = false;
    abaasGs->setupTitleServer();
    EXPECT_TRUE(abaasGs->titleServerReady);
}

TEST_F(AbaasGsTest, RefusedIdentityFailsTheStart) {
    settings.keychipId = "A12B345678";  // ten characters
    startPeer(false, "ABCD");
    EXPECT_FALSE(AbaasGs::create()->initialize());
    EXPECT_FALSE(abaasGs->titleServerReady);
}

TEST_F(AbaasGsTest, RefusedTitleServerIsTriedAgain) {
    settings.versionMajor = 100;  // above the protocol's 99
    startPeer(false, "ABCD");
    ASSERT_TRUE(AbaasGs::create()->initialize());
    EXPECT_FALSE(abaasGs->titleServerReady);
    settings.versionMajor = 1;
    installCabinet();
    abaasGs->setupTitleServer();
    EXPECT_TRUE(abaasGs->titleServerReady);
}

TEST(AbaasGsKeys, TitleKeysAre32BytesAndDiffer) {
    EXPECT_EQ(abaasTitleKey(false).size(), 32u);
    EXPECT_EQ(abaasTitleKey(true).size(), 32u);
    EXPECT_NE(abaasTitleKey(false), abaasTitleKey(true));
}

TEST(AbaasGsText, IdentityTextsOutsideAsciiBecomeEmpty) {
    EXPECT_EQ(abaasWideToNarrow(L"KVZD"), "KVZD");
    EXPECT_EQ(abaasWideToNarrow(L"K\u00C4ZD"), "");
    EXPECT_EQ(abaasWideToNarrow(nullptr), "");
}

}  // namespace
