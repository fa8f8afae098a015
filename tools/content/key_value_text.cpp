// Writing and reading key=value texts.
#include "tools/content/key_value_text.h"

#include <set>

#include "tools/content/content_lines.h"

namespace content {
namespace {

bool isKeyCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

}  // namespace

std::string formatKeyValueText(const std::vector<KeyValue>& entries, std::string_view file) {
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const KeyValue& entry : entries) {
        for (size_t earlier = 0; earlier < lines.size(); ++earlier) {
            if (lines[earlier].find(entry.key) != std::string::npos) {
                throw ContentError(std::string(file) + ": key " + entry.key + " would be read from line " +
                                   std::to_string(earlier + 1) + " (" + entries[earlier].key +
                                   "): put it before that line");
            }
        }
        lines.push_back(entry.key + "=" + std::to_string(entry.value) + "\n");
    }
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

std::vector<KeyValue> readKeyValueContent(const ContentContext& context, std::string_view file, int64_t minimum) {
    std::vector<KeyValue> entries;
    std::set<std::string> seen;
    for (const ContentLine& line : contentLines(context.readContent(file))) {
        const size_t equals = line.text.find('=');
        const std::string key = line.text.substr(0, equals);
        if (equals == std::string::npos || key.empty()) {
            throw ContentError(where(file, line, "expected KEY=value"));
        }
        for (char c : key) {
            if (!isKeyCharacter(c)) throw ContentError(where(file, line, "a key is capitals, digits and \"_\""));
        }
        const int64_t value = parseNumber(std::string_view(line.text).substr(equals + 1), file, line);
        if (value < minimum) {
            throw ContentError(where(file, line, "the value is below " + std::to_string(minimum)));
        }
        if (!seen.insert(key).second) throw ContentError(where(file, line, "key " + key + " appears twice"));
        entries.push_back({key, value});
    }
    return entries;
}

}  // namespace content
