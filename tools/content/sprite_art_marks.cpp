// The play screen's marks: numerals, flames, burners, rings, glints, tags.
#include "tools/content/sprite_art_marks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace content {
namespace {

constexpr float kMarksPi = 3.14159265f;
constexpr Rgba kMarksWhite{1, 1, 1, 1};
constexpr Rgba kMarksRim{0.03f, 0.03f, 0.06f, 0.9f};
constexpr Point kPenUp{-1, -1};

// The numerals as strokes on a 4 x 6 grid, pen lifted at kPenUp.
constexpr Point kDigit0[] = {{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}};
constexpr Point kDigit1[] = {{0.8f, 1.2f}, {2.2f, 0}, {2.2f, 6}, kPenUp, {0.8f, 6}, {3.6f, 6}};
constexpr Point kDigit2[] = {{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2.2f}, {0, 6}, {4, 6}};
constexpr Point kDigit3[] = {{0, 0}, {4, 0}, {1.8f, 2.5f}, {3, 2.5f}, {4, 3.5f}, {4, 5}, {3, 6}, {1, 6}, {0, 5}};
constexpr Point kDigit4[] = {{3, 6}, {3, 0}, {0, 4}, {4, 4}};
constexpr Point kDigit5[] = {{4, 0}, {0.3f, 0}, {0, 2.6f}, {3, 2.4f}, {4, 3.4f}, {4, 5}, {3, 6}, {0, 6}};
constexpr Point kDigit6[] = {{3.6f, 0}, {1.2f, 0}, {0, 1.5f}, {0, 5}, {1, 6}, {3, 6},
                             {4, 5}, {4, 3.6f}, {3, 2.7f}, {1, 2.7f}, {0, 3.5f}};
constexpr Point kDigit7[] = {{0, 0}, {4, 0}, {1.4f, 6}};
constexpr Point kDigit8[] = {{1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1, 3}, {0, 4}, {0, 5},
                             {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {1, 3}, {0, 2}, {0, 1}, {1, 0}};
constexpr Point kDigit9[] = {{4, 2.5f}, {3, 3.3f}, {1, 3.3f}, {0, 2.4f}, {0, 1}, {1, 0}, {3, 0},
                             {4, 1}, {4, 4.5f}, {2.8f, 6}, {0.4f, 6}};
constexpr Point kPlus[] = {{2, 1.4f}, {2, 4.6f}, kPenUp, {0.4f, 3}, {3.6f, 3}};
constexpr Point kTimes[] = {{0.6f, 1.6f}, {3.4f, 4.4f}, kPenUp, {3.4f, 1.6f}, {0.6f, 4.4f}};
constexpr std::span<const Point> kNumerals[] = {kDigit0, kDigit1, kDigit2, kDigit3, kDigit4, kDigit5,
                                                kDigit6, kDigit7, kDigit8, kDigit9, kPlus,   kTimes};

// Digit colours by range: white to gold, then pale cyan to white.
constexpr std::array<std::array<Rgba, 2>, 3> kNumeralTones{{
    {{{1, 1, 1, 1}, {1.0f, 0.78f, 0.2f, 1}}},
    {{{1.0f, 0.95f, 0.6f, 1}, {1.0f, 0.55f, 0.1f, 1}}},
    {{{0.8f, 1.0f, 1.0f, 1}, {0.3f, 0.8f, 1.0f, 1}}},
}};

float strokeDistance(Point p, std::span<const Point> strokes, float radius) {
    float best = 1e9f;
    for (size_t i = 1; i < strokes.size(); ++i) {
        const Point a = strokes[i - 1], b = strokes[i];
        if (a.x < 0 || b.x < 0) continue;
        best = std::min(best, segmentDistance(p, a, b, radius));
    }
    return best;
}

float marksPhase(const PlacedSprite& s) { return s.count > 1 ? float(s.index) / float(s.count) : 0.0f; }

// A small hash of the sprite for flicker that stays the same run to run.
float marksNoise(int32_t a, int32_t b) {
    uint32_t h = uint32_t(a) * 2654435761u ^ uint32_t(b) * 2246822519u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return float(h & 1023) / 1023.0f;
}

}  // namespace

void drawDigit(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const std::span<const Point> strokes = kNumerals[size_t(s.index % 12)];
    // The 4 x 6 grid fitted inside the cell with room for the rim.
    const float unit = std::min((w - 3.5f) / 4.6f, (h - 3.5f) / 6.6f);
    const float radius = std::max(0.75f, unit * 0.42f);
    const Point origin{(w - unit * 4) * 0.5f, (h - unit * 6) * 0.5f};
    auto local = [&](Point p) { return Point{(p.x - origin.x) / unit, (p.y - origin.y) / unit}; };
    const auto& tone = kNumeralTones[size_t(s.rangeSerial + s.index / 12) % kNumeralTones.size()];
    c.fill([&](Point p) { return strokeDistance(local(p), strokes, (radius + std::max(0.6f, unit * 0.3f)) / unit) * unit; },
           kMarksRim);
    c.paint([&](Point p) { return strokeDistance(local(p), strokes, radius / unit) * unit; },
            [&](Point p) { return mix(tone[0], tone[1], std::clamp((p.y - origin.y) / (unit * 6), 0.f, 1.f)); });
}

void drawFlame(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const float t = marksPhase(s) * 2 * kMarksPi;
    // Smoke drifting up behind the fire.
    for (int k = 0; k < 3; ++k) {
        const float rise = std::fmod(marksPhase(s) + float(k) / 3.0f, 1.0f);
        const Point at{w * (0.5f + 0.12f * std::sin(t + float(k) * 2.1f)), h * (0.45f - 0.35f * rise)};
        c.fill([&](Point p) { return circleDistance(p, at, w * (0.12f + 0.14f * rise)); },
               {0.25f, 0.22f, 0.22f, 0.55f * (1 - rise)});
    }
    // Three tongues, each a teardrop leaning with the flicker.
    for (int k = 0; k < 3; ++k) {
        const float side = float(k - 1);
        const float lick = 0.8f + 0.2f * std::sin(t * (k + 1) + float(k));
        const Point base{w * (0.5f + side * 0.16f), h * 0.86f};
        const Point tip{base.x + w * 0.08f * std::sin(t + side), h * (0.86f - (k == 1 ? 0.66f : 0.42f) * lick)};
        const float r = w * (k == 1 ? 0.2f : 0.13f);
        c.paint([&](Point p) {
            const float along = std::clamp((base.y - p.y) / std::max(1.0f, base.y - tip.y), 0.f, 1.f);
            return segmentDistance(p, base, tip, r * (1 - along * 0.85f));
        },
                [&](Point p) {
                    const float up = std::clamp((base.y - p.y) / (h * 0.7f), 0.f, 1.f);
                    return up < 0.35f ? mix({1, 1, 0.75f, 1}, {1.0f, 0.75f, 0.15f, 1}, up / 0.35f)
                                      : mix({1.0f, 0.75f, 0.15f, 1}, {0.9f, 0.2f, 0.05f, 0.85f}, (up - 0.35f) / 0.65f);
                });
    }
    // Embers.
    for (int k = 0; k < 3; ++k) {
        const Point at{w * (0.2f + 0.6f * marksNoise(s.id, k)), h * (0.15f + 0.5f * marksNoise(k, s.id))};
        c.fill([&](Point p) { return circleDistance(p, at, 0.9f); }, {1.0f, 0.8f, 0.3f, 0.9f});
    }
}

void drawBurner(Cell& c, const PlacedSprite& s) {
    static constexpr std::array<Rgba, 4> kBurnerTrims{{{0.3f, 0.6f, 1.0f, 1}, {1.0f, 0.45f, 0.3f, 1},
                                                       {0.4f, 1.0f, 0.5f, 1}, {0.8f, 0.5f, 1.0f, 1}}};
    const float w = float(c.width()), h = float(c.height());
    const Rgba trim = kBurnerTrims[size_t(s.rangeSerial) % kBurnerTrims.size()];
    // Bases 0..4: level, leaning a little, a lot, then the other way.
    const int32_t base = s.index / 4, cell = s.index % 4;
    static constexpr float kLean[] = {0, 0.5f, 1.0f, -0.5f, -1.0f};
    const float lean = kLean[size_t(base) % 5] * w * 0.05f;
    const float len = h * (0.17f + 0.04f * float(cell % 2) + 0.03f * float(cell / 2));
    const Point top{w * 0.5f, h * 0.72f}, end{w * 0.5f - lean, h * 0.72f + len};
    c.fill([&](Point p) { return segmentDistance(p, top, end, w * 0.11f); }, withAlpha(trim, 0.55f));
    c.paint([&](Point p) { return segmentDistance(p, top, {end.x, end.y - len * 0.35f}, w * 0.055f); },
            [&](Point p) { return mix(kMarksWhite, trim, std::clamp((p.y - top.y) / len, 0.f, 1.f)); });
}

void drawRing(Cell& c, const PlacedSprite&) {
    const float w = float(c.width()), h = float(c.height());
    const Point m{w * 0.5f, h * 0.5f};
    const float r = std::min(w, h) * 0.42f;
    c.fill([&](Point p) { return std::abs(circleDistance(p, m, r)) - r * 0.09f; }, {0.2f, 0.6f, 1.0f, 0.45f});
    c.fill([&](Point p) { return std::abs(circleDistance(p, m, r)) - r * 0.03f; }, {0.85f, 0.97f, 1.0f, 1});
    for (int k = 0; k < 4; ++k) {
        const Point at = turned({m.x, m.y - r}, m, float(k) * kMarksPi / 2 + kMarksPi / 4);
        c.fill([&](Point p) { return circleDistance(p, at, r * 0.08f); }, kMarksWhite);
    }
}

void drawBurst(Cell& c, const PlacedSprite&) {
    const float w = float(c.width()), h = float(c.height());
    const Point m{w * 0.5f, h * 0.5f};
    const float r = std::min(w, h) * 0.48f;
    c.paint([&](Point p) { return circleDistance(p, m, r * 0.6f); },
            [&](Point p) { return withAlpha({1.0f, 0.9f, 0.5f, 1}, 0.6f * (1 - std::hypot(p.x - m.x, p.y - m.y) / (r * 0.6f))); });
    c.fill([&](Point p) { return ellipseDistance(p, m, r * 0.12f, r); }, kMarksWhite);
    c.fill([&](Point p) { return ellipseDistance(p, m, r, r * 0.12f); }, kMarksWhite);
    c.fill([&](Point p) { return circleDistance(p, m, r * 0.2f); }, kMarksWhite);
}

void drawTag(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Point m{w * 0.5f, h * 0.5f};
    const float glow = s.index % 2 == 0 ? 1.0f : 0.6f;
    const float r = h * 0.5f - 1;
    c.fill([&](Point p) { return boxDistance(p, m, w * 0.5f - 1 - r, 0) - r; }, {0.05f, 0.04f, 0.02f, 0.85f});
    c.fill([&](Point p) { return std::abs(boxDistance(p, m, w * 0.5f - 1 - r, 0) - r) - 0.6f; },
           withAlpha({1.0f, 0.8f, 0.2f, 1}, glow));
}

}  // namespace content
