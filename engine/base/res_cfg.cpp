#include "engine/base/res_cfg.h"

#include <climits>
#include <cstdlib>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Removes every space and tab at both ends, whatever their mix: a hand-edited
// "800 \t// width" must not leave a blank on the value.
std::string trim(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    size_t end = text.size();
    while (end > start && isBlank(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(start, end - start));
}

enum class ParseState { Key, Value, Comment };

}  // namespace

// One character at a time with one of look-ahead. The file is edited by hand,
// so a line break always closes its line: text of a line without "=" is dropped
// rather than glued onto the next key, and "KEY =" with nothing after it
// stores an empty value rather than swallowing the next line.
void MResCfg::parse(std::string_view text) {
    ParseState state = ParseState::Key;
    std::string token;
    std::string key;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool commentStart = c == '#' || (c == '/' && i + 1 < text.size() && text[i + 1] == '/');
        if (state == ParseState::Comment) {
            if (c == '\n') {
                state = ParseState::Key;
            }
        } else if (c == '\r') {
            continue;
        } else if (state == ParseState::Key) {
            if (commentStart || c == '\n') {
                token.clear();
                state = c == '\n' ? ParseState::Key : ParseState::Comment;
            } else if (c == '=') {
                state = token.empty() ? ParseState::Comment : ParseState::Value;
                key = trim(token);
                token.clear();
            } else {
                token += c;
            }
        } else if (commentStart || c == '\n') {
            state = c == '\n' ? ParseState::Key : ParseState::Comment;
            if (!key.empty()) {
                store(key, trim(token));
            }
            token.clear();
        } else {
            token += c;
        }
    }
    if (state == ParseState::Value && !key.empty()) {
        store(key, trim(token));
    }
}

void MResCfg::store(const std::string& key, std::string value) {
    const int index = find(key);
    if (index >= 0) {
        entries_[index].values.push_back(std::move(value));
    } else {
        entries_.push_back({key, {std::move(value)}});
    }
}

int MResCfg::find(std::string_view key) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].key == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const char* MResCfg::getString(std::string_view key) const {
    const int index = find(key);
    return index < 0 ? nullptr : entries_[index].values.front().c_str();
}

int MResCfg::getInt(std::string_view key) const {
    const char* value = getString(key);
    if (value == nullptr) {
        return 0;
    }
    const long number = std::strtol(value, nullptr, 10);
    if (number > INT_MAX) {
        return INT_MAX;
    }
    return number < INT_MIN ? INT_MIN : static_cast<int>(number);
}

float MResCfg::getFloat(std::string_view key) const {
    const char* value = getString(key);
    return value == nullptr ? 0.0f : static_cast<float>(std::strtod(value, nullptr));
}

void MResCfg::merge(const MResCfg& other) {
    for (const Entry& entry : other.entries_) {
        const int index = find(entry.key);
        if (index >= 0) {
            entries_[index].values = entry.values;
        } else {
            entries_.push_back(entry);
        }
    }
}
