#include "engine/base/text_conv.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    const char* name;
    std::string utf8;
    std::u16string wide;
    friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

class Utf8ToWide : public testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8ToWide, Decodes) { EXPECT_EQ(utf8ToWide(GetParam().utf8), GetParam().wide); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToWide,
    testing::Values(
        DecodeCase{"empty", "", u""},
        DecodeCase{"ascii", "abc", u"abc"},
        DecodeCase{"two_byte", "\xC3\xA9", u"\u00E9"},
        DecodeCase{"three_byte", "\xE3\x81\x82", u"\u3042"},
        DecodeCase{"surrogate_pair", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
        // Continuation bytes are not validated: a stray one leads a 2-byte sequence.
        DecodeCase{"stray_continuation", "\x80\x41", std::u16string(1, char16_t(0x01))},
        DecodeCase{"overlong_slash", "\xC0\xAF", u"/"},
        DecodeCase{"overlong_three_byte", "\xE0\x80\xAF", u"/"},
        DecodeCase{"byte_fe_is_itself", "\xFE", u"\u00FE"},
        DecodeCase{"truncated_two", "a\xC3", u"a\uFFFD"},
        DecodeCase{"truncated_four", "\xF0\x9F\x98", u"\uFFFD"},
        DecodeCase{"truncated_six", "x\xFC\x80", u"x\uFFFD"},
        DecodeCase{"five_byte_out_of_range", "\xF8\x88\x80\x80\x80", u"\uFFFD"},
        DecodeCase{"four_byte_out_of_range", "\xF7\xBF\xBF\xBF", u"\uFFFD"},
        DecodeCase{"highest", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EncodeCase {
    const char* name;
    std::u16string wide;
    std::string utf8;
    friend void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }
};

class WideToUtf8 : public testing::TestWithParam<EncodeCase> {};

TEST_P(WideToUtf8, Encodes) {
    EXPECT_EQ(wideToUtf8(GetParam().wide), GetParam().utf8);
    EXPECT_EQ(wideToAnsi(GetParam().wide), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WideToUtf8,
    testing::Values(EncodeCase{"empty", u"", ""}, EncodeCase{"ascii", u"abc", "abc"},
                    EncodeCase{"kana", u"\u3042\u3044", "\xE3\x81\x82\xE3\x81\x84"},
                    EncodeCase{"pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
                    // Text the code page can't hold comes out as the default character.
                    EncodeCase{"lone_high", u"a\xD800" u"b", "a\xEF\xBF\xBD" "b"},
                    EncodeCase{"lone_low", std::u16string(1, char16_t(0xDC00)), "\xEF\xBF\xBD"},
                    EncodeCase{"stops_at_terminator", std::u16string(u"ab\0cd", 5), "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnsiToWide, DecodesStrictly) {
    EXPECT_EQ(ansiToWide(""), u"");
    EXPECT_EQ(ansiToWide("abc"), u"abc");
    EXPECT_EQ(ansiToWide("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
    EXPECT_EQ(ansiToWide("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(ansiToWide("a\xE3\x81"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(ansiToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
}

TEST(Utf8ToAnsi, RoundTripsThroughWide) {
    EXPECT_EQ(utf8ToAnsi(""), "");
    EXPECT_EQ(utf8ToAnsi("abc \xE3\x81\x82"), "abc \xE3\x81\x82");
    EXPECT_EQ(utf8ToAnsi("a\xC3"), "a\xEF\xBF\xBD");
}

}  // namespace
