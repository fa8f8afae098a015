#include "engine/base/res_cfg.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "engine/base/text_resources.h"
#include "engine/base/win_res_cfg.h"
#include "engine/base/win_txt_cfg.h"
#include "tests/support/temp_dir.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::vector<std::string>>>;

class TextCfg : public MResCfg {
public:
    bool load() override { return true; }
};

Entries entriesOf(const MResCfg& config) {
    Entries entries;
    for (const MResCfg::Entry& entry : config.entries()) {
        entries.emplace_back(entry.key, entry.values);
    }
    return entries;
}

Entries parsed(std::string_view text) {
    TextCfg config;
    config.parse(text);
    return entriesOf(config);
}

struct ParseCase {
    const char* name;
    std::string_view text;
    Entries expected;
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }
};

class ParseText : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseText, StoresTheEntries) { EXPECT_EQ(parsed(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseText,
    testing::Values(
        ParseCase{"header_and_comment_lines", "#SPEC_TXT\r\n// note\r\nM_SPEC = win\r\n", {{"M_SPEC", {"win"}}}},
        ParseCase{"single_slash_stays_double_ends", "RSC_PATH = windata/\t// was elsewhere\r\n",
                  {{"RSC_PATH", {"windata/"}}}},
        ParseCase{"slash_inside_value", "RSC_PATH = a/b\n", {{"RSC_PATH", {"a/b"}}}},
        ParseCase{"slash_inside_key", "A/B = 1\n", {{"A/B", {"1"}}}},
        ParseCase{"equals_inside_value", "CAPTION = a=b\n", {{"CAPTION", {"a=b"}}}},
        ParseCase{"slash_comment_after_value", "CAPTION = x // note\n", {{"CAPTION", {"x"}}}},
        ParseCase{"hash_comment_after_value", "CAPTION = x # note\n", {{"CAPTION", {"x"}}}},
        ParseCase{"line_starting_with_equals", "= 5\nA = 1\n", {{"A", {"1"}}}},
        ParseCase{"blank_key", "  = 5\nA = 1\n", {{"A", {"1"}}}},
        ParseCase{"repeated_key_keeps_first_in_front", "W = 1\nW = 2\n", {{"W", {"1", "2"}}}},
        ParseCase{"no_final_line_break", "A = 1\nB = 2", {{"A", {"1"}}, {"B", {"2"}}}},
        ParseCase{"crlf_lines", "A = 1\r\nB = 2\r\n", {{"A", {"1"}}, {"B", {"2"}}}},
        ParseCase{"spaces_and_tabs_mixed", "K \t=\t v w \t\n", {{"K", {"v w"}}}},
        ParseCase{"inner_spaces_kept", "CAPTION = HALVIR  ORBANE\n", {{"CAPTION", {"HALVIR  ORBANE"}}}},
        // A hand-edited line without "=" is dropped, not glued onto the next key.
        ParseCase{"line_without_equals", "A\nB = 1\nC = 2\n", {{"B", {"1"}}, {"C", {"2"}}}},
        ParseCase{"blank_line_between", "A = 1\n\nB = 2\n", {{"A", {"1"}}, {"B", {"2"}}}},
        ParseCase{"text_before_hash_comment", "A # note\nB = 1\n", {{"B", {"1"}}}},
        ParseCase{"text_before_slash_comment", "A // note\nB = 1\n", {{"B", {"1"}}}},
        ParseCase{"text_without_equals_at_end", "B = 1\nA", {{"B", {"1"}}}},
        // "KEY =" with nothing after it stores an empty value, not the next line.
        ParseCase{"empty_value", "CAPTION =\nX = 5\n", {{"CAPTION", {""}}, {"X", {"5"}}}},
        ParseCase{"blank_value", "CAPTION = \t\nX = 5\n", {{"CAPTION", {""}}, {"X", {"5"}}}},
        ParseCase{"empty_value_before_comment", "CAPTION = // none\nX = 5\n",
                  {{"CAPTION", {""}}, {"X", {"5"}}}},
        ParseCase{"empty_value_at_end", "CAPTION =", {{"CAPTION", {""}}}},
        ParseCase{"empty_text", "", {}}));

TEST(ResCfg, FindsKeysByExactBytes) {
    TextCfg config;
    config.parse("A = 1\nB = 2\n");
    EXPECT_EQ(config.find("B"), 1);
    EXPECT_EQ(config.find("b"), -1);
    EXPECT_EQ(config.find("B "), -1);
    EXPECT_EQ(config.getString("b"), nullptr);
}

TEST(ResCfg, ReadsNumbersAsAtoiAndAtof) {
    TextCfg config;
    config.parse("I = 12abc\nN = abc\nF = 1.5\nBIG = 99999999999\nNEG = -99999999999\nS =  -7\n");
    EXPECT_EQ(config.getInt("I"), 12);
    EXPECT_EQ(config.getInt("N"), 0);
    EXPECT_EQ(config.getInt("MISSING"), 0);
    EXPECT_EQ(config.getInt("BIG"), INT_MAX);
    EXPECT_EQ(config.getInt("NEG"), INT_MIN);
    EXPECT_EQ(config.getInt("S"), -7);
    EXPECT_EQ(config.getFloat("F"), 1.5f);
    EXPECT_EQ(config.getFloat("MISSING"), 0.0f);
    EXPECT_STREQ(config.getString("I"), "12abc");
}

TEST(ResCfg, MergeReplacesValueListsAndAppendsNewKeys) {
    TextCfg base;
    base.parse("A = 1\nA = 2\nB = x\n");
    TextCfg over;
    over.parse("C = y\nA = 3\n");
    base.merge(over);
    EXPECT_EQ(entriesOf(base), (Entries{{"A", {"3"}}, {"B", {"x"}}, {"C", {"y"}}}));
}

TEST(WinResCfg, LoadsTheBuiltInWindowConfiguration) {
    MWinResCfg config;
    ASSERT_TRUE(config.load(kWindowConfigResourceId));
    EXPECT_EQ(entriesOf(config), (Entries{{"M_SPEC", {"win"}},
                                          {"RSC_PATH", {"windata/"}},
                                          {"CLASSNAME", {"HALVIR ORBANE"}},
                                          {"CAPTION", {"HALVIR ORBANE"}},
                                          {"WINDOW_W", {"1920"}},
                                          {"WINDOW_H", {"1080"}},
                                          {"FULLSCREEN_MODE", {"0"}},
                                          {"POPUP_STYLE", {"1"}}}));
    EXPECT_TRUE(findTextResource(kWindowConfigResourceId).starts_with("#SPEC_TXT\r\n"));
}

TEST(WinResCfg, MissingResourceLeavesTheTable) {
    MWinResCfg config;
    config.parse("A = 1\n");
    EXPECT_FALSE(config.load(999));
    EXPECT_EQ(entriesOf(config), (Entries{{"A", {"1"}}}));
}

TEST(WinTxtCfg, ReadsTheFileUpToItsFirstZeroByte) {
    TempDir dir;
    dir.write("app.txt", std::string_view("A = 1\nB = 2\0C = 3\n", 18));
    MWinTxtCfg config(dir / "app.txt");
    EXPECT_TRUE(config.load());
    EXPECT_EQ(entriesOf(config), (Entries{{"A", {"1"}}, {"B", {"2"}}}));
}

TEST(WinTxtCfg, MissingFileAnswersTrueAndAddsNothing) {
    TempDir dir;
    MWinTxtCfg config(dir / "absent.txt");
    EXPECT_TRUE(config.load());
    EXPECT_TRUE(config.entries().empty());
}

}  // namespace
