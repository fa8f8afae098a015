#include "engine/base/text_conv.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

void appendUtf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out += char16_t(code);
        return;
    }
    out += char16_t(0xD800 + (((code - 0x10000) >> 10) & 0x3FF));
    out += char16_t(0xDC00 + (code & 0x3FF));
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// Length of the sequence a lead byte announces and the code bits it carries,
// as the engine's lenient decoder reads them (continuation bytes unchecked).
struct Lead {
    int length;
    char32_t bits;
};

Lead lenientLead(uint8_t b) {
    if (b < 0x80) return {1, b};
    if (b < 0xE0) return {2, char32_t(b & 0x1F)};
    if (b < 0xF0) return {3, char32_t(b & 0x0F)};
    if (b < 0xF8) return {4, char32_t(b & 0x07)};
    if (b < 0xFC) return {5, char32_t(b & 0x03)};
    if (b < 0xFE) return {6, char32_t(b & 0x01)};
    return {1, b};
}

bool isContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// Strict UTF-8 decoding of one sequence at text[i]: a malformed, overlong or
// surrogate sequence yields U+FFFD and consumes one byte.
char32_t strictDecode(const std::string& text, size_t& i) {
    const auto byte = [&](size_t k) { return uint8_t(text[k]); };
    const uint8_t lead = byte(i);
    int length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k < length; ++k) {
        if (!isContinuation(byte(i + k))) {
            ++i;
            return kReplacement;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < minimum || code > kMaxCodePoint || (code >= 0xD800 && code < 0xE000)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return code;
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string encodeUtf8(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            unit = kReplacement;
        }
        appendUtf8(out, unit);
    }
    return out;
}

// Results stop at the first terminator, as the system conversions do.
template <typename S>
S upToTerminator(S text) {
    const auto end = text.find(typename S::value_type(0));
    if (end != S::npos) text.resize(end);
    return text;
}

}  // namespace

std::u16string utf8ToWide(std::string text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const Lead lead = lenientLead(uint8_t(text[i]));
        if (i + lead.length > text.size()) {
            // A sequence cut short by the end of the input.
            appendUtf16(out, kReplacement);
            break;
        }
        char32_t code = lead.bits;
        for (int k = 1; k < lead.length; ++k) code = (code << 6) | (uint8_t(text[i + k]) & 0x3F);
        appendUtf16(out, code > kMaxCodePoint ? kReplacement : code);
        i += lead.length;
    }
    return out;
}

std::string wideToUtf8(std::u16string text) { return upToTerminator(encodeUtf8(text)); }

std::string wideToAnsi(std::u16string text) { return wideToUtf8(std::move(text)); }

std::u16string ansiToWide(std::string text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) appendUtf16(out, strictDecode(text, i));
    return upToTerminator(std::move(out));
}

std::string utf8ToAnsi(std::string text) { return wideToAnsi(utf8ToWide(std::move(text))); }
