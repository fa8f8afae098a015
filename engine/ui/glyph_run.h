#pragma once
// GlyphRun: one drawn character of a laid-out text, with the colour and scale
// it was laid out with. A laid-out text is a vector of runs that belongs to
// its caller.

#include <cstdint>
#include <string>
#include <vector>

struct GlyphRun {
    // One to three UTF-16 code units: the character, its low surrogate if any
    // and one joining mark if any. Exactly one line feed is a line break.
    std::u16string text;
    uint32_t colour = 0;  // 0xRRGGBBAA
    float scale = 1.0f;

    bool isLineBreak() const { return text.size() == 1 && text[0] == u'\n'; }
    bool operator==(const GlyphRun&) const = default;
};

using GlyphRuns = std::vector<GlyphRun>;
