// The page table in use, the page numbers' places and the closing copy.
#include "game/frontend/staff_roll/staff_roll_pages.h"

#include <cstdio>
#include <cstring>

namespace {

const StaffRollPage* staffRollPagesInUse = kStaffRollPageTable;
StaffRollPage staffRollClosingCopy{};

}  // namespace

void staffRollPagesUse(const StaffRollPage* table) {
    staffRollPagesInUse = table != nullptr ? table : kStaffRollPageTable;
    staffRollClosingCopy = staffRollPagesInUse[staffRollPageSlot(kStaffRollPlayedPage)];
}

int32_t staffRollPageSlot(int32_t page) {
    switch (page) {
    case kStaffRollPlayedPage: return 30;
    case kStaffRollNotPlayedPage: return 31;
    default: return page >= 0 && page < 30 ? page : -1;
    }
}

const StaffRollPage* staffRollPageLines(int32_t page) {
    if (page == kStaffRollPlayedPage) return &staffRollClosingCopy;
    const int32_t slot = staffRollPageSlot(page);
    return slot < 0 ? nullptr : &staffRollPagesInUse[slot];
}

void staffRollScoreText(uint64_t score, char (&text)[40]) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%12llu", static_cast<unsigned long long>(score));
    size_t at = 0;
    for (size_t k = 0; digits[k] != '\0' && at + 3 < sizeof text; ++k) {
        if (digits[k] == ' ') {
            text[at++] = char(0xE3);  // U+3000
            text[at++] = char(0x80);
            text[at++] = char(0x80);
        } else {
            text[at++] = char(0xEF);  // U+FF10 + digit
            text[at++] = char(0xBC);
            text[at++] = char(0x90 + (digits[k] - '0'));
        }
    }
    text[at] = '\0';
}

void staffRollClosingPageSet(uint64_t score) {
    staffRollClosingCopy = staffRollPagesInUse[staffRollPageSlot(kStaffRollPlayedPage)];
    char text[40];
    staffRollScoreText(score, text);
    StaffRollLine& line = staffRollClosingCopy[kStaffRollScoreLine];
    std::memset(line.text, 0, sizeof line.text);
    std::memcpy(line.text, text, std::strlen(text));
}
