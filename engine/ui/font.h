#pragma once
// MFont: what every text the engine draws goes through. A text is laid out
// into glyph runs (layoutText, with optional inline markup), then measured or
// drawn run by run through the glyph operations a concrete font supplies
// (the bitmap font of a PSB file, the system font).
//
// Inline markup, read only while the markup switch is on: "#" followed by
// "{" opens a command of comma-separated fields closed by "}":
// "#{color,RRGGBBAA}" (hexadecimal, "clear" for the font's own colour) and
// "#{scale,1.5}". A "#" never draws; until a "{" follows it, every character
// after it is laid out on its own (no surrogate or joining-mark pairing).
//
// Colour words are 0xRRGGBBAA; a glyph draw turns them into the device's
// 0xAARRGGBB.
//
// Threads: main thread only, as all drawing.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ui/glyph_run.h"

struct MFontSize {
    float width = 0.0f;
    float height = 0.0f;
    bool operator==(const MFontSize&) const = default;
};

struct MFontScale {
    float x = 1.0f;
    float y = 1.0f;
    bool operator==(const MFontScale&) const = default;
};

class MFont {
public:
    MFont() = default;
    virtual ~MFont() = default;
    MFont(const MFont&) = delete;
    MFont& operator=(const MFont&) = delete;

    // The largest glyph size of the font.
    virtual MFontSize getMaxSize() = 0;
    // The scaled size of the first character; (0, 0) without a glyph or
    // for an empty text.
    virtual MFontSize getCharSize(std::u16string_view text) = 0;
    virtual MFontSize getCharSize(char16_t code) = 0;
    // The first character of a UTF-8 text.
    virtual MFontSize getCharSize(const std::string& text);
    virtual bool hasChar(std::u16string_view text) = 0;
    virtual bool hasChar(char16_t code) = 0;
    virtual bool hasChar(const std::string& text);
    virtual void setScale(float) {}
    virtual void setScale(float, float) {}
    virtual float getScale() { return 1.0f; }
    virtual MFontScale getScaleXY() { return {}; }
    // Minification and magnification selectors for sampling glyph textures.
    virtual void setTextureFilter(int32_t, int32_t) {}
    // Draws one run's character with its pen position at (x, y).
    virtual void drawGlyph(float x, float y, const GlyphRun& run) = 0;
    virtual void beginDraw() {}
    virtual void endDraw() {}

    // Replaces the runs by the layout of text; their capacity becomes at
    // least the text's length.
    void layoutText(std::u16string_view text, GlyphRuns& runs) const;
    // Width of the widest line; height of all lines with lineGap between them.
    MFontSize measure(const GlyphRuns& runs, float charGap, float lineGap);
    // Lays out and measures a UTF-8 text.
    MFontSize textSize(const std::string& text, float charGap, float lineGap);
    // Draws laid-out text with its first pen position at (x, y). alpha 255
    // keeps each run's alpha, below scales it by alpha / 255. align 1
    // centres each line in boxWidth, 2 right-aligns it, anything else is left.
    void drawText(const GlyphRuns& runs, uint32_t alpha, uint32_t align, float boxWidth, float x, float y,
                  float charGap, float lineGap);

    uint32_t getColour() const { return colour_; }
    void setColour(uint32_t colour) { colour_ = colour; }
    bool isMarkupEnabled() const { return markup_; }
    void setMarkupEnabled(bool enabled) { markup_ = enabled; }
    // While set, drawText leaves beginDraw and endDraw to its caller.
    bool isDrawingOpen() const { return drawingOpen_; }
    void setDrawingOpen(bool open) { drawingOpen_ = open; }

private:
    uint32_t colour_ = 0;
    bool markup_ = false;
    bool drawingOpen_ = false;
};
