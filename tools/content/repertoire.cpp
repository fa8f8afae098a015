// Reading the PSB fonts' character list.
#include "tools/content/repertoire.h"

#include <charconv>
#include <set>
#include <string>

#include "engine/base/text_conv.h"
#include "tools/content/content_lines.h"

namespace content {
namespace {

char16_t codePoint(std::string_view field, std::string_view file, const ContentLine& line) {
    uint32_t value = 0;
    const bool prefixed = field.starts_with("U+");
    const char* begin = field.data() + (prefixed ? 2 : 0);
    const char* end = field.data() + field.size();
    const auto result = std::from_chars(begin, end, value, 16);
    if (!prefixed || result.ec != std::errc() || result.ptr != end || begin == end || value > 0xFFFF ||
        (value >= 0xD800 && value <= 0xDFFF)) {
        throw ContentError(where(file, line, "\"" + std::string(field) + "\" is not U+XXXX of the BMP"));
    }
    return char16_t(value);
}

}  // namespace

std::vector<char16_t> parseRepertoire(std::string_view text, std::string_view file) {
    std::set<char16_t> characters;
    for (const ContentLine& line : contentLines(text)) {
        const std::vector<std::string> fields = splitFields(line.text);
        if (fields.size() == 3 && fields[0] == "range") {
            const char16_t first = codePoint(fields[1], file, line), last = codePoint(fields[2], file, line);
            if (last < first) throw ContentError(where(file, line, "the range ends before it starts"));
            for (uint32_t c = first; c <= last; ++c) characters.insert(char16_t(c));
        } else if (fields.size() == 2 && fields[0] == "chars") {
            for (char16_t c : utf8ToWide(fields[1])) {
                if (c >= 0xD800 && c <= 0xDFFF) throw ContentError(where(file, line, "a character beyond the BMP"));
                characters.insert(c);
            }
        } else {
            throw ContentError(where(file, line, "expected \"range U+XXXX U+YYYY\" or \"chars TEXT\""));
        }
    }
    return {characters.begin(), characters.end()};
}

std::vector<char16_t> readRepertoire(const ContentContext& context) {
    return parseRepertoire(context.readContent(kRepertoireFile), kRepertoireFile);
}

}  // namespace content
