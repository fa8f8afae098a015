// Lines of text painted into a cell.
#include "tools/content/front_text_art.h"

namespace content {

int32_t frontTextWidth(FontFace& face, const std::u32string& text) {
    int32_t w = 0;
    for (char32_t c : text) w += face.render(c).advance;
    return w;
}

void drawFrontText(Cell& cell, FontFace& face, const std::u32string& text, int32_t penX, int32_t baseline, Rgba ink) {
    for (char32_t c : text) {
        const GreyGlyph g = face.render(c);
        for (int pass = 0; pass < 2; ++pass) {
            const int32_t shift = pass == 0 ? 1 : 0;
            const Rgba colour = pass == 0 ? Rgba{0, 0, 0, 0.7f * ink.a} : ink;
            for (int32_t y = 0; y < g.rows; ++y) {
                for (int32_t x = 0; x < g.width; ++x) {
                    const int32_t px = penX + g.left + x + shift, py = baseline - g.top + y + shift;
                    const uint8_t v = g.coverage[size_t(y) * size_t(g.width) + size_t(x)];
                    if (v == 0 || px < 0 || py < 0 || px >= cell.width() || py >= cell.height()) continue;
                    cell.blend(px, py, colour, v / 255.0f);
                }
            }
        }
        penX += g.advance;
    }
}

void drawFrontTextCentred(Cell& cell, FontFace& face, const std::u32string& text, int32_t centreX, int32_t baseline,
                          Rgba ink) {
    drawFrontText(cell, face, text, centreX - frontTextWidth(face, text) / 2, baseline, ink);
}

}  // namespace content
