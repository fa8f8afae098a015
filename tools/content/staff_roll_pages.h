#pragma once
// The staff roll's pages and the mini-game's hit boxes
// ("staff_roll/staff_roll.txt"): the credit pages 0..27 and the closing
// pages 100 and 101, each of 20 lines (text in the kana letter font, target
// or decoration, slide or fast entry, colour), and the boxes of a letter,
// the character and a partner. Written as the game's constant table
// generated/staff_roll_pages.cpp; a summary of what each page is worth in
// the mini-game goes to the preview.
//
// Threads: plain functions.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/content/content_context.h"

namespace content {

inline constexpr int32_t kStaffRollPageLines = 20;
inline constexpr int32_t kStaffRollTextBytes = 255;  // the terminator makes 256
// A row wider than this leaves the 224-pixel screen.
inline constexpr int32_t kStaffRollRowPlaces = 18;

struct StaffRollLineContent {
    bool used = false;
    std::string text;
    int32_t target = 0;
    int32_t entryKind = 0;
    int32_t red = 0, green = 0, blue = 0;
};

struct StaffRollBox {
    bool given = false;
    float x = 0, y = 0, halfWidth = 0, halfHeight = 0;
};

struct StaffRollContent {
    // The 32 pages in table order: 0..29, then 100 and 101.
    std::array<std::array<StaffRollLineContent, kStaffRollPageLines>, 32> pages;
    StaffRollBox letter, character, partner;
};

// The table's place of a page number, -1 for a number without a page.
int32_t staffRollContentSlot(int32_t page);

// Throws ContentError naming the file and line: an unknown word, a page or
// line out of range or given twice, a colour out of 0..255, a text too long,
// not UTF-8, with a character the kana letter font lacks, a row wider than
// the screen or a row break over a used line, content on the never-shown
// pages 28 and 29, a credit or closing page missing, page 100 without its
// score line (6), a hit box missing or empty.
StaffRollContent readStaffRollContent(std::string_view text, std::string_view file);
// The generated table's source.
std::string staffRollPagesSource(const StaffRollContent& pages);
// What each page is worth to the mini-game at multiplier 1, for people.
std::string staffRollScoringSummary(const StaffRollContent& pages);

}  // namespace content
