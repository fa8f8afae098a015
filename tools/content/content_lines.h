#pragma once
// The lines of a content text file: blank lines and comment lines ("#"
// alone or followed by a space) dropped, trailing blanks and CR cut, each
// kept with its line number for messages.
//
// Threads: plain functions.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace content {

struct ContentLine {
    int number = 0;
    std::string text;
};

std::vector<ContentLine> contentLines(std::string_view text);
// The fields of a line, split at runs of blanks.
std::vector<std::string> splitFields(std::string_view line);
// "file:line: message", for a ContentError.
std::string where(std::string_view file, const ContentLine& line, std::string_view message);
// A whole decimal number (optional "-"); throws ContentError naming the line.
int64_t parseNumber(std::string_view field, std::string_view file, const ContentLine& line);

}  // namespace content
