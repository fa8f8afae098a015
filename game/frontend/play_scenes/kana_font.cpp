#include "game/frontend/play_scenes/kana_font.h"

namespace {

struct KanaBlock {
    uint32_t first, last;
    int32_t frame;
};

constexpr KanaBlock kKanaBlocks[] = {
    {0xFF21, 0xFF3A, 2241},  // full-width capitals
    {0x30A1, 0x30F3, 2267},  // katakana
    {0xFF10, 0xFF19, 2359},  // full-width digits
    {0x3041, 0x3093, 2369},  // hiragana
};

struct KanaMark {
    uint32_t codePoint;
    int32_t frame;
};

// The punctuation row; its first two places hold the ideographic comma and
// full stop.
constexpr KanaMark kKanaMarks[] = {
    {0x3001, 2350}, {0x3002, 2351}, {0x30FB, 2352}, {0xFF1F, 2353}, {0xFF01, 2354},
    {0x30FC, 2355}, {0xFF0E, 2356}, {0xFF0C, 2357}, {0xFF06, 2358},
};

}  // namespace

int32_t kanaFontFrame(uint32_t codePoint) {
    for (const KanaBlock& block : kKanaBlocks) {
        if (codePoint >= block.first && codePoint <= block.last) return block.frame + int32_t(codePoint - block.first);
    }
    for (const KanaMark& mark : kKanaMarks) {
        if (mark.codePoint == codePoint) return mark.frame;
    }
    return kKanaNoFrame;
}

Utf8Step utf8Next(const char* text, int32_t at, int32_t limit) {
    if (at >= limit) return {0, 0};
    const auto lead = uint8_t(text[at]);
    if (lead == 0) return {0, 0};
    int32_t length = 1;
    uint32_t codePoint = lead;
    if (lead >= 0xF0) {
        length = 4;
        codePoint = lead & 0x07u;
    } else if (lead >= 0xE0) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xC0) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0x80) {
        return {0xFFFD, 1};  // a stray continuation byte: skipped on its own
    }
    if (at + length > limit) return {0, 0};
    for (int32_t k = 1; k < length; ++k) {
        const auto next = uint8_t(text[at + k]);
        if (next == 0) return {0, 0};
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    return {codePoint, length};
}

int32_t kanaLineLayout(const char* text, KanaGlyph* glyphs) {
    constexpr uint32_t kLineBreak = 0xFFE5;
    if (text == nullptr) return 0;
    float x = 16.0f;
    float y = 266.0f;
    int32_t count = 0;
    for (int32_t at = 0;;) {
        const Utf8Step next = utf8Next(text, at, kKanaLineBytes);
        if (next.length == 0) return count;
        at += next.length;
        if (next.codePoint == kLineBreak) {
            x = 16.0f;
            y += 12.0f;
            continue;
        }
        const int32_t frame = kanaFontFrame(next.codePoint);
        if (frame == kKanaNoFrame) continue;
        glyphs[count++] = KanaGlyph{frame, x, y};
        x += 12.0f;
    }
}
