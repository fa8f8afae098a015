#include "engine/input/win_input_config.h"

#include <gtest/gtest.h>


namespace {

const platform::ProductGuid kPad = platform::ProductGuid::fromUsb(0x0ca3, 0x0024);

TEST(WinInputConfig, SectionIsTheProductGuidInLowerCase) {
    EXPECT_EQ(inputConfigSection(kPad), "00240ca3-0000-0000-0000-504944564944");
    EXPECT_EQ(inputConfigSection(platform::ProductGuid::fromUsb(0xABCD, 0xEF01)),
              "ef01abcd-0000-0000-0000-504944564944");
}

TEST(WinInputConfig, KeysBelow128AssignButtonsInKeyOrder) {
    const platform::IniFile ini = platform::IniFile::parse(
        "[Common]\nVersion=1.00\n"
        "[00240CA3-0000-0000-0000-504944564944]\n"
        "KeyStart=9\nKeyA=3\nKeyB=256\nKeyX=-1\nKeyY=127\nKeyLB=128\nKeyLT=0\nKeyRB=abc\n");
    const std::vector<MInputMapping> mapping = readPadMapping(ini, kPad);
    ASSERT_EQ(mapping.size(), 5u);
    const MInputMapping expected[] = {
        {3, kInputA, 0x1000}, {127, kInputY, 0x8000}, {0, kInputRB, 0x0200},  // "abc" reads 0
        {0, kInputLT, 0},     {9, kInputStart, 0x0010},
    };
    for (size_t i = 0; i < mapping.size(); ++i) {
        EXPECT_EQ(mapping[i].source, expected[i].source) << i;
        EXPECT_EQ(mapping[i].engineBits, expected[i].engineBits) << i;
        EXPECT_EQ(mapping[i].xinputBits, expected[i].xinputBits) << i;
    }
}

TEST(WinInputConfig, APadWithoutItsSectionGetsAnEmptyMap) {
    const platform::IniFile ini = platform::IniFile::parse("[other]\nKeyA=1\n");
    EXPECT_TRUE(readPadMapping(ini, kPad).empty());
}

}  // namespace
