// The looks checks: shots against the stages, kinds against each other.
#include "tools/content/sprite_checks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/content/content_context.h"

namespace content {
namespace {

struct Linear {
    double r = 0, g = 0, b = 0;
};

double checksLinear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }

double checksLuminance(const Linear& c) { return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b; }

// sRGB bytes as linear light, through a table.
const std::array<double, 256>& checksLinearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (size_t i = 0; i < t.size(); ++i) t[i] = checksLinear(double(i) / 255.0);
        return t;
    }();
    return table;
}

// The darkest, middle and brightest twentieth of a stage's opaque pixels.
std::vector<Linear> stageColours(const std::vector<const Image*>& images) {
    const auto& lin = checksLinearTable();
    std::vector<std::pair<double, Linear>> seen;
    for (const Image* image : images) {
        for (int32_t y = 0; y < image->height; y += 7) {
            for (int32_t x = (y / 7) % 7; x < image->width; x += 7) {
                const uint8_t* p = image->pixel(x, y);
                if (p[3] < 128) continue;
                const Linear c{lin[p[0]], lin[p[1]], lin[p[2]]};
                seen.push_back({checksLuminance(c), c});
            }
        }
    }
    if (seen.empty()) return {};
    std::vector<Linear> out;
    for (double share : {0.05, 0.5, 0.95}) {
        const auto at = seen.begin() + std::ptrdiff_t(share * double(seen.size() - 1));
        std::nth_element(seen.begin(), at, seen.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        out.push_back(at->second);
    }
    return out;
}

// The cell's contrast over one background colour: the mean ratio of its
// most contrasting quarter of covered pixels; 0 when nothing is covered.
double cellContrast(const Image& sheet, const FrameRow& row, const Linear& back) {
    const auto& lin = checksLinearTable();
    const double lb = checksLuminance(back);
    std::vector<double> ratios;
    for (int32_t y = 0; y < row[kH]; ++y) {
        for (int32_t x = 0; x < row[kW]; ++x) {
            const uint8_t* p = sheet.pixel(row[kX] + x, row[kY] + y);
            if (p[3] < 64) continue;
            const double a = p[3] / 255.0;
            const Linear laid{a * lin[p[0]] + (1 - a) * back.r, a * lin[p[1]] + (1 - a) * back.g,
                              a * lin[p[2]] + (1 - a) * back.b};
            const double l = checksLuminance(laid);
            ratios.push_back(contrastRatio(std::max(l, lb), std::min(l, lb)));
        }
    }
    if (ratios.empty()) return 0;
    const size_t top = std::max<size_t>(1, ratios.size() / 4);
    std::partial_sort(ratios.begin(), ratios.begin() + std::ptrdiff_t(top), ratios.end(), std::greater<>());
    double sum = 0;
    for (size_t i = 0; i < top; ++i) sum += ratios[i];
    return sum / double(top);
}

std::string checkContrast(const LookCheckSpec& check, const SpriteContent& content, const SpriteLayout& layout,
                          const std::map<int32_t, Image>& sheets, std::string_view file) {
    std::map<int32_t, std::vector<const Image*>> stageImages;
    for (const TileLayerSpec& t : content.tiles) {
        auto& images = stageImages[t.stage];
        const Image* image = &sheets.at(t.slot);
        if (std::find(images.begin(), images.end(), image) == images.end()) images.push_back(image);
    }
    std::map<int32_t, std::vector<Linear>> colours;
    for (const auto& [stage, images] : stageImages) colours[stage] = stageColours(images);
    double worst = 1e9;
    int32_t worstId = 0, worstStage = 0;
    for (const PlacedSprite& s : layout.sprites) {
        if (s.group->name != check.group) continue;
        const FrameRow& row = layout.rows[size_t(s.id)];
        for (const auto& [stage, backs] : colours) {
            for (const Linear& back : backs) {
                const double c = cellContrast(sheets.at(row[kSheet]), row, back);
                if (c < worst) worst = c, worstId = s.id, worstStage = stage;
            }
        }
    }
    char line[200];
    std::snprintf(line, sizeof line, "contrast %s: weakest %.2f (sprite %d on stage %d), minimum %.2f\n",
                  check.group.c_str(), worst, worstId, worstStage, check.minimum);
    if (worst < check.minimum) {
        throw ContentError(std::string(file) + ": sprite " + std::to_string(worstId) + " of group " + check.group +
                           " stands out too little on stage " + std::to_string(worstStage) + ": " + line);
    }
    return line;
}

std::vector<uint8_t> cellPixels(const Image& sheet, const FrameRow& row) {
    std::vector<uint8_t> out{uint8_t(row[kW]), uint8_t(row[kW] >> 8), uint8_t(row[kH]), uint8_t(row[kH] >> 8)};
    for (int32_t y = 0; y < row[kH]; ++y) {
        const uint8_t* p = sheet.pixel(row[kX], row[kY] + y);
        out.insert(out.end(), p, p + size_t(row[kW]) * 4);
    }
    return out;
}

std::string checkDistinct(const LookCheckSpec& check, const SpriteLayout& layout,
                          const std::map<int32_t, Image>& sheets, std::string_view file) {
    std::map<std::vector<uint8_t>, int32_t> firsts;
    for (const PlacedSprite& s : layout.sprites) {
        if (s.group->name != check.group || s.index != 0 || s.id != s.rangeFirst) continue;
        const FrameRow& row = layout.rows[size_t(s.id)];
        const auto [at, fresh] = firsts.emplace(cellPixels(sheets.at(row[kSheet]), row), s.id);
        if (!fresh) {
            throw ContentError(std::string(file) + ": the ranges from " + std::to_string(at->second) + " and " +
                               std::to_string(s.id) + " of group " + check.group + " begin with the same picture");
        }
    }
    return "distinct " + check.group + ": " + std::to_string(firsts.size()) + " ranges, each its own picture\n";
}

}  // namespace

double contrastRatio(double lighter, double darker) { return (lighter + 0.05) / (darker + 0.05); }

std::string checkSpriteLooks(const SpriteContent& content, const SpriteLayout& layout,
                             const std::map<int32_t, Image>& sheets, std::string_view file) {
    std::string report;
    for (const LookCheckSpec& check : content.checks) {
        report += check.kind == "contrast" ? checkContrast(check, content, layout, sheets, file)
                                           : checkDistinct(check, layout, sheets, file);
    }
    return report;
}

}  // namespace content
