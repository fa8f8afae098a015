// The key=value readers: the line rules, the log lines of each failure, the
// config table's edits and the parameter cache's single read.
#include "game/core/wheel_config.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/game/working_folder.h"

namespace {

class WheelConfigTest : public testing::Test {
protected:
    void load(const std::string& text) {
        folder.dir().write("c.txt", text);
        SDL2_wheel_ConfigLoad("c.txt");
    }
    WorkingFolder folder;
};

TEST_F(WheelConfigTest, LineRulesGiveTheValueTheDefaultOrZero) {
    load("; KEY_C=1\nKEY_A=12abc\nKEY_B=abc\nKEY_C=-\nKEY_D=-7\nBGM_VOLUME=40\nVOLUME=9\nKEY_E\nKEY_F= 5\n"
         "KEY_G=99999999999\nKEY_H=-99999999999\nKEY_I=3");
    struct Case {
        const char* key;
        int32_t expected;
        bool logged;
    };
    const Case cases[] = {
        {"KEY_A", 12, false},          {"KEY_B", 55, false},
        {"KEY_C", 0, true},            {"KEY_D", -7, false},
        {"VOLUME", 40, false},         {"KEY_E", 55, true},
        {"KEY_F", 55, false},          {"KEY_G", 2147483647, false},
        {"KEY_H", -2147483647 - 1, false}, {"KEY_I", 55, true},  // the last line has no line feed
        {"MISSING", 55, true},
    };
    for (const Case& c : cases) {
        folder.clearLog();
        EXPECT_EQ(SDL2_wheel_ConfigGetInt(c.key, 55), c.expected) << c.key;
        const auto log = folder.logLines();
        if (c.logged) {
            EXPECT_EQ(log, std::vector<std::string>{std::string(c.key) + " config read error"}) << c.key;
        } else {
            EXPECT_TRUE(log.empty()) << c.key;
        }
    }
    EXPECT_EQ(SDL2_wheel_ConfigLineCount(), 11);
}

TEST_F(WheelConfigTest, EmptyTableGivesTheDefaultAndLogs) {
    load("");
    EXPECT_EQ(SDL2_wheel_ConfigGetInt("A", 3), 3);
    EXPECT_EQ(folder.logLines(), std::vector<std::string>{"A config read error"});
}

TEST_F(WheelConfigTest, MissingFileKeepsTheTableAndLogsTwoLines) {
    load("A=1\n");
    SDL2_wheel_ConfigLoad("nothing.txt");
    EXPECT_EQ(SDL2_wheel_ConfigGetInt("A", 0), 1);
    EXPECT_EQ(folder.logLines(), (std::vector<std::string>{"SDL2_wheel_FileGetSize Not Find File = nothing.txt",
                                                          "nothing.txt config file read error"}));
}

TEST_F(WheelConfigTest, SetReplacesTheFirstMatchOrAppendsOverTheUncountedTail) {
    load("; A=5\nA=1\nB=2\nPARTIAL");
    EXPECT_TRUE(SDL2_wheel_ConfigSetInt("A", -3));
    EXPECT_FALSE(SDL2_wheel_ConfigSetInt("C", 4));
    EXPECT_EQ(SDL2_wheel_ConfigJoinLines(), "; A=5\nA=-3\nB=2\nC=4\n");
}

TEST_F(WheelConfigTest, LongLinesAreCutAndTheTableStopsAtItsSize) {
    std::string text = "LONG=" + std::string(300, '7') + "\nAFTER=5\n";
    load(text);
    EXPECT_EQ(SDL2_wheel_ConfigLineCount(), 2);
    EXPECT_EQ(SDL2_wheel_ConfigGetInt("AFTER", 0), 5);
    EXPECT_EQ(SDL2_wheel_ConfigJoinLines().find('\n'), 254u);
    EXPECT_EQ(folder.logLines(), std::vector<std::string>{"c.txt : line 1 cut to 255 bytes"});

    folder.clearLog();
    std::string many;
    for (int i = 0; i < kConfigTableLines + 10; ++i) many += "L" + std::to_string(i) + "=1\n";
    load(many);
    EXPECT_EQ(SDL2_wheel_ConfigLineCount(), kConfigTableLines);
    EXPECT_FALSE(SDL2_wheel_ConfigSetInt("NEW", 1));
    EXPECT_EQ(SDL2_wheel_ConfigLineCount(), kConfigTableLines);
    EXPECT_EQ(folder.logLines(), (std::vector<std::string>{"c.txt : more than 4096 lines, the rest is ignored",
                                                          "NEW : the config table is full, the key is not added"}));
}

TEST_F(WheelConfigTest, ParameterLookupsReadEachFileOnce) {
    folder.dir().write("v.txt", "se=64\nvoice=-2\nneg=-\n");
    EXPECT_EQ(SDL2_wheel_ConfigFileGetInt("v.txt", "se", 1), 64);
    folder.dir().write("v.txt", "se=10\n");  // not read again: the cache holds the file
    EXPECT_EQ(SDL2_wheel_ConfigFileGetInt("v.txt", "voice", 1), -2);
    EXPECT_EQ(SDL2_wheel_ConfigFileGetInt("v.txt", "neg", 1), 0);
    EXPECT_EQ(folder.logLines(), std::vector<std::string>{"neg config read error"});

    folder.dir().write("w.txt", "big=9999999999999\n");
    EXPECT_EQ(SDL2_wheel_ConfigFileGetInt("w.txt", "big", 1), 9999999999999);
    EXPECT_EQ(SDL2_wheel_ConfigFileGetInt("v.txt", "se", 1), 10);  // another path replaced the cache

    folder.clearLog();
    EXPECT_EQ(SDL2_wheel_ConfigFileGetInt("none.txt", "k", 7), 7);
    EXPECT_EQ(folder.logLines(), (std::vector<std::string>{"SDL2_wheel_FileGetSize Not Find File = none.txt",
                                                          "file:none.txt param:k config read error"}));
}

}  // namespace
