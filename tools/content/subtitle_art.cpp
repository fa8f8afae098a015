// Drawing the subtitle pictures.
#include "tools/content/subtitle_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "tools/content/content_context.h"

namespace content {
namespace {

// The largest text first; each smaller size is tried while the words don't
// fit in two rows.
constexpr double kEmSizes[] = {9.5, 9.0, 8.5, 8.0, 7.5};
constexpr int32_t kMaxRows = 2;
constexpr int32_t kBarWidth = 2;
constexpr int32_t kTextLeft = kBarWidth + 3;
constexpr int32_t kTextRight = 2;  // margin

constexpr std::array<Rgba, 5> kSpeakerColours{{{0.2f, 0.6f, 1.0f, 1},
                                               {1.0f, 0.35f, 0.3f, 1},
                                               {0.3f, 0.9f, 0.4f, 1},
                                               {0.8f, 0.45f, 1.0f, 1},
                                               {1.0f, 0.8f, 0.2f, 1}}};
constexpr Rgba kRim{0.02f, 0.03f, 0.06f, 0.85f};

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        const size_t space = text.find(' ', start);
        const size_t end = space == std::string::npos ? text.size() : space;
        if (end > start) out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// The glyphs of one size, each drawn once.
class GlyphCache {
public:
    explicit GlyphCache(FontFace& face) : face_(face) {}
    const GreyGlyph& glyph(char c) {
        auto it = glyphs_.find(c);
        if (it == glyphs_.end()) it = glyphs_.emplace(c, face_.render(char32_t(c))).first;
        return it->second;
    }
    int32_t width(const std::string& text) {
        int32_t w = 0;
        for (char c : text) w += glyph(c).advance;
        return w;
    }

private:
    FontFace& face_;
    std::map<char, GreyGlyph> glyphs_;
};

// Words into rows no wider than the room; empty when a word alone is wider
// or more than two rows are needed.
std::vector<std::string> wrap(const std::vector<std::string>& list, GlyphCache& glyphs, int32_t room) {
    std::vector<std::string> rows;
    for (const std::string& word : list) {
        if (glyphs.width(word) > room) return {};
        if (!rows.empty() && glyphs.width(rows.back() + " " + word) <= room) {
            rows.back() += " " + word;
        } else {
            rows.push_back(word);
        }
    }
    if (int32_t(rows.size()) > kMaxRows) return {};
    return rows;
}

// Text coverage of the cell, 0..1 a pixel.
using Mask = std::vector<float>;

void stamp(Mask& mask, int32_t w, int32_t h, const GreyGlyph& g, int32_t penX, int32_t baseline) {
    for (int32_t y = 0; y < g.rows; ++y) {
        for (int32_t x = 0; x < g.width; ++x) {
            const int32_t px = penX + g.left + x, py = baseline - g.top + y;
            if (px < 0 || py < 0 || px >= w || py >= h) continue;
            float& m = mask[size_t(py) * size_t(w) + size_t(px)];
            m = std::max(m, g.coverage[size_t(y) * size_t(g.width) + size_t(x)] / 255.0f);
        }
    }
}

// The mask grown by a pixel every way: the rim behind the letters.
Mask grown(const Mask& mask, int32_t w, int32_t h) {
    Mask out(mask.size(), 0.0f);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            float m = 0;
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    const int32_t sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
                    m = std::max(m, mask[size_t(sy) * size_t(w) + size_t(sx)]);
                }
            }
            out[size_t(y) * size_t(w) + size_t(x)] = m;
        }
    }
    return out;
}

// The rows' glyphs into a mask, the rim behind them, then the letters.
void drawRows(Cell& cell, FontFace& face, GlyphCache& glyphs, const std::vector<std::string>& rows, int32_t left,
              int32_t room, int32_t pitch) {
    const int32_t w = cell.width(), h = cell.height();
    Mask mask(size_t(w) * size_t(h), 0.0f);
    const int32_t top = (h - pitch * int32_t(rows.size())) / 2;
    const int32_t ascent = int32_t(std::lround(pitch * face.ascentShare()));
    for (size_t r = 0; r < rows.size(); ++r) {
        int32_t pen = left + (room - glyphs.width(rows[r])) / 2;
        for (char c : rows[r]) {
            stamp(mask, w, h, glyphs.glyph(c), pen, top + int32_t(r) * pitch + ascent);
            pen += glyphs.glyph(c).advance;
        }
    }
    const Mask rim = grown(mask, w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            if (rim[i] > 0) cell.blend(x, y, kRim, rim[i]);
            if (mask[i] > 0) cell.blend(x, y, {1, 1, 1, 1}, mask[i]);
        }
    }
}

void checkText(const std::string& text, const std::string& what) {
    for (char c : text) {
        if (c < 32 || c > 126) throw ContentError(what + ": only printable ASCII is drawn");
    }
    if (words(text).empty()) throw ContentError(what + " has no text");
}

std::string tooLong(const std::string& what, const Cell& cell, const std::string& text) {
    return what + " does not fit its " + std::to_string(cell.width()) + " x " + std::to_string(cell.height()) +
           " picture: \"" + text + "\"";
}

}  // namespace

void drawSubtitle(Cell& cell, FontFace& face, const SubtitleText& subtitle) {
    const std::string what = "subtitle of " + subtitle.voice;
    checkText(subtitle.text, what);
    const int32_t w = cell.width(), h = cell.height();
    const int32_t room = w - kTextLeft - kTextRight;
    const std::vector<std::string> list = words(subtitle.text);
    for (double em : kEmSizes) {
        face.setEmPixels(em);
        GlyphCache glyphs(face);
        const std::vector<std::string> rows = wrap(list, glyphs, room);
        const int32_t pitch = std::min(h / kMaxRows, int32_t(std::ceil(em * face.cellPerEm())));
        if (rows.empty() || pitch * int32_t(rows.size()) > h) continue;
        const Rgba tone = kSpeakerColours[size_t(std::clamp(subtitle.speaker, 0, 4))];
        cell.fill([&](Point p) { return boxDistance(p, {kBarWidth * 0.5f, h * 0.5f}, kBarWidth * 0.5f, h * 0.5f - 2); },
                  tone);
        drawRows(cell, face, glyphs, rows, kTextLeft, room, pitch);
        return;
    }
    throw ContentError(tooLong(what, cell, subtitle.text));
}

void drawLabel(Cell& cell, FontFace& face, const std::string& text) {
    const std::string what = "label \"" + text + "\"";
    checkText(text, what);
    const int32_t room = cell.width() - 8;
    // Half-pixel steps down from two thirds of the height to the floor.
    for (double em = std::floor(cell.height() * 2.0 / 3.0 * 2) / 2; em >= kEmSizes[std::size(kEmSizes) - 1]; em -= 0.5) {
        face.setEmPixels(em);
        GlyphCache glyphs(face);
        if (glyphs.width(text) > room) continue;
        const int32_t pitch = std::min(cell.height(), int32_t(std::ceil(em * face.cellPerEm())));
        drawRows(cell, face, glyphs, {text}, 4, room, pitch);
        return;
    }
    throw ContentError(tooLong(what, cell, text));
}

}  // namespace content
