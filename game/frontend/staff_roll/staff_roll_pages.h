#pragma once
// The staff roll's pages: 32 pages of 20 lines held in the program (the
// credits 0..27, two spare pages 28 and 29, the closing pages 100 and 101),
// made by the content generator from content/staff_roll/, with the
// mini-game's hit boxes. The table is constant: the closing page that shows
// the score is a copy of page 100.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/core/collision.h"

inline constexpr int32_t kStaffRollLineBytes = 256;
inline constexpr int32_t kStaffRollLines = 20;
inline constexpr int32_t kStaffRollPageCount = 32;
inline constexpr int32_t kStaffRollCreditPages = 28;
inline constexpr int32_t kStaffRollPlayedPage = 100;
inline constexpr int32_t kStaffRollNotPlayedPage = 101;
// The line of the closing page that takes the score.
inline constexpr int32_t kStaffRollScoreLine = 6;

// One line of 280 bytes; an empty line is all zero.
struct StaffRollLine {
    char text[kStaffRollLineBytes];  // UTF-8, zero-terminated; "￥" breaks it
    int32_t target;                  // 1: the letters are targets, 0: decoration
    int32_t entryKind;               // 0 slide in, 1 delayed fast entry
    int32_t red, green, blue;
    float alpha;
};
static_assert(sizeof(StaffRollLine) == 280, "a page line is 280 bytes");

using StaffRollPage = std::array<StaffRollLine, kStaffRollLines>;

// The generated table: pages 0..29 at their numbers, 100 at 30, 101 at 31.
extern const StaffRollPage kStaffRollPageTable[kStaffRollPageCount];
// The hit boxes of a letter, the character and a partner (generated).
extern const HitBox kStaffRollLetterBox;
extern const HitBox kStaffRollCharacterBox;
extern const HitBox kStaffRollPartnerBox;

// The table the staff roll reads: the generated one, or another of the same
// shape (tests); null goes back to the generated one.
void staffRollPagesUse(const StaffRollPage* table);
// The table's place of a page number, -1 for a number without a page.
int32_t staffRollPageSlot(int32_t page);
// A page of the table in use, or null for a number without a page. Page 100
// reads the closing copy.
const StaffRollPage* staffRollPageLines(int32_t page);
// The closing copy of page 100 taken anew from the table, with the score as
// twelve full-width places ("%12llu": a blank is U+3000) on the score line.
void staffRollClosingPageSet(uint64_t score);
// The score's full-width text (36 bytes and the terminator).
void staffRollScoreText(uint64_t score, char (&text)[40]);
