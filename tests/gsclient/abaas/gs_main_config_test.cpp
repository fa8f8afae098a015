// The client's configuration checks and its refusals before any traffic.
#include "gsclient/abaas/gs_main.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/gsclient/abaas/client_configs.h"
#include "tests/gsclient/peer/log_capture.h"

namespace {

using am::abaas::GsMain;

constexpr const char* kTitleFunction = "am::abaas::GsMain::ImplGs::setTitleServerConfig: Line";
constexpr const char* kClientFunction = "am::abaas::GsMain::ImplGs::setClientConfig: Line";

struct TitleCase {
    const char* name;
    std::function<void(GsMain::Config&)> change;
    int result;
    const char* message;  // the one line logged, or nullptr
};

TEST(GsMainConfig, TitleServerChecks) {
    const TitleCase cases[] = {
        {"game id of 3", [](GsMain::Config& c) { c.gameId = "ABC"; }, -2,
         "ERROR: gameId(ABC) is invalid.\n"},
        {"game id of 3 before the versions",
         [](GsMain::Config& c) { c.gameId = "ABC"; c.majorVersion = 100; }, -2,
         "ERROR: gameId(ABC) is invalid.\n"},
        {"game id of 4", [](GsMain::Config& c) { c.gameId = "WXYZ"; }, 0, nullptr},
        {"game id of 5", [](GsMain::Config& c) { c.gameId = "ABCDE"; }, -2,
         "ERROR: gameId(ABCDE) is invalid.\n"},
        {"major 99", [](GsMain::Config& c) { c.majorVersion = 99; }, 0, nullptr},
        {"major 100", [](GsMain::Config& c) { c.majorVersion = 100; }, -2,
         "ERROR: majorVersion(100) is invalid.\n"},
        {"minor 99", [](GsMain::Config& c) { c.minorVersion = 99; }, 0, nullptr},
        {"minor 100", [](GsMain::Config& c) { c.minorVersion = 100; }, -2,
         "ERROR: minorVersion(100) is invalid.\n"},
        {"empty URI", [](GsMain::Config& c) { c.serverUri.clear(); }, -2,
         "ERROR: strServerURI is empty.\n"},
        {"key of 31", [](GsMain::Config& c) { c.titleKey.pop_back(); }, -2,
         "ERROR: titleKey's size is not 32Byte.\n"},
        {"key of 32", [](GsMain::Config&) {}, 0, nullptr},
    };
    for (const TitleCase& c : cases) {
        GsMain client;
        client.setLogLevel(1);
        GsMain::Config config = gstest::titleServerConfig("127.0.0.1");
        c.change(config);
        gstest::LogCapture capture;
        EXPECT_EQ(client.setTitleServerConfig(config), c.result) << c.name;
        if (c.message) {
            EXPECT_EQ(capture.text().rfind(kTitleFunction, 0), 0u) << c.name;
            EXPECT_TRUE(capture.text().ends_with(std::string("  ") + c.message))
                << c.name << ": " << capture.text();
        } else {
            EXPECT_EQ(capture.text(), "") << c.name;
        }
    }
}

TEST(GsMainConfig, KeychipIdMustHaveElevenCharacters) {
    const struct {
        const char* keychipId;
        int result;
    } cases[] = {{"A000000001", -2}, {"A0000000001", 0}, {"A00000000001", -2}};
    for (const auto& c : cases) {
        GsMain client;
        client.setLogLevel(1);
        gstest::LogCapture capture;
        EXPECT_EQ(client.setClientConfig({1, c.keychipId}), c.result) << c.keychipId;
        if (c.result == 0) {
            EXPECT_EQ(capture.text(), "");
        } else {
            EXPECT_EQ(capture.text().rfind(kClientFunction, 0), 0u);
            EXPECT_TRUE(capture.text().ends_with("  ERROR: keychipId(" + std::string(c.keychipId) +
                                                 ") is invalid.\n"))
                << capture.text();
        }
    }
}

TEST(GsMainConfig, LevelZeroLogsNothingAndLevelThreeDumpsTheKey) {
    GsMain::Config config = gstest::titleServerConfig("127.0.0.1");
    config.gameId = "ABC";
    {
        GsMain client;
        gstest::LogCapture capture;
        EXPECT_EQ(client.setTitleServerConfig(config), -2);
        EXPECT_EQ(capture.text(), "");
    }
    GsMain client;
    client.setLogLevel(3);
    gstest::LogCapture capture;
    EXPECT_EQ(client.setTitleServerConfig(gstest::titleServerConfig("127.0.0.1")), 0);
    EXPECT_EQ(capture.text(),
              "titleKey\n"
              "# 00000000 10 32 54 76 98 BA DC FE 01 23 45 67 89 AB CD EF \n"
              "# 00000010 F0 E1 D2 C3 B4 A5 96 87 78 69 5A 4B 3C 2D 1E 0F \n");
}

// Every request and every poll is refused until both configurations were
// accepted, whichever came first.
TEST(GsMainConfig, NothingRunsUntilBothConfigurationsAreAccepted) {
    std::string reply;
    GsMain::Result result;
    const auto expectRefused = [&](GsMain& client) {
        EXPECT_EQ(client.requestServerAlive(0), -3);
        EXPECT_EQ(client.requestUserLoad(0, false, "{}", reply), -3);
        EXPECT_EQ(client.requestUserLoadStart(0, "{}", reply), -3);
        EXPECT_EQ(client.requestUserSave(0, "{}"), -3);
        EXPECT_EQ(client.requestUserHeartbeat(0, "{}"), -3);
        EXPECT_EQ(client.requestServerAlive(6), -3);  // before the slot is looked at
        EXPECT_EQ(client.getResult(0, result), -3);
        client.update();
    };
    GsMain client;
    expectRefused(client);
    GsMain::Config refused = gstest::titleServerConfig("127.0.0.1");
    refused.minorVersion = 100;
    ASSERT_EQ(client.setTitleServerConfig(refused), -2);
    ASSERT_EQ(client.setClientConfig(gstest::clientConfig()), 0);
    expectRefused(client);

    GsMain other;
    ASSERT_EQ(other.setTitleServerConfig(gstest::titleServerConfig("127.0.0.1")), 0);
    expectRefused(other);
    ASSERT_EQ(other.setClientConfig(gstest::clientConfig()), 0);
    EXPECT_EQ(other.getResult(0, result), 0);
}

}  // namespace
