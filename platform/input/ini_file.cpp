#include "platform/input/ini_file.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace platform {

namespace {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::optional<IniFile> IniFile::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

IniFile IniFile::parse(std::string_view text) {
    IniFile file;
    std::string section;
    bool inSection = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            section = std::string(trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1)));
            inSection = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        file.entries_.push_back({section, std::string(trim(line.substr(0, equals))),
                                 std::string(unquote(trim(line.substr(equals + 1))))});
    }
    return file;
}

std::string IniFile::get(std::string_view section, std::string_view key, std::string_view fallback,
                         size_t maxChars) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return sameName(e.section, section) && sameName(e.key, key);
    });
    const std::string_view value = found == entries_.end() ? fallback : std::string_view(found->value);
    return std::string(value.substr(0, maxChars == 0 ? 0 : maxChars - 1));
}

}  // namespace platform
