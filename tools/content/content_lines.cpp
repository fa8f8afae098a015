// Lines and fields of content text files.
#include "tools/content/content_lines.h"

#include <charconv>

#include "tools/content/content_context.h"

namespace content {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool isComment(std::string_view line) { return line == "#" || line.starts_with("# "); }

}  // namespace

std::vector<ContentLine> contentLines(std::string_view text) {
    std::vector<ContentLine> lines;
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
        size_t start = 0;
        while (start < line.size() && isBlank(line[start])) ++start;
        if (start == line.size() || isComment(line.substr(start))) continue;
        lines.push_back({number, std::string(line.substr(start))});
    }
    return lines;
}

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) fields.emplace_back(line.substr(start, i - start));
    }
    return fields;
}

std::string where(std::string_view file, const ContentLine& line, std::string_view message) {
    return std::string(file) + ":" + std::to_string(line.number) + ": " + std::string(message);
}

int64_t parseNumber(std::string_view field, std::string_view file, const ContentLine& line) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || field.empty()) {
        throw ContentError(where(file, line, "\"" + std::string(field) + "\" is not a whole number"));
    }
    return value;
}

}  // namespace content
