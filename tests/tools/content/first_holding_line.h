#pragma once
// Where the game's key=value readers (game/core/wheel_config) find a key:
// the first counted line (ended by a line feed) without ";" that holds the
// key anywhere. The tests check that this is the key's own line.

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The lines ended by a line feed, without it.
inline std::vector<std::string> textLines(const std::string& path) {
    const std::string text = readText(path);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// -1 when no line holds it.
inline int firstHoldingLine(const std::vector<std::string>& lines, const std::string& key) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(';') == std::string::npos && lines[i].find(key) != std::string::npos) return int(i);
    }
    return -1;
}
