#pragma once
// A font of fixed glyph sizes for layout, measuring and drawing tests: every
// character is 8 x 10 except "W" (12 x 14); "?" and the line feed have no
// glyph. Glyph draws and the begin and end brackets are logged.

#include <string>
#include <vector>

#include "engine/ui/font.h"

class FakeFont : public MFont {
public:
    struct Draw {
        float x, y;
        GlyphRun run;
        bool operator==(const Draw&) const = default;
    };

    using MFont::getCharSize;
    using MFont::hasChar;

    MFontSize getMaxSize() override { return {12.0f, 14.0f}; }
    MFontSize getCharSize(std::u16string_view text) override {
        return getCharSize(text.empty() ? char16_t(0) : text[0]);
    }
    MFontSize getCharSize(char16_t code) override {
        if (!hasChar(code)) return {};
        return code == u'W' ? MFontSize{12.0f, 14.0f} : MFontSize{8.0f, 10.0f};
    }
    bool hasChar(std::u16string_view text) override { return !text.empty() && hasChar(text[0]); }
    bool hasChar(char16_t code) override { return code != 0 && code != u'?' && code != u'\n'; }
    void drawGlyph(float x, float y, const GlyphRun& run) override {
        draws.push_back({x, y, run});
        log += "g";
    }
    void beginDraw() override { log += "["; }
    void endDraw() override { log += "]"; }

    std::vector<Draw> draws;
    std::string log;
};
