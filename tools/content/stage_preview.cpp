// The stage previews and summaries.
#include "tools/content/stage_preview.h"

#include <algorithm>
#include <map>

namespace content {
namespace {

constexpr int32_t kFramesPerPixel = 4;
constexpr int32_t kNameWidth = 128;       // wave names, left of the field
constexpr int32_t kFieldLeft = -96;       // spawn x shown, in pixels
constexpr int32_t kFieldRight = 320;
constexpr int32_t kTickWidth = 56;        // frame numbers, right of the field
constexpr int32_t kLegendHeight = 40;

struct Colour {
    uint8_t r, g, b;
};

constexpr Colour kPalette[] = {{250, 250, 250}, {255, 90, 90},  {90, 200, 255}, {255, 200, 60}, {120, 255, 120},
                               {255, 120, 255}, {255, 150, 40}, {150, 150, 255}, {60, 255, 210}, {210, 170, 120}};

struct Canvas {
    Image image;
    void put(int32_t x, int32_t y, Colour c, uint8_t a = 255) {
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
        uint8_t* p = image.pixel(x, y);
        p[0] = uint8_t((p[0] * (255 - a) + c.r * a) / 255);
        p[1] = uint8_t((p[1] * (255 - a) + c.g * a) / 255);
        p[2] = uint8_t((p[2] * (255 - a) + c.b * a) / 255);
        p[3] = 255;
    }
    void box(int32_t x0, int32_t y0, int32_t w, int32_t h, Colour c, uint8_t a = 255) {
        for (int32_t y = y0; y < y0 + h; ++y)
            for (int32_t x = x0; x < x0 + w; ++x) put(x, y, c, a);
    }
    void disc(int32_t cx, int32_t cy, int32_t r, Colour c) {
        for (int32_t y = -r; y <= r; ++y)
            for (int32_t x = -r; x <= r; ++x)
                if (x * x + y * y <= r * r + r) put(cx + x, cy + y, c);
    }
    void text(const BitmapGlyphs& font, int32_t x, int32_t y, const std::string& s, Colour c) {
        for (size_t i = 0; i < s.size(); ++i) {
            const int32_t index = s[i] < ' ' || s[i] > '~' ? 0 : s[i] - ' ';
            for (int32_t row = 0; row < kBitmapCell; ++row)
                for (int32_t col = 0; col < kBitmapCell; ++col)
                    if (font[size_t(index)][size_t(row)] >> (7 - col) & 1) put(x + int32_t(i) * 8 + col, y + row, c);
        }
    }
};

Colour kindColour(const std::vector<int32_t>& kinds, int32_t kind) {
    const size_t i = size_t(std::find(kinds.begin(), kinds.end(), kind) - kinds.begin());
    return kPalette[i % std::size(kPalette)];
}

bool isGround(int32_t kind) { return (kind >= 20 && kind <= 27) || (kind >= 60 && kind <= 79 && kind != 62); }
bool isLarge(int32_t kind) { return (kind >= 40 && kind <= 67) || (kind >= 70 && kind <= 77); }

// Rows that change the stage, drawn across the picture.
const char* milestone(int32_t kind) {
    if (kind == 134) return "WARNING";
    if (kind >= 80 && kind <= 85) return "MID-BOSS";
    if (kind >= 100 && kind <= 104) return "BOSS";
    if (kind == 122) return "TUTORIAL";
    if (kind == 123) return "OVERLAY";
    if (kind == 62) return "BOSS CARRIER";
    return nullptr;
}

std::vector<int32_t> kindsOf(const StageDesign& design) {
    std::vector<int32_t> kinds;
    for (size_t i = 0; i + 1 < design.rows.size(); ++i) kinds.push_back(design.rows[i].words[kKind]);
    std::sort(kinds.begin(), kinds.end());
    kinds.erase(std::unique(kinds.begin(), kinds.end()), kinds.end());
    return kinds;
}

}  // namespace

DensestSecond densestSecond(const StageDesign& design) {
    DensestSecond best;
    const auto& rows = design.rows;
    size_t first = 0;
    for (size_t last = 0; last + 1 < rows.size(); ++last) {
        while (rows[last].words[kRowFrame] - rows[first].words[kRowFrame] >= 60) ++first;
        const int32_t count = int32_t(last - first + 1);
        if (count > best.rows) best = {rows[first].words[kRowFrame], count};
    }
    return best;
}

Image stagePreview(const StageDesign& design, const BitmapGlyphs& font) {
    const int32_t lastFrame = design.rows.size() > 1 ? design.rows[design.rows.size() - 2].words[kRowFrame] : 0;
    const int32_t span = lastFrame + 240;
    const int32_t fieldWidth = kFieldRight - kFieldLeft;
    Canvas c{Image(kNameWidth + fieldWidth + kTickWidth, kLegendHeight + span / kFramesPerPixel + 8)};
    auto yOf = [&](int32_t frame) { return kLegendHeight + (span - frame) / kFramesPerPixel; };
    auto xOf = [&](int32_t x) { return kNameWidth + x / 100 - kFieldLeft; };
    c.box(0, 0, c.image.width, c.image.height, {24, 26, 34});
    c.box(xOf(0), kLegendHeight, 224, c.image.height - kLegendHeight, {40, 44, 58});
    for (int32_t f = 0; f <= span; f += 600) {
        c.box(kNameWidth, yOf(f), fieldWidth, 1, {70, 76, 96});
        c.text(font, kNameWidth + fieldWidth + 4, yOf(f) - 4, std::to_string(f), {150, 156, 180});
    }
    const std::vector<int32_t> kinds = kindsOf(design);
    c.text(font, 4, 4, "stage " + std::to_string(design.stage) + "  kinds:", {255, 255, 255});
    for (size_t i = 0; i < kinds.size(); ++i) {
        const int32_t x = 4 + int32_t(i % 12) * 48, y = 18 + int32_t(i / 12) * 10;
        c.box(x, y + 1, 6, 6, kindColour(kinds, kinds[i]));
        c.text(font, x + 9, y, std::to_string(kinds[i]), {220, 220, 220});
    }
    for (const WaveDesign& wave : design.waves) {
        c.box(0, yOf(wave.frame), kNameWidth - 4, 1, {90, 96, 120});
        c.text(font, 2, yOf(wave.frame) - 9, wave.name.substr(0, 15), {200, 205, 225});
    }
    for (size_t i = 0; i + 1 < design.rows.size(); ++i) {
        const SpawnWords& w = design.rows[i].words;
        const int32_t x = std::clamp(xOf(w[kRowX]), kNameWidth, kNameWidth + fieldWidth - 1), y = yOf(w[kRowFrame]);
        const Colour colour = kindColour(kinds, w[kKind]);
        if (const char* name = milestone(w[kKind])) {
            c.box(kNameWidth, y, fieldWidth, 1, {255, 60, 60}, 200);
            c.text(font, xOf(0) + 4, y - 10, std::string(name) + " " + std::to_string(w[kKind]), {255, 120, 120});
        }
        const int32_t r = isLarge(w[kKind]) ? 4 : 2;
        if (isGround(w[kKind])) c.box(x - r, y - r, 2 * r + 1, 2 * r + 1, colour);
        else c.disc(x, y, r, colour);
    }
    return c.image;
}

std::string stageSummary(const StageDesign& design) {
    std::map<int32_t, int32_t> perKind;
    for (size_t i = 0; i + 1 < design.rows.size(); ++i) ++perKind[design.rows[i].words[kKind]];
    std::vector<int32_t> perWave(design.waves.size());
    for (const SpawnRowDesign& row : design.rows) {
        if (row.wave >= 0) ++perWave[size_t(row.wave)];
    }
    const DensestSecond densest = densestSecond(design);
    std::string out = "stage " + std::to_string(design.stage) + ": " + std::to_string(design.rows.size() - 1) +
                      " rows and the end row, " + std::to_string(design.waves.size()) + " waves, " +
                      std::to_string(design.scripts.size()) + " movement scripts\n";
    out += "densest second: " + std::to_string(densest.rows) + " rows due in frames " + std::to_string(densest.frame) +
           " to " + std::to_string(densest.frame + 59) + "\n\nrows a kind:\n";
    for (const auto& [kind, rows] : perKind) out += "  kind " + std::to_string(kind) + ": " + std::to_string(rows) + "\n";
    out += "\nwaves (first frame, rows, name):\n";
    for (size_t i = 0; i < design.waves.size(); ++i) {
        out += "  " + std::to_string(design.waves[i].frame) + "  " + std::to_string(perWave[i]) + "  " +
               design.waves[i].name + "\n";
    }
    return out;
}

}  // namespace content
