// The staff-roll pages module: reads, checks, writes the table and the
// scoring summary.
#include "tools/content/staff_roll_pages.h"

#include <cstdio>

#include "game/frontend/play_scenes/kana_font.h"
#include "tools/content/content_lines.h"
#include "tools/content/content_modules.h"

namespace content {
namespace {

constexpr const char* kStaffRollFile = "staff_roll/staff_roll.txt";
constexpr uint32_t kRollBreak = 0xFFE5;
constexpr uint32_t kRollGap = 0x3000;
constexpr int32_t kRollCreditPages = 28;
constexpr int32_t kRollScoreLine = 6;

struct RollReader {
    std::string_view file;
    StaffRollContent pages;
    int32_t slot = -1;
    std::array<int, 32> pageLine{};
};

[[noreturn]] void rollFail(const RollReader& r, const ContentLine& line, const std::string& message) {
    throw ContentError(where(r.file, line, message));
}

int32_t rollNumber(const RollReader& r, const ContentLine& line, const std::string& field, int64_t low,
                   int64_t high, const char* what) {
    const int64_t value = parseNumber(field, r.file, line);
    if (value < low || value > high) {
        rollFail(r, line, std::string(what) + " " + field + " is outside " + std::to_string(low) + ".." +
                              std::to_string(high));
    }
    return int32_t(value);
}

std::string rollCodePointName(uint32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", codePoint);
    return name;
}

// A lead byte and its continuation bytes, nothing cut.
bool rollWellFormed(const std::string& text, int32_t at, const Utf8Step& next) {
    const auto lead = uint8_t(text[size_t(at)]);
    if (next.length == 0 || (lead >= 0x80 && lead < 0xC0) || lead >= 0xF8) return false;
    for (int32_t k = 1; k < next.length; ++k) {
        if ((uint8_t(text[size_t(at + k)]) & 0xC0) != 0x80) return false;
    }
    return true;
}

// Every character drawable, a gap or a break; each row within the screen.
// Returns the number of rows.
int32_t rollCheckText(const RollReader& r, const ContentLine& line, const std::string& text) {
    if (int32_t(text.size()) > kStaffRollTextBytes) {
        rollFail(r, line, "the text has " + std::to_string(text.size()) + " bytes, at most 255");
    }
    int32_t rows = 1;
    int32_t places = 0;
    for (int32_t at = 0; at < int32_t(text.size());) {
        const Utf8Step next = utf8Next(text.c_str(), at, int32_t(text.size()));
        if (!rollWellFormed(text, at, next)) rollFail(r, line, "the text is not UTF-8");
        const std::string character = text.substr(size_t(at), size_t(next.length));
        at += next.length;
        if (next.codePoint == kRollBreak) {
            ++rows;
            places = 0;
            continue;
        }
        if (next.codePoint != kRollGap && kanaFontFrame(next.codePoint) == kKanaNoFrame) {
            rollFail(r, line, "\"" + character + "\" (" + rollCodePointName(next.codePoint) +
                                  ") is not in the kana letter font");
        }
        if (++places > kStaffRollRowPlaces) {
            rollFail(r, line, "a row of more than " + std::to_string(kStaffRollRowPlaces) + " places leaves the screen");
        }
    }
    return rows;
}

void rollReadBox(RollReader& r, const ContentLine& line, const std::vector<std::string>& fields) {
    if (fields.size() != 6) rollFail(r, line, "box takes a name and x, y, half width, half height");
    StaffRollBox* box = fields[1] == "letter"      ? &r.pages.letter
                        : fields[1] == "character" ? &r.pages.character
                        : fields[1] == "partner"   ? &r.pages.partner
                                                   : nullptr;
    if (box == nullptr) rollFail(r, line, "no box \"" + fields[1] + "\" (letter, character, partner)");
    if (box->given) rollFail(r, line, "the " + fields[1] + " box is given twice");
    box->given = true;
    box->x = float(rollNumber(r, line, fields[2], -64, 64, "x"));
    box->y = float(rollNumber(r, line, fields[3], -64, 64, "y"));
    box->halfWidth = float(rollNumber(r, line, fields[4], 1, 64, "half width"));
    box->halfHeight = float(rollNumber(r, line, fields[5], 1, 64, "half height"));
}

void rollReadPage(RollReader& r, const ContentLine& line, const std::vector<std::string>& fields) {
    if (fields.size() != 2) rollFail(r, line, "page takes its number");
    const int32_t page = int32_t(parseNumber(fields[1], r.file, line));
    r.slot = staffRollContentSlot(page);
    if (r.slot < 0) rollFail(r, line, "no page " + fields[1] + " (0..27, 100, 101)");
    if (page >= kRollCreditPages && page < 100) rollFail(r, line, "page " + fields[1] + " is never shown");
    if (r.pageLine[size_t(r.slot)] != 0) {
        rollFail(r, line, "page " + fields[1] + " is given twice (first on line " +
                              std::to_string(r.pageLine[size_t(r.slot)]) + ")");
    }
    r.pageLine[size_t(r.slot)] = line.number;
}

void rollReadLine(RollReader& r, const ContentLine& line, const std::vector<std::string>& fields) {
    if (r.slot < 0) rollFail(r, line, "a line before any page");
    if (fields.size() != 8) rollFail(r, line, "line takes its index, target|deco, slide|fast, red, green, blue, text");
    const int32_t index = rollNumber(r, line, fields[1], 0, kStaffRollPageLines - 1, "line");
    StaffRollLineContent& out = r.pages.pages[size_t(r.slot)][size_t(index)];
    if (out.used) rollFail(r, line, "line " + fields[1] + " of this page is given twice");
    if (fields[2] != "target" && fields[2] != "deco") rollFail(r, line, "\"" + fields[2] + "\": target or deco");
    if (fields[3] != "slide" && fields[3] != "fast") rollFail(r, line, "\"" + fields[3] + "\": slide or fast");
    out.used = true;
    out.target = fields[2] == "target" ? 1 : 0;
    out.entryKind = fields[3] == "fast" ? 1 : 0;
    out.red = rollNumber(r, line, fields[4], 0, 255, "red");
    out.green = rollNumber(r, line, fields[5], 0, 255, "green");
    out.blue = rollNumber(r, line, fields[6], 0, 255, "blue");
    out.text = fields[7];
    const int32_t rows = rollCheckText(r, line, out.text);
    // A row break draws 12 pixels lower, over the next line's place.
    for (int32_t k = 1; k < rows; ++k) {
        const int32_t below = index + k;
        if (below >= kStaffRollPageLines) rollFail(r, line, "the line's rows run past the page's last line");
        if (r.pages.pages[size_t(r.slot)][size_t(below)].used) {
            rollFail(r, line, "the line's row " + std::to_string(k + 1) + " falls on line " + std::to_string(below));
        }
    }
    for (int32_t above = 0; above < index; ++above) {
        const StaffRollLineContent& earlier = r.pages.pages[size_t(r.slot)][size_t(above)];
        if (!earlier.used) continue;
        int32_t earlierRows = 1;
        for (size_t at = earlier.text.find("\xEF\xBF\xA5"); at != std::string::npos;
             at = earlier.text.find("\xEF\xBF\xA5", at + 3)) {
            ++earlierRows;
        }
        if (above + earlierRows > index) {
            rollFail(r, line, "line " + fields[1] + " lies under the rows of line " + std::to_string(above));
        }
    }
}

void rollCheckWhole(const RollReader& r) {
    auto fail = [&](const std::string& message) { throw ContentError(std::string(r.file) + ": " + message); };
    for (int32_t page : {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                         15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 100, 101}) {
        if (r.pageLine[size_t(staffRollContentSlot(page))] == 0) fail("page " + std::to_string(page) + " is missing");
    }
    if (!r.pages.pages[size_t(staffRollContentSlot(100))][kRollScoreLine].used) {
        fail("page 100 needs line 6, the place of the score");
    }
    if (!r.pages.letter.given || !r.pages.character.given || !r.pages.partner.given) {
        fail("the letter, character and partner boxes are all needed");
    }
}

std::string rollEscaped(const std::string& text) {
    std::string out;
    char byte[8];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "\\x%02X", c);
        out += byte;
    }
    return out;
}

std::string rollBoxSource(const char* name, const StaffRollBox& box) {
    char line[160];
    std::snprintf(line, sizeof line, "const HitBox %s = {%.1ff, %.1ff, %.1ff, %.1ff};\n", name, double(box.x),
                  double(box.y), double(box.halfWidth), double(box.halfHeight));
    return line;
}

int32_t rollPageNumber(size_t slot) { return slot < 30 ? int32_t(slot) : slot == 30 ? 100 : 101; }

// The letters of a line: every character the font holds.
int32_t rollLetters(const std::string& text) {
    int32_t letters = 0;
    for (int32_t at = 0;;) {
        const Utf8Step next = utf8Next(text.c_str(), at, int32_t(text.size()));
        if (next.length == 0) return letters;
        at += next.length;
        if (kanaFontFrame(next.codePoint) != kKanaNoFrame) ++letters;
    }
}

}  // namespace

void makeStaffRollPages(ContentContext& context) {
    const StaffRollContent pages = readStaffRollContent(context.readContent(kStaffRollFile), kStaffRollFile);
    context.writeGenerated("staff_roll_pages.cpp", staffRollPagesSource(pages));
    const std::string summary = staffRollScoringSummary(pages);
    context.writePreview("staff_roll/scoring.txt", std::vector<uint8_t>(summary.begin(), summary.end()));
}

int32_t staffRollContentSlot(int32_t page) {
    if (page == 100) return 30;
    if (page == 101) return 31;
    return page >= 0 && page < 30 ? page : -1;
}

StaffRollContent readStaffRollContent(std::string_view text, std::string_view file) {
    RollReader r;
    r.file = file;
    for (const ContentLine& line : contentLines(text)) {
        const std::vector<std::string> fields = splitFields(line.text);
        if (fields[0] == "box") {
            rollReadBox(r, line, fields);
        } else if (fields[0] == "page") {
            rollReadPage(r, line, fields);
        } else if (fields[0] == "line") {
            rollReadLine(r, line, fields);
        } else {
            rollFail(r, line, "\"" + fields[0] + "\": box, page or line");
        }
    }
    rollCheckWhole(r);
    return r.pages;
}

std::string staffRollPagesSource(const StaffRollContent& pages) {
    std::string out =
        "// Generated by the content generator from content/staff_roll/staff_roll.txt: do not edit.\n"
        "#include \"game/frontend/staff_roll/staff_roll_pages.h\"\n\n"
        "const StaffRollPage kStaffRollPageTable[kStaffRollPageCount] = {\n";
    for (size_t slot = 0; slot < pages.pages.size(); ++slot) {
        out += "    // page " + std::to_string(rollPageNumber(slot)) + "\n    StaffRollPage{{\n";
        for (const StaffRollLineContent& line : pages.pages[slot]) {
            if (!line.used) {
                out += "        {},\n";
                continue;
            }
            out += "        {\"" + rollEscaped(line.text) + "\", " + std::to_string(line.target) + ", " +
                   std::to_string(line.entryKind) + ", " + std::to_string(line.red) + ", " +
                   std::to_string(line.green) + ", " + std::to_string(line.blue) + ", 1.0f},\n";
        }
        out += "    }},\n";
    }
    out += "};\n\n";
    out += rollBoxSource("kStaffRollLetterBox", pages.letter);
    out += rollBoxSource("kStaffRollCharacterBox", pages.character);
    out += rollBoxSource("kStaffRollPartnerBox", pages.partner);
    return out;
}

std::string staffRollScoringSummary(const StaffRollContent& pages) {
    std::string out =
        "The staff roll's pages as the mini-game scores them, at multiplier 1.\n"
        "A target letter scores its line value x 10 (line 0: 220 .. line 19: 30) and breaks;\n"
        "clearing every target of a page adds its bonus (5000; page 6: 2413), nothing on a page without targets.\n"
        "A decoration letter scores a tenth of its value each time, at most once in 4 frames.\n\n"
        "page  targets  target points  bonus  decoration letters  decoration per hit\n";
    int64_t total = 0;
    for (size_t slot = 0; slot < 28; ++slot) {
        int32_t targets = 0;
        int32_t decorations = 0;
        int64_t targetPoints = 0;
        int64_t decorationPoints = 0;
        for (int32_t i = 0; i < kStaffRollPageLines; ++i) {
            const StaffRollLineContent& line = pages.pages[slot][size_t(i)];
            if (!line.used) continue;
            const int32_t letters = rollLetters(line.text);
            const int64_t value = int64_t(22 - i) * 10;
            if (line.target != 0) {
                targets += letters;
                targetPoints += value * letters;
            } else {
                decorations += letters;
                decorationPoints += value / 10 * letters;
            }
        }
        const int64_t bonus = targets == 0 ? 0 : slot == 6 ? 2413 : 5000;
        total += targetPoints + bonus;
        char row[120];
        std::snprintf(row, sizeof row, "%4zu  %7d  %13lld  %5lld  %18d  %18lld\n", slot, targets,
                      static_cast<long long>(targetPoints), static_cast<long long>(bonus), decorations,
                      static_cast<long long>(decorationPoints));
        out += row;
    }
    out += "\nEvery target and every bonus at multiplier 1: " + std::to_string(total) + "\n";
    return out;
}

}  // namespace content
