// The staff-roll pages as written pass and become the game's table, byte
// for byte what the game library compiled; each rule broken in a copy of
// them stops with its file, line and message.
#include "tools/content/staff_roll_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/frontend/staff_roll/staff_roll_pages.h"
#include "tools/content/content_context.h"

namespace {

using content::ContentError;

constexpr const char* kRollFile = "staff_roll/staff_roll.txt";

std::string rollRead(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string rollContent() { return rollRead(std::filesystem::path(HALVIR_CONTENT_DIR) / kRollFile); }

// The first line of the content starting with `start` replaced by `with`,
// or `with` added at the end when start is empty.
std::string rollEdited(const std::string& start, const std::string& with) {
    std::string text = rollContent();
    if (start.empty()) return text + with + "\n";
    const size_t at = text.find("\n" + start);
    EXPECT_NE(at, std::string::npos) << start;
    const size_t end = text.find('\n', at + 1);
    return text.substr(0, at + 1) + with + text.substr(end);
}

int32_t rollLineOf(const std::string& text, const std::string& line) {
    const size_t at = text.find("\n" + line);
    return 2 + int32_t(std::count(text.begin(), text.begin() + int64_t(at), '\n'));
}

TEST(StaffRollPagesContent, ThePagesAsWrittenAreTheGamesTable) {
    const content::StaffRollContent pages = content::readStaffRollContent(rollContent(), kRollFile);
    ASSERT_EQ(pages.pages.size(), size_t(kStaffRollPageCount));
    EXPECT_EQ(sizeof(StaffRollPage), 5600u);
    EXPECT_EQ(sizeof(kStaffRollPageTable), 32u * 5600u);
    for (int32_t page = 0; page < 30; ++page) {
        SCOPED_TRACE(page);
        bool any = false;
        for (const content::StaffRollLineContent& line : pages.pages[size_t(page)]) any = any || line.used;
        EXPECT_EQ(any, page < 28);  // 28 and 29 are never shown
    }
    EXPECT_TRUE(pages.pages[30][6].used);
    // What the game library compiled is what this content makes.
    for (size_t slot = 0; slot < pages.pages.size(); ++slot) {
        for (size_t i = 0; i < pages.pages[slot].size(); ++i) {
            const content::StaffRollLineContent& want = pages.pages[slot][i];
            const StaffRollLine& have = kStaffRollPageTable[slot][i];
            EXPECT_EQ(std::string(have.text), want.text) << slot << " " << i;
            EXPECT_EQ(have.target, want.target);
            EXPECT_EQ(have.entryKind, want.entryKind);
            EXPECT_EQ(have.red, want.red);
            EXPECT_EQ(have.alpha, want.used ? 1.0f : 0.0f);
        }
    }
    EXPECT_EQ(kStaffRollLetterBox.halfWidth, pages.letter.halfWidth);
    EXPECT_EQ(kStaffRollCharacterBox.halfHeight, pages.character.halfHeight);
    EXPECT_EQ(kStaffRollPartnerBox.y, pages.partner.y);
    EXPECT_EQ(content::staffRollPagesSource(pages), rollRead(std::filesystem::path(HALVIR_GENERATED_DIR) /
                                                             "staff_roll_pages.cpp"));
}

TEST(StaffRollPagesContent, TheSummarySaysWhatEachPageIsWorth) {
    const content::StaffRollContent pages = content::readStaffRollContent(rollContent(), kRollFile);
    const std::string summary = content::staffRollScoringSummary(pages);
    EXPECT_NE(summary.find("   6  "), std::string::npos);
    EXPECT_NE(summary.find("2413"), std::string::npos);
    EXPECT_NE(summary.find("Every target and every bonus at multiplier 1: "), std::string::npos);
}

struct RollRefusal {
    const char* name;
    std::string start;  // the line replaced ("" adds one at the end)
    std::string with;
    std::string message;
};

TEST(StaffRollPagesContent, EachRuleStopsWithFileLineAndMessage) {
    const RollRefusal cases[] = {
        {"a kanji", "line 7 target fast 255 255 255 アサギリ", "line 7 target fast 255 255 255 アサギリ　一",
         "is not in the kana letter font"},
        {"ASCII", "line 7 target fast 255 255 255 アサギリ", "line 7 target fast 255 255 255 アサギリx",
         "\"x\" (U+0078) is not in the kana letter font"},
        {"a wide row", "line 7 target fast 255 255 255 アサギリ",
         "line 7 target fast 255 255 255 アアアアアアアアアアアアアアアアアアア", "leaves the screen"},
        {"a colour", "line 7 target fast 255 255 255 アサギリ", "line 7 target fast 256 255 255 アサギリ",
         "red 256 is outside 0..255"},
        {"a kind", "line 7 target fast 255 255 255 アサギリ", "line 7 shoot fast 255 255 255 アサギリ",
         "target or deco"},
        {"a line twice", "line 10 target fast 255 255 255 ミヅハ", "line 7 target fast 255 255 255 ミヅハ",
         "given twice"},
        {"a break over a line", "line 10 target fast 255 255 255 ミヅハ", "line 6 target fast 255 255 255 ア￥イ",
         "falls on line 7"},
        {"a hidden page", "", "page 28", "never shown"},
        {"an unknown page", "", "page 102", "no page 102"},
        {"a page twice", "page 7", "page 5  ", "given twice"},  // blanks after it: found by the test only
        {"a box", "box letter 0 0 6 6", "box letter 0 0 0 6", "half width 0 is outside 1..64"},
    };
    for (const RollRefusal& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = rollEdited(c.start, c.with);
        const int32_t line = rollLineOf(text, c.with);
        try {
            content::readStaffRollContent(text, kRollFile);
            ADD_FAILURE() << "accepted";
        } catch (const ContentError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind(std::string(kRollFile) + ":" + std::to_string(line) + ": ", 0), 0u) << what;
            EXPECT_NE(what.find(c.message), std::string::npos) << what;
        }
    }
}

TEST(StaffRollPagesContent, WholePageRulesNameTheFile) {
    const RollRefusal cases[] = {
        {"a missing page", "page 14", "# no page 14", "page 14 is missing"},
        {"no score line", "line 6 deco slide 255 255 255 ０", "# no score line", "page 100 needs line 6"},
        {"a missing box", "box partner 0 -2 10 12", "# no partner box", "boxes are all needed"},
    };
    for (const RollRefusal& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = rollEdited(c.start, c.with);
        if (std::string(c.name) == "a missing page") {
            // The page's lines would now belong to page 13: drop them too.
            const size_t at = text.find("# no page 14");
            const size_t end = text.find("\npage 15");
            text = text.substr(0, at) + text.substr(end + 1);
        }
        try {
            content::readStaffRollContent(text, kRollFile);
            ADD_FAILURE() << "accepted";
        } catch (const ContentError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(kRollFile, 0), 0u);
        }
    }
}

}  // namespace
