#pragma once
// The characters every PSB font holds ("fonts/repertoire.txt"): lines
// "range U+XXXX U+YYYY" (both ends included) and "chars TEXT" (each
// character of the UTF-8 text). Only characters of the Basic Multilingual
// Plane: a font's glyph keys are single UTF-16 code units.
//
// Threads: plain functions.

#include <string_view>
#include <vector>

#include "tools/content/content_context.h"

namespace content {

inline constexpr const char* kRepertoireFile = "fonts/repertoire.txt";

// Sorted, each character once.
std::vector<char16_t> parseRepertoire(std::string_view text, std::string_view file);
std::vector<char16_t> readRepertoire(const ContentContext& context);

}  // namespace content
