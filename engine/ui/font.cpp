// MFont's measuring and drawing of laid-out text, and the UTF-8 forms of its
// glyph questions.
#include "engine/ui/font.h"

#include <algorithm>
#include <cmath>

#include "engine/base/text_conv.h"

namespace {

uint32_t scaledAlpha(uint32_t colour, uint32_t alpha) {
    if (alpha >= 255) return colour;
    return (colour & 0xFFFFFF00) | ((colour & 0xFF) * alpha / 255);
}

}  // namespace

MFontSize MFont::getCharSize(const std::string& text) { return getCharSize(std::u16string_view(utf8ToWide(text))); }

bool MFont::hasChar(const std::string& text) { return hasChar(std::u16string_view(utf8ToWide(text))); }

MFontSize MFont::measure(const GlyphRuns& runs, float charGap, float lineGap) {
    MFontSize size;
    float lineWidth = 0.0f, lineHeight = 0.0f;
    int32_t lineRuns = 0, breaks = 0;
    auto endLine = [&] {
        if (lineRuns > 0) lineWidth += float(lineRuns - 1) * charGap;
        size.width = std::max(size.width, lineWidth);
        size.height += lineHeight;
        lineWidth = lineHeight = 0.0f;
        lineRuns = 0;
    };
    for (const GlyphRun& run : runs) {
        if (run.isLineBreak()) {
            endLine();
            ++breaks;
            continue;
        }
        const MFontSize c = getCharSize(std::u16string_view(run.text));
        lineWidth += c.width * run.scale;
        lineHeight = std::max(lineHeight, c.height * run.scale);
        ++lineRuns;
    }
    endLine();
    size.height += lineGap * float(breaks);
    return size;
}

MFontSize MFont::textSize(const std::string& text, float charGap, float lineGap) {
    GlyphRuns runs;
    layoutText(utf8ToWide(text), runs);
    return measure(runs, charGap, lineGap);
}

void MFont::drawText(const GlyphRuns& runs, uint32_t alpha, uint32_t align, float boxWidth, float x, float y,
                     float charGap, float lineGap) {
    const bool bracket = !drawingOpen_;
    if (bracket) beginDraw();

    // Pass 1: every run's pen position and every line's width.
    struct Pen {
        float x, y;
    };
    std::vector<Pen> pens(runs.size());
    std::vector<float> lineWidths;
    float penX = x, penY = y, lineHeight = 0.0f;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].isLineBreak()) {
            lineWidths.push_back(penX - charGap - x);
            penX = x;
            penY += lineGap + lineHeight;
            lineHeight = 0.0f;
            continue;
        }
        const MFontSize c = getCharSize(std::u16string_view(runs[i].text));
        pens[i] = {penX, penY};
        lineHeight = std::max(lineHeight, c.height * runs[i].scale);
        penX += c.width * runs[i].scale + charGap;
    }
    lineWidths.push_back(penX - charGap - x);

    // Pass 2: the glyphs, each line shifted by its alignment.
    size_t line = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        const GlyphRun& run = runs[i];
        if (run.isLineBreak()) {
            ++line;
            continue;
        }
        float offset = 0.0f;
        if (align == 1) offset = std::trunc((boxWidth - lineWidths[line]) * 0.5f);
        if (align == 2) offset = boxWidth - lineWidths[line];
        const float height = getCharSize(std::u16string_view(run.text)).height * run.scale;
        const float gx = pens[i].x + offset, gy = pens[i].y - std::trunc(height * 0.5f);
        if (alpha == 255) {
            drawGlyph(gx, gy, run);
        } else {
            GlyphRun faded = run;
            faded.colour = scaledAlpha(run.colour, alpha);
            drawGlyph(gx, gy, faded);
        }
    }

    if (bracket) endDraw();
}
