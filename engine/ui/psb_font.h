#pragma once
// MPSBFont: the bitmap font of a PSB font file. Its glyphs are rectangles of
// the file's "source" images; each image becomes a texture (loadPSBTexture,
// shared with every other user of the same image) the first time a glyph of
// it is drawn, and is given back when the font goes.
//
// The header check (spec and version) composes a message that is kept, not
// shown; loading goes on after it. A glyph whose "id" names no source image
// measures as its entry says but draws nothing.
//
// Threads: main thread only, as all drawing.

#include <memory>
#include <string>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/render/psb_texture.h"
#include "engine/ui/font.h"
#include "engine/ui/psb_font_glyphs.h"

class PSBObject;

class MPSBFont : public MFont {
public:
    // The document is the caller's and must outlive the font.
    MPSBFont(const PSBObject& document, float scale);

    MFontSize getMaxSize() override { return maxSize_; }
    MFontSize getCharSize(std::u16string_view text) override;
    MFontSize getCharSize(char16_t code) override;
    using MFont::getCharSize;
    bool hasChar(std::u16string_view text) override;
    bool hasChar(char16_t code) override { return glyphs_.find(code).has_value(); }
    using MFont::hasChar;
    void setScale(float scale) override { scale_ = {scale, scale}; }
    void setScale(float x, float y) override { scale_ = {x, y}; }
    float getScale() override { return scale_.x; }
    MFontScale getScaleXY() override { return scale_; }
    void setTextureFilter(int32_t minSelector, int32_t magSelector) override;
    void drawGlyph(float x, float y, const GlyphRun& run) override { drawGlyphUncached(x, y, run); }
    virtual void drawGlyphUncached(float x, float y, const GlyphRun& run);

    // The header message of the file; empty when its header passed.
    const std::string& headerMessage() const { return headerMessage_; }
    size_t sourceCount() const { return sources_.size(); }
    // The texture of source image index, made now if it is not yet (as the
    // first glyph drawn from it would) and filtered as the next glyph drawn
    // from it will be; null when it can't be made. For draw warm-ups.
    MWinD3DTexture* sourceTexture(size_t index);

private:
    // One "source" image; its texture is made on first use.
    struct Source {
        PSBValue image;
        MPSBTexture texture;
        bool tried = false;
        int32_t minFilter = 0;  // applied from the next glyph drawn from it
        int32_t magFilter = 0;
    };

    MWinD3DTexture* loadSource(Source& source);
    MWinD3DTexture* bindSource(Source& source);

    MFontScale scale_;
    MFontSize maxSize_;
    MPSBFontGlyphs glyphs_;
    std::vector<std::unique_ptr<Source>> sources_;
    int32_t minFilter_ = 0;
    int32_t magFilter_ = 0;
    std::string headerMessage_;
};
