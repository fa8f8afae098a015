// Reading and checking the front end's words, and their generated tables.
#include "tools/content/front_words.h"

#include <algorithm>
#include <cstdio>

#include "tools/content/content_lines.h"
#include "tools/content/content_modules.h"
#include "tools/content/front_words_preview.h"
#include "tools/content/repertoire.h"
#include "tools/content/sound_names.h"
#include "tools/content/sprite_layout.h"

namespace content {
namespace {

constexpr const char* kLeaderFile = "words/leader_lines.txt";
constexpr const char* kPartingFile = "words/parting_lines.txt";
constexpr const char* kCreditFile = "words/credit_roll.txt";
constexpr const char* kTextsFile = "words/front_texts.txt";
constexpr const char* kSpritesFile = "sprites/sprites.txt";
constexpr std::array<size_t, kWordTypes> kPilotNameLengths = {2, 3, 4, 4};

struct KeyedLine {
    ContentLine line;
    std::string key, text;
};

std::vector<KeyedLine> keyedLines(const ContentContext& context, const char* file) {
    std::vector<KeyedLine> out;
    for (const ContentLine& line : contentLines(context.readContent(file))) {
        const size_t bar = line.text.find(" | ");
        if (bar == std::string::npos || bar == 0 || line.text.size() == bar + 3) {
            throw ContentError(where(file, line, "expected: KEY | TEXT"));
        }
        out.push_back({line, line.text.substr(0, bar), line.text.substr(bar + 3)});
    }
    return out;
}

// The lines of a voice-keyed file, placed by their voice ids.
template <size_t N>
std::array<std::array<std::string, N>, kWordTypes> placeSpokenLines(
    const ContentContext& context, const char* file, const std::array<std::array<int32_t, N>, kWordTypes>& ids,
    const std::set<char32_t>& kana) {
    std::map<std::string, std::pair<size_t, size_t>> slotOf;
    std::map<int, std::string> names;
    for (const SoundName& s : readSoundNames(context)) names[s.id] = s.name;
    for (size_t t = 0; t < ids.size(); ++t) {
        for (size_t i = 0; i < N; ++i) slotOf[names[ids[t][i]]] = {t, i};
    }
    std::array<std::array<std::string, N>, kWordTypes> table;
    std::array<std::array<bool, N>, kWordTypes> seen{};
    for (const KeyedLine& k : keyedLines(context, file)) {
        const auto slot = slotOf.find(k.key);
        if (slot == slotOf.end()) throw ContentError(where(file, k.line, "no line of the table has the voice " + k.key));
        auto [t, i] = slot->second;
        if (seen[t][i]) throw ContentError(where(file, k.line, "the voice " + k.key + " has a line already"));
        checkKanaLine(k.text, kana, file, k.line.number);
        seen[t][i] = true;
        table[t][i] = k.text;
    }
    for (size_t t = 0; t < ids.size(); ++t) {
        for (size_t i = 0; i < N; ++i) {
            if (!seen[t][i]) throw ContentError(std::string(file) + ": no line for the voice " + names[ids[t][i]]);
        }
    }
    return table;
}

bool isPrintableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 32 && c <= 126; });
}

CreditRow creditRow(const ContentLine& line) {
    if (line.text == "-") return {};
    const size_t bar = line.text.find(" | ");
    const std::vector<std::string> f = splitFields(line.text.substr(0, bar));
    static const std::map<std::string, int32_t> styles = {
        {"right", kCreditFromRight}, {"left", kCreditFromLeft}, {"centre", kCreditCentre}};
    if (f.size() != 2 && f.size() != 3) throw ContentError(where(kCreditFile, line, "expected: STYLE FONT | TEXT"));
    const auto style = styles.find(f[0]);
    if (style == styles.end()) throw ContentError(where(kCreditFile, line, "the style is right, left or centre"));
    CreditRow row;
    row.style = style->second;
    if (f[1] == "picture" && f.size() == 3 && bar == std::string::npos) {
        row.kind = 1;
        row.picture = int32_t(parseNumber(f[2], kCreditFile, line));
        if (row.picture < 0 || row.picture >= kCreditPictures) {
            throw ContentError(where(kCreditFile, line, "credit-roll pictures are 0 to 2"));
        }
        return row;
    }
    if (bar == std::string::npos || f.size() != 2 || (f[1] != "2" && f[1] != "3")) {
        throw ContentError(where(kCreditFile, line, "expected: STYLE 2|3 | TEXT or STYLE picture N"));
    }
    row.font = f[1] == "2" ? 0 : 1;
    row.text = line.text.substr(bar + 3);
    if (!isPrintableAscii(row.text)) {
        throw ContentError(where(kCreditFile, line, "the sprite fonts hold printable ASCII only"));
    }
    if (row.text.size() > kCreditTextMax) {
        throw ContentError(where(kCreditFile, line, "a row holds at most 24 characters"));
    }
    return row;
}

std::array<std::array<CreditRow, kCreditRows>, kCreditPages> readCredits(const ContentContext& context) {
    std::array<std::array<CreditRow, kCreditRows>, kCreditPages> pages{};
    int32_t page = -1, row = 0;
    for (const ContentLine& line : contentLines(context.readContent(kCreditFile))) {
        const std::vector<std::string> f = splitFields(line.text);
        if (f.size() == 2 && f[0] == "page") {
            if (parseNumber(f[1], kCreditFile, line) != page + 1 || page + 1 >= kCreditPages) {
                throw ContentError(where(kCreditFile, line, "pages run 0 to 15 in order"));
            }
            ++page;
            row = 0;
            continue;
        }
        if (page < 0) throw ContentError(where(kCreditFile, line, "a row before the first page"));
        if (row >= kCreditRowsShown) throw ContentError(where(kCreditFile, line, "a page shows 12 rows"));
        pages[size_t(page)][size_t(row++)] = creditRow(line);
    }
    if (page != kCreditPages - 1) throw ContentError(std::string(kCreditFile) + ": needs pages 0 to 15");
    return pages;
}

void checkPsbText(const std::string& text, const std::vector<char16_t>& repertoire, const ContentLine& line) {
    for (char32_t c : decodeWords(text, where(kTextsFile, line, "bad UTF-8"))) {
        if (c > 0xFFFF || !std::binary_search(repertoire.begin(), repertoire.end(), char16_t(c))) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", unsigned(c));
            throw ContentError(where(kTextsFile, line, std::string("the PSB fonts have no ") + code +
                                                           " (add it to fonts/repertoire.txt)"));
        }
    }
}

void checkPilotName(const KeyedLine& k, size_t length) {
    const std::u32string name = decodeWords(k.text, where(kTextsFile, k.line, "bad UTF-8"));
    const bool katakana =
        std::all_of(name.begin(), name.end(), [](char32_t c) { return (c >= 0x30A1 && c <= 0x30F6) || c == 0x30FC; });
    if (!katakana || name.size() != length) {
        throw ContentError(where(kTextsFile, k.line, "the name is " + std::to_string(length) + " katakana"));
    }
}

void readTexts(const ContentContext& context, FrontWords& words) {
    const std::vector<char16_t> repertoire = readRepertoire(context);
    std::array<bool, kWordTypes> named{};
    for (const KeyedLine& k : keyedLines(context, kTextsFile)) {
        if (k.key.size() == 7 && k.key.starts_with("pilot_") && k.key[6] >= 'a' && k.key[6] <= 'd') {
            const size_t type = size_t(k.key[6] - 'a');
            checkPilotName(k, kPilotNameLengths[type]);
            words.pilots[type] = k.text;
            named[type] = true;
        } else if (k.key == "notice") {
            checkPsbText(k.text, repertoire, k.line);
            words.notice = k.text;
        } else if (k.key == "login") {
            checkPsbText(k.text, repertoire, k.line);
            words.login.push_back(k.text);
        } else {
            throw ContentError(where(kTextsFile, k.line, "keys are pilot_a..pilot_d, notice and login"));
        }
    }
    if (!std::all_of(named.begin(), named.end(), [](bool b) { return b; }) || words.notice.empty()) {
        throw ContentError(std::string(kTextsFile) + ": needs pilot_a..pilot_d and the notice");
    }
}

// A C string literal; every byte outside plain ASCII as an octal escape, so
// no following character joins the escape.
std::string literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c < 32 || c > 126 || c == '"' || c == '\\' || c == '?') {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\%03o", unsigned(c));
            out += esc;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

template <size_t N>
std::string lineTable(const char* declaration, const std::array<std::array<std::string, N>, kWordTypes>& table) {
    std::string out = std::string(declaration) + " = {\n";
    for (const auto& type : table) {
        out += "    {\n";
        for (const std::string& line : type) out += "        " + literal(line) + ",\n";
        out += "    },\n";
    }
    return out + "};\n\n";
}

}  // namespace

std::array<std::array<int32_t, kLeaderLinesUsed>, kWordTypes> leaderLineVoiceIds() {
    std::array<std::array<int32_t, kLeaderLinesUsed>, kWordTypes> ids{};
    constexpr std::array<int32_t, kWordTypes> kFirst = {311, 466, 622, 775};
    for (size_t t = 0; t < ids.size(); ++t) {
        for (int32_t i = 0; i < kLeaderLinesUsed; ++i) {
            // Type B's voice 482 is the first half of a line cut in two.
            ids[t][size_t(i)] = kFirst[t] + i + (t == 1 && i >= 16 ? 1 : 0);
        }
    }
    return ids;
}

std::array<std::array<int32_t, kPartingLines>, kWordTypes> partingLineVoiceIds() {
    return {{{284, 285, 286, 287, 288, 279, 280, 281, 282, 283},
             {438, 439, 440, 441, 442, 433, 434, 435, 436, 437},
             {595, 596, 597, 598, 599, 589, 590, 592, 593, 594},
             {748, 749, 750, 751, 752, 743, 744, 745, 746, 747}}};
}

std::u32string decodeWords(std::string_view text, const std::string& what) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size()) throw ContentError(what);
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) throw ContentError(what);
            c = (c << 6) | (next & 0x3F);
        }
        out += c;
        i += length;
    }
    return out;
}

std::set<char32_t> kanaRepertoire(const ContentContext& context) {
    std::set<char32_t> kana = {kKanaBreak};
    for (const KanaSpec& k : readSpriteContent(context.readContent(kSpritesFile), kSpritesFile).kana) {
        for (int32_t i = 0; i < k.count; ++i) kana.insert(k.code + char32_t(i));
    }
    return kana;
}

void checkKanaLine(const std::string& text, const std::set<char32_t>& kana, std::string_view file, int line) {
    const ContentLine at{line, text};
    const std::u32string codes = decodeWords(text, where(file, at, "bad UTF-8"));
    size_t rows = 1, width = 0;
    for (char32_t c : codes) {
        if (!kana.contains(c)) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", unsigned(c));
            throw ContentError(where(file, at, std::string("the kana font has no ") + code +
                                                   " (kana, full-width digits and capitals, 、。・？！ー．，＆)"));
        }
        if (c == kKanaBreak) {
            ++rows;
            width = 0;
        } else if (++width > kKanaRowMax) {
            throw ContentError(where(file, at, "a row holds at most 17 characters (break it with ￥)"));
        }
    }
    if (rows > kKanaRowsMax) throw ContentError(where(file, at, "a line has at most two rows"));
    if (codes.empty() || text.size() >= kSceneLineBytes) throw ContentError(where(file, at, "1 to 255 bytes"));
}

std::map<std::string, std::string> readSpokenWords(const ContentContext& context) {
    std::map<std::string, std::string> spoken;
    for (const char* file : {kLeaderFile, kPartingFile}) {
        for (const KeyedLine& k : keyedLines(context, file)) spoken[k.key] = k.text;
    }
    return spoken;
}

FrontWords readFrontWords(const ContentContext& context) {
    const std::set<char32_t> kana = kanaRepertoire(context);
    FrontWords words;
    words.leader = placeSpokenLines(context, kLeaderFile, leaderLineVoiceIds(), kana);
    words.parting = placeSpokenLines(context, kPartingFile, partingLineVoiceIds(), kana);
    words.credits = readCredits(context);
    readTexts(context, words);
    return words;
}

std::string frontWordsSource(const FrontWords& words) {
    std::string out =
        "// Generated by the content generator from content/words/.\n"
        "#include \"game/frontend/front_words.h\"\n"
        "#include \"game/records/save_payload.h\"\n\n";
    out += lineTable("const char leaderLineTable[kFrontWordTypes][kLeaderLineSlots][kSceneLineBytes]", words.leader);
    out += lineTable("const char partingLineTable[kFrontWordTypes][kPartingLineCount][kSceneLineBytes]",
                     words.parting);
    out += "const CreditRollRow creditRollTable[kCreditRollPages][kCreditRollRows] = {\n";
    for (const auto& page : words.credits) {
        out += "    {\n";
        for (const CreditRow& r : page) {
            out += "        {" + std::to_string(r.style) + ", " + std::to_string(r.font) + ", " +
                   std::to_string(r.kind) + ", " + std::to_string(r.picture) + ", " + literal(r.text) + "},\n";
        }
        out += "    },\n";
    }
    out += "};\n\nconst char* const rankingPilotNames[4] = {";
    for (const std::string& name : words.pilots) out += literal(name) + ", ";
    out += "};\n\nconst char* const titleNoticeLine = " + literal(words.notice) + ";\n\n";
    out += "const char* const loginScreenTexts[] = {\n";
    for (const std::string& text : words.login) out += "    " + literal(text) + ",\n";
    out += "};\nconst int32_t loginScreenTextCount = " + std::to_string(words.login.size()) + ";\n";
    return out;
}

void makeFrontWords(ContentContext& context) {
    const FrontWords words = readFrontWords(context);
    context.writeGenerated("front_words_tables.cpp", frontWordsSource(words));
    writeFrontWordsPreview(context, words);
}

}  // namespace content
