#include "platform/input/ini_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

TEST(IniFile, ReadsSectionsKeysAndValuesAsTheProfileFunctionsDo) {
    const platform::IniFile ini = platform::IniFile::parse(
        "; pads\r\n"
        "[Common]\r\n"
        "Version = 1.00\r\n"
        "[0005045e-0000-0000-0000-504944564944]\n"
        "  keya=3 \n"
        "KeyB = \"12\"\n"
        "KeyA=9\n"
        "no equals sign\n"
        "[Empty]\n");
    EXPECT_EQ(ini.get("common", "VERSION", "x", 100), "1.00");
    EXPECT_EQ(ini.get("0005045E-0000-0000-0000-504944564944", "KeyA", "256", 100), "3");
    EXPECT_EQ(ini.get("0005045e-0000-0000-0000-504944564944", "KeyB", "256", 100), "12");
    EXPECT_EQ(ini.get("0005045e-0000-0000-0000-504944564944", "KeyX", "256", 100), "256");
    EXPECT_EQ(ini.get("Missing", "KeyA", "256", 100), "256");
    EXPECT_EQ(ini.get("Empty", "KeyA", "256", 100), "256");
}

TEST(IniFile, KeysBeforeAnySectionAreIgnored) {
    const platform::IniFile ini = platform::IniFile::parse("KeyA=1\n[S]\nKeyA=2\n");
    EXPECT_EQ(ini.get("S", "KeyA", "", 100), "2");
    EXPECT_EQ(ini.get("", "KeyA", "none", 100), "none");
}

TEST(IniFile, ValuesAreCutToTheBufferSize) {
    const platform::IniFile ini = platform::IniFile::parse("[S]\nK=" + std::string(150, '7') + "\n");
    EXPECT_EQ(ini.get("S", "K", "", 100), std::string(99, '7'));
    EXPECT_EQ(ini.get("S", "Other", std::string(120, 'd'), 100).size(), 99u);
}

TEST(IniFile, LoadsFromDiskAndAnswersNothingForAMissingFile) {
    const std::string path = testing::TempDir() + "ini_file_test.ini";
    std::ofstream(path) << "[S]\nK=v\n";
    const auto ini = platform::IniFile::load(path);
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(ini->get("S", "K", "", 100), "v");
    std::remove(path.c_str());
    EXPECT_FALSE(platform::IniFile::load(path).has_value());
}

}  // namespace
