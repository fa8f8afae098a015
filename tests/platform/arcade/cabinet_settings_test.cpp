// The stand-in cabinet's settings file: defaults, good lines, bad lines
// reported by number and skipped, and the XDG places.
#include "platform/arcade/cabinet_settings.h"

#include <gtest/gtest.h>

#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using arcade::CabinetSettings;
using arcade::loadCabinetSettings;
using arcade::parseCabinetSettings;

TEST(CabinetSettings, MissingFileGivesTheDefaults) {
    TempDir dir;
    ScopedEnv env;
    env.set("XDG_DATA_HOME", dir.str());
    arcade::SettingsLoad load = loadCabinetSettings(dir / "none.txt");
    EXPECT_FALSE(load.fileFound);
    EXPECT_TRUE(load.problems.empty());
    const CabinetSettings& s = load.settings;
    EXPECT_EQ(s.keychipId.size(), 11u);
    EXPECT_EQ(s.gameId.size(), 4u);
    EXPECT_TRUE(s.freePlay);
    EXPECT_FALSE(s.network);
    EXPECT_FALSE(s.cardReader);
    EXPECT_EQ(s.appRoot, dir.str() + "/halvir/");
}

TEST(CabinetSettings, GoodLinesSetEveryKey) {
    TempDir dir;
    dir.write("cabinet.txt",
              "# a cabinet at the arcade\n"
              "keychip_id = B12C-345678\n"
              "game_id=ABCD\n"
              "  game_version = 2.07  \n"
              "location_id = 513\n"
              "location_name = Arcade Street\n"
              "server_host = 127.0.0.9\n"
              "network = on\n"
              "card_reader = yes\n"
              "card_server = off\n"
              "free_play = off\n"
              "game_cost = 2\n"
              "card_id = 77\n"
              "card_access_code = 12345678901234567890\n"
              "\n"
              "app_root = " + dir.str() + "/root  # ends without a slash\n");
    arcade::SettingsLoad load = loadCabinetSettings(dir / "cabinet.txt");
    EXPECT_TRUE(load.fileFound);
    EXPECT_TRUE(load.problems.empty()) << load.problems.front();
    const CabinetSettings& s = load.settings;
    EXPECT_EQ(s.keychipId, "B12C-345678");
    EXPECT_EQ(s.gameId, "ABCD");
    EXPECT_EQ(s.versionMajor, 2u);
    EXPECT_EQ(s.versionMinor, 7u);
    EXPECT_EQ(s.locationId, 513);
    EXPECT_EQ(s.locationName, "Arcade Street");
    EXPECT_EQ(s.serverHost, "127.0.0.9");
    EXPECT_TRUE(s.network);
    EXPECT_TRUE(s.cardReader);
    EXPECT_FALSE(s.cardServer);
    EXPECT_FALSE(s.freePlay);
    EXPECT_EQ(s.gameCost, 2);
    EXPECT_EQ(s.cardId, 77);
    EXPECT_EQ(s.cardAccessCode, "12345678901234567890");
    EXPECT_EQ(s.appRoot, dir.str() + "/root/");
}

TEST(CabinetSettings, BadLinesAreReportedByNumberAndSkipped) {
    const std::string text =
        "keychip_id = SHORT\n"         // 1: wrong length
        "game_id = ABCD\n"             // 2: good
        "no equals sign here\n"        // 3
        "colour = blue\n"              // 4: unknown key
        "network = maybe\n"            // 5
        "game_version = 1.100\n"       // 6: minor above 99
        "location_id = 70000\n"        // 7
        "game_cost = 0\n"              // 8
        "location_id = 12\n";          // 9: good
    arcade::SettingsLoad load = parseCabinetSettings(text, "cab.txt");
    ASSERT_EQ(load.problems.size(), 7u);
    const int lines[] = {1, 3, 4, 5, 6, 7, 8};
    for (size_t i = 0; i < load.problems.size(); ++i) {
        EXPECT_EQ(load.problems[i].rfind("cab.txt:" + std::to_string(lines[i]) + ": ", 0), 0u) << load.problems[i];
    }
    EXPECT_NE(load.problems[2].find("'colour'"), std::string::npos);
    CabinetSettings defaults;
    EXPECT_EQ(load.settings.keychipId, defaults.keychipId);
    EXPECT_EQ(load.settings.gameId, "ABCD");
    EXPECT_EQ(load.settings.versionMinor, defaults.versionMinor);
    EXPECT_EQ(load.settings.locationId, 12);
    EXPECT_EQ(load.settings.gameCost, defaults.gameCost);
}

TEST(CabinetSettings, SettingsPathFromTheEnvironmentOrXdgConfig) {
    ScopedEnv env;
    env.set("HALVIR_CABINET_SETTINGS", "/tmp/elsewhere.txt");
    EXPECT_EQ(arcade::defaultSettingsPath(), "/tmp/elsewhere.txt");
    env.set("HALVIR_CABINET_SETTINGS", std::nullopt);
    env.set("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(arcade::defaultSettingsPath(), "/cfg/halvir/cabinet.txt");
    env.set("XDG_CONFIG_HOME", std::nullopt);
    env.set("HOME", "/home/player");
    EXPECT_EQ(arcade::defaultSettingsPath(), "/home/player/.config/halvir/cabinet.txt");
    env.set("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(arcade::defaultAppRoot(), "/home/player/.local/share/halvir/");
}

}  // namespace
