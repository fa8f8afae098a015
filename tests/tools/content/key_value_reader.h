#pragma once
// A tiny reader of the game's key=value texts for these tests, following
// the game's rules: lines holding ";" are skipped, a key matches the first
// line that holds it anywhere, the value follows the first "=" (an optional
// "-", then digits). Only lines ended by a line feed count.
// The game's own settings parser replaces it once the two meet.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

struct KeyValueLines {
    std::vector<std::string> lines;  // without their line feeds
    bool endsWithLineFeed = false;
};

inline KeyValueLines readKeyValueLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    KeyValueLines out;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        out.lines.push_back(text.substr(start, end - start));
    }
    out.endsWithLineFeed = start == text.size();
    return out;
}

// The line a key matches (its index) and its value, or none.
struct KeyValueMatch {
    size_t line = 0;
    int64_t value = 0;
};

inline std::optional<KeyValueMatch> findKey(const KeyValueLines& text, const std::string& key) {
    for (size_t i = 0; i < text.lines.size(); ++i) {
        const std::string& line = text.lines[i];
        if (line.find(';') != std::string::npos || line.find(key) == std::string::npos) continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) return std::nullopt;
        size_t p = equals + 1;
        const bool negative = p < line.size() && line[p] == '-';
        if (negative) ++p;
        if (p >= line.size() || line[p] < '0' || line[p] > '9') return std::nullopt;
        int64_t value = 0;
        for (; p < line.size() && line[p] >= '0' && line[p] <= '9'; ++p) value = value * 10 + (line[p] - '0');
        return KeyValueMatch{i, negative ? -value : value};
    }
    return std::nullopt;
}
