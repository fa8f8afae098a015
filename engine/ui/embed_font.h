#pragma once
// MEmbedFont: the system font, an MFont whose glyphs are rasterised on first
// use from the font the settings' EMBED_FONT names (IPAGothic when it names
// none) into a 512 x 512 texture of its own (MEmbedGlyphCache). Glyphs are
// looked up by Unicode code point. The common dialogs draw their messages and
// button labels with it. Run colour and alpha do not tint its glyphs.
//
// Threads: main thread only, as every font.

#include <memory>

#include "engine/render/win_d3d_texture.h"
#include "engine/ui/embed_glyph_cache.h"
#include "engine/ui/font.h"

class MEmbedFont final : public MFont {
public:
    // size: the cell height in units of 28 pixels; every user passes 1.0.
    explicit MEmbedFont(float size);
    ~MEmbedFont() override;

    MFontSize getMaxSize() override;
    MFontSize getCharSize(std::u16string_view text) override;
    MFontSize getCharSize(char16_t code) override;
    bool hasChar(std::u16string_view) override { return true; }
    bool hasChar(char16_t) override { return true; }
    void setScale(float scale) override { scale_ = scale; }
    float getScale() override { return scale_; }
    void drawGlyph(float x, float y, const GlyphRun& run) override;

    // Rasterises every character of a UTF-8 text not yet in the cache.
    void prepareGlyphs(const std::string& text);

    const MEmbedGlyphCache& cache() const { return cache_; }
    MWinD3DTexture* texture() const { return texture_; }

private:
    MFontSize sizeOf(char32_t code);
    bool renderGlyph(char32_t code);

    float scale_ = 1.0f;
    MWinD3DTexture* texture_ = nullptr;
    MEmbedGlyphCache cache_;
};
