// The previews of the front end's words.
#include "tools/content/front_words_preview.h"

#include <map>

#include "tools/content/front_text_art.h"
#include "tools/content/png_image.h"
#include "tools/content/sound_names.h"

namespace content {
namespace {

constexpr int32_t kWordsScreenW = 224;
constexpr int32_t kWordsScreenH = 288;
constexpr int32_t kWordsStripH = 30;
constexpr int32_t kWordsGap = 4;
constexpr const char* kWordsKanaFace = "ipag.ttf";
constexpr const char* kWordsKanaPackage = "fonts-ipafont-gothic";
constexpr const char* kWordsCreditFaces[2] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"};
constexpr const char* kWordsCreditPackage = "fonts-dejavu-core";

void fillWordsBox(Cell& cell, int32_t x, int32_t y, int32_t w, int32_t h, Rgba colour) {
    for (int32_t yy = y; yy < y + h; ++yy) {
        for (int32_t xx = x; xx < x + w; ++xx) cell.set(xx, yy, colour);
    }
}

// One kana line as drawKanaLine lays it: x 16, 12 pixels a character, the
// rows 12 apart.
void drawKanaStrip(Cell& cell, FontFace& face, const std::string& text, int32_t top) {
    int32_t x = 16, row = 0;
    for (char32_t c : decodeWords(text, "preview")) {
        if (c == kKanaBreak) {
            x = 16;
            ++row;
            continue;
        }
        drawFrontText(cell, face, std::u32string(1, c), x, top + 11 + 12 * row, {1, 1, 1, 1});
        x += 12;
    }
}

template <size_t N>
std::vector<uint8_t> linesPicture(const std::array<std::array<std::string, N>, kWordTypes>& table) {
    Image image(kWordTypes * (kWordsScreenW + kWordsGap), int32_t(N) * kWordsStripH);
    Cell cell(image, 0, 0, image.width, image.height);
    FontFace face(findFontFile(kWordsKanaFace, kWordsKanaPackage));
    face.setEmPixels(12);
    for (size_t t = 0; t < table.size(); ++t) {
        for (size_t i = 0; i < N; ++i) {
            const int32_t x = int32_t(t) * (kWordsScreenW + kWordsGap), y = int32_t(i) * kWordsStripH;
            fillWordsBox(cell, x, y, kWordsScreenW, kWordsStripH - 2, {0.08f, 0.1f, 0.16f, 1});
            Cell strip(image, x, y, kWordsScreenW, kWordsStripH - 2);
            drawKanaStrip(strip, face, table[t][i], 2);
        }
    }
    return encodePng(image, 6);
}

std::vector<uint8_t> creditPicture(const FrontWords& words) {
    Image image(4 * (kWordsScreenW + kWordsGap), 4 * (kWordsScreenH + kWordsGap));
    Cell all(image, 0, 0, image.width, image.height);
    FontFace regular(findFontFile(kWordsCreditFaces[0], kWordsCreditPackage));
    FontFace bold(findFontFile(kWordsCreditFaces[1], kWordsCreditPackage));
    regular.setEmPixels(11);
    bold.setEmPixels(11);
    for (int32_t p = 0; p < kCreditPages; ++p) {
        const int32_t x0 = (p % 4) * (kWordsScreenW + kWordsGap), y0 = (p / 4) * (kWordsScreenH + kWordsGap);
        fillWordsBox(all, x0, y0, kWordsScreenW, kWordsScreenH, {0.03f, 0.03f, 0.05f, 1});
        Cell page(image, x0, y0, kWordsScreenW, kWordsScreenH);
        for (int32_t r = 0; r < kCreditRowsShown; ++r) {
            const CreditRow& row = words.credits[size_t(p)][size_t(r)];
            const int32_t y = 12 + 24 * r;
            if (row.kind == 1) {
                fillWordsBox(page, 112 - 48, y - 16, 96, 32, {0.3f, 0.5f, 0.7f, 1});
            } else if (!row.text.empty()) {
                FontFace& face = row.font == 0 ? regular : bold;
                drawFrontTextCentred(page, face, decodeWords(row.text, "preview"), 112, y + 4, {1, 1, 1, 1});
            }
        }
    }
    return encodePng(image, 6);
}

template <size_t N>
void listLines(std::string& out, const char* title, const std::array<std::array<std::string, N>, kWordTypes>& table,
               const std::array<std::array<int32_t, N>, kWordTypes>& ids, const std::map<int, std::string>& names) {
    out += std::string(title) + "\n";
    for (size_t t = 0; t < table.size(); ++t) {
        for (size_t i = 0; i < N; ++i) {
            out += "  " + std::string(1, char('A' + t)) + " " + std::to_string(i) + "  " +
                   std::to_string(ids[t][i]) + " " + names.at(ids[t][i]) + "  " + table[t][i] + "\n";
        }
    }
}

}  // namespace

void writeFrontWordsPreview(ContentContext& context, const FrontWords& words) {
    context.writePreview("words/leader_lines.png", linesPicture(words.leader));
    context.writePreview("words/parting_lines.png", linesPicture(words.parting));
    context.writePreview("words/credit_roll.png", creditPicture(words));
    std::map<int, std::string> names;
    for (const SoundName& s : readSoundNames(context)) names[s.id] = s.name;
    std::string out;
    listLines(out, "Leader lines (type, line, voice)", words.leader, leaderLineVoiceIds(), names);
    listLines(out, "Parting lines (type, pick, voice)", words.parting, partingLineVoiceIds(), names);
    out += "Pilot names\n";
    for (const std::string& name : words.pilots) out += "  " + name + "\n";
    out += "Notice\n  " + words.notice + "\nLogin texts\n";
    for (const std::string& text : words.login) out += "  " + text + "\n";
    context.writePreview("words/front_texts.txt", std::vector<uint8_t>(out.begin(), out.end()));
}

}  // namespace content
