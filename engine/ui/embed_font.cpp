#include "engine/ui/embed_font.h"

#include <cmath>

#include "engine/base/text_conv.h"
#include "engine/base/win_app_settings.h"
#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"
#include "platform/font/glyph_rasterizer.h"

namespace {

constexpr float kCellPixels = 28.0f;

int32_t pixelHeightOf(float size) { return int32_t(kCellPixels * size); }

MWinD3DWin* currentWindow() {
    MDisplay* display = MDisplay::getInstance();
    return display ? display->d3dWin() : nullptr;
}

// The code point that starts a UTF-16 text; 0 for an empty one.
char32_t firstCodePoint(std::u16string_view text) {
    if (text.empty()) return 0;
    const char16_t high = text[0];
    if (high >= 0xD800 && high < 0xDC00 && text.size() > 1 && text[1] >= 0xDC00 && text[1] < 0xE000)
        return 0x10000 + ((char32_t(high) - 0xD800) << 10) + (char32_t(text[1]) - 0xDC00);
    return high;
}

}  // namespace

MEmbedFont::MEmbedFont(float size)
    : cache_(platform::GlyphRasterizer::open(platform::findEmbedFontPath(winAppSettings().embedFont),
                                             pixelHeightOf(size)),
             pixelHeightOf(size)) {
    setColour(0xFFFFFFFFu);
    if (MWinD3DWin* window = currentWindow())
        texture_ = window->createDynamicTexture(MEmbedGlyphCache::kTextureSize, MEmbedGlyphCache::kTextureSize,
                                                platform::PixelFormat::A8R8G8B8, false);
}

MEmbedFont::~MEmbedFont() {
    if (MWinD3DWin* window = currentWindow(); window && texture_) window->releaseTexture(texture_);
}

MFontSize MEmbedFont::getMaxSize() {
    const float side = float(cache_.pixelHeight()) * scale_;
    return {side, side};
}

MFontSize MEmbedFont::getCharSize(std::u16string_view text) { return sizeOf(firstCodePoint(text)); }

MFontSize MEmbedFont::getCharSize(char16_t code) { return sizeOf(code); }

MFontSize MEmbedFont::sizeOf(char32_t code) {
    const float height = float(cache_.pixelHeight()) * scale_;
    if (code == U' ') return {float(cache_.pixelHeight()) * 0.5f * scale_, height};
    int32_t width = 0;
    if (const MEmbedGlyphCell* cell = cache_.find(code)) {
        width = cell->width;
    } else if (!cache_.measureWidth(code, width)) {
        return {0.0f, 0.0f};
    }
    return {float(width + 1) * scale_, height};
}

bool MEmbedFont::renderGlyph(char32_t code) {
    MWinD3DWin* window = currentWindow();
    if (!window || !window->device()) return false;
    return cache_.renderGlyph(code, *window->device(), texture_);
}

void MEmbedFont::prepareGlyphs(const std::string& text) {
    const std::u16string wide = utf8ToWide(text);
    for (size_t i = 0; i < wide.size(); ++i) {
        const char32_t code = firstCodePoint(std::u16string_view(wide).substr(i));
        if (code > 0xFFFF) ++i;
        if (!cache_.find(code)) renderGlyph(code);
    }
}

void MEmbedFont::drawGlyph(float x, float y, const GlyphRun& run) {
    const char32_t code = firstCodePoint(run.text);
    if (!cache_.find(code)) renderGlyph(code);
    const MEmbedGlyphCell* cell = cache_.find(code);
    MWinD3DWin* window = currentWindow();
    if (!cell || !window || !texture_) return;
    const float k = scale_ * run.scale;
    const float right = x + float(cell->width) * k;
    const float bottom = y + kCellPixels * k;
    const float w = float(texture_->width), h = float(texture_->height);
    const float u0 = float(cell->x) / w, u1 = float(cell->x + cell->width) / w;
    const float v0 = float(cell->y) / h, v1 = (float(cell->y) + kCellPixels) / h;
    D3DColouredVertex quad[4] = {{x, y, 0.0f, 0xFFFFFFFFu, u0, v0},
                                 {right, y, 0.0f, 0xFFFFFFFFu, u1, v0},
                                 {right, bottom, 0.0f, 0xFFFFFFFFu, u1, v1},
                                 {x, bottom, 0.0f, 0xFFFFFFFFu, u0, v1}};
    window->drawTexturedQuad(quad, texture_, MDrawMode(0), 0.0f, 0, 0xFFFFFFFFu);
}
