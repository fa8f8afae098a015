// The bitmap font of a PSB font file: its source textures and glyph quads.
#include "engine/ui/psb_font.h"

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_object.h"
#include "engine/render/d3d_vertex.h"
#include "engine/render/win_d3d_texture.h"
#include "engine/render/win_d3d_win.h"

namespace {

uint32_t deviceColour(uint32_t rgba) { return rgba >> 8 | rgba << 24; }

}  // namespace

MPSBFont::MPSBFont(const PSBObject& document, float scale)
    : scale_{scale, scale}, glyphs_(document.root().get("code")) {
    const PSBValue root = document.root();
    setColour(0xFFFFFFFF);
    headerMessage_ = checkPSBFontHeader(root, M_SPEC);
    const float maxHeight = root.get("maxHeight").toFloat();
    maxSize_ = {root.get("maxWidth").toFloat() * scale, maxHeight * scale};
    const PSBValue source = root.get("source");
    for (uint32_t i = 0; i < source.getCount(); ++i) {
        auto entry = std::make_unique<Source>();
        entry->image = source.at(i);
        sources_.push_back(std::move(entry));
    }
}

MFontSize MPSBFont::getCharSize(std::u16string_view text) { return getCharSize(text.empty() ? u'\0' : text[0]); }

MFontSize MPSBFont::getCharSize(char16_t code) {
    const auto glyph = glyphs_.find(code);
    if (!glyph) return {};
    return {scale_.x * glyph->width, scale_.y * glyph->height};
}

bool MPSBFont::hasChar(std::u16string_view text) { return hasChar(text.empty() ? u'\0' : text[0]); }

void MPSBFont::setTextureFilter(int32_t minSelector, int32_t magSelector) {
    minFilter_ = minSelector;
    magFilter_ = magSelector;
}

// With the filters of the source's next glyph.
MWinD3DTexture* MPSBFont::loadSource(Source& source) {
    if (!source.tried) {
        source.tried = true;
        loadPSBTexture(source.texture, source.image);
    }
    MWinD3DTexture* texture = source.texture.texture;
    if (!texture || !source.texture.window) return nullptr;
    texture->minFilter = source.minFilter;
    texture->magFilter = source.magFilter;
    return texture;
}

MWinD3DTexture* MPSBFont::bindSource(Source& source) {
    MWinD3DTexture* texture = loadSource(source);
    if (texture) source.texture.window->setTexture(texture);
    return texture;
}

MWinD3DTexture* MPSBFont::sourceTexture(size_t index) {
    return index < sources_.size() ? loadSource(*sources_[index]) : nullptr;
}

void MPSBFont::drawGlyphUncached(float x, float y, const GlyphRun& run) {
    const auto glyph = glyphs_.find(run.text.empty() ? u'\0' : run.text[0]);
    // An id past the source list is a damaged file: the glyph is skipped.
    if (!glyph || glyph->id < 0 || size_t(glyph->id) >= sources_.size()) return;
    Source& source = *sources_[size_t(glyph->id)];
    MWinD3DTexture* texture = bindSource(source);
    if (!texture) return;
    const float s = run.scale;
    const float left = x, right = x + scale_.x * glyph->w * s;
    const float top = y - scale_.y * glyph->a * s, bottom = y + (glyph->h - glyph->a) * scale_.y * s;
    const float w = float(texture->width), h = float(texture->height);
    const float u0 = glyph->x / w, u1 = (glyph->x + glyph->w) / w;
    const float v0 = glyph->y / h, v1 = (glyph->y + glyph->h) / h;
    const uint32_t c = deviceColour(run.colour);
    D3DColouredVertex v[4] = {{left, top, 0, c, u0, v0}, {right, top, 0, c, u1, v0},
                              {right, bottom, 0, c, u1, v1}, {left, bottom, 0, c, u0, v1}};
    source.minFilter = minFilter_;
    source.magFilter = magFilter_;
    source.texture.window->drawTexturedQuad(v, texture, MDrawMode(0), 0.0f, 0, 0);
}
