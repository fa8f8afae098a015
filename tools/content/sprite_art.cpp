// The drawing styles of the sprite groups.
#include "tools/content/sprite_art.h"

#include "tools/content/sprite_art_kinds.h"
#include "tools/content/sprite_art_marks.h"
#include "tools/content/sprite_art_scenes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace content {
namespace {

constexpr float kPi = 3.14159265f;

constexpr Rgba kWhite{1, 1, 1, 1};
constexpr Rgba kInk{0.05f, 0.06f, 0.09f, 1};
constexpr Rgba kSteel{0.70f, 0.76f, 0.84f, 1};
constexpr Rgba kSteelDark{0.30f, 0.35f, 0.45f, 1};
constexpr Rgba kPanel{0.06f, 0.10f, 0.18f, 0.88f};
constexpr Rgba kEdge{0.30f, 0.85f, 1.0f, 1};
constexpr Rgba kGold{1.0f, 0.80f, 0.20f, 1};
constexpr Rgba kOlive{0.42f, 0.46f, 0.32f, 1};
constexpr Rgba kRedLight{1.0f, 0.20f, 0.15f, 1};
// Under every shot, so it stands out on the brightest ground.
constexpr Rgba kShotRim{0.06f, 0.02f, 0.05f, 0.92f};

// Fighter trims, enemy-shot classes, item kinds.
constexpr std::array<Rgba, 4> kTrims{{{0.2f, 0.6f, 1.0f, 1}, {1.0f, 0.35f, 0.3f, 1}, {0.3f, 0.9f, 0.4f, 1},
                                      {0.8f, 0.45f, 1.0f, 1}}};
constexpr std::array<Rgba, 6> kHot{{{1.0f, 0.25f, 0.55f, 1}, {1.0f, 0.55f, 0.1f, 1}, {1.0f, 0.15f, 0.15f, 1},
                                    {0.95f, 0.3f, 1.0f, 1}, {1.0f, 0.4f, 0.3f, 1}, {1.0f, 0.45f, 0.7f, 1}}};
constexpr std::array<Rgba, 5> kItems{{{1.0f, 0.8f, 0.2f, 1}, {0.3f, 0.9f, 0.35f, 1}, {1.0f, 0.45f, 0.15f, 1},
                                      {0.35f, 0.75f, 1.0f, 1}, {0.9f, 0.4f, 0.9f, 1}}};

float phase(const PlacedSprite& s) { return s.count > 1 ? float(s.index) / float(s.count) : 0.0f; }

Point centreOf(const Cell& c) { return {c.width() * 0.5f, c.height() * 0.5f}; }

// A round glow: colour falling off from a white core.
void glowBall(Cell& c, Point at, float radius, Rgba colour) {
    c.paint([&](Point p) { return circleDistance(p, at, radius); },
            [&](Point p) {
                const float t = std::hypot(p.x - at.x, p.y - at.y) / radius;
                return t < 0.4f ? mix(kWhite, colour, t / 0.4f) : withAlpha(colour, 1.0f - (t - 0.4f) / 0.6f * 0.6f);
            });
}

void drawFighter(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Rgba trim = kTrims[size_t(s.rangeSerial) % kTrims.size()];
    // Bank: the middle frame is level; frames to either side squeeze one wing.
    const float bank = s.count == 9 ? float(s.index - 4) / 4.0f : 0.0f;
    const float cx = w * 0.5f;
    const float lw = w * 0.48f * (1 - std::max(0.0f, bank) * 0.45f);
    const float rw = w * 0.48f * (1 + std::min(0.0f, bank) * 0.45f);
    // Burner under the tail, flickering across animation frames; the
    // bodies (nine bank frames) have theirs drawn over them by the burners.
    const float flame = h * (0.16f + 0.06f * std::sin(float(s.index) * 2.1f));
    if (s.count != 9)
        c.paint([&](Point p) { return ellipseDistance(p, {cx, h * 0.86f}, w * 0.09f, flame); },
            [&](Point p) { return mix(kWhite, {0.3f, 0.6f, 1.0f, 0.8f}, std::clamp((p.y - h * 0.78f) / flame, 0.f, 1.f)); });
    const Point wing[] = {{cx, h * 0.30f}, {cx + rw, h * 0.68f}, {cx + rw * 0.8f, h * 0.76f}, {cx, h * 0.70f},
                          {cx - lw * 0.8f, h * 0.76f}, {cx - lw, h * 0.68f}};
    c.paint([&](Point p) { return polygonDistance(p, wing); },
            [&](Point p) { return mix(kSteelDark, trim, std::clamp((p.y - h * 0.3f) / (h * 0.5f), 0.f, 1.f)); });
    const Point body[] = {{cx, h * 0.04f}, {cx + w * 0.12f, h * 0.45f}, {cx + w * 0.1f, h * 0.82f},
                          {cx - w * 0.1f, h * 0.82f}, {cx - w * 0.12f, h * 0.45f}};
    c.paint([&](Point p) { return polygonDistance(p, body); },
            [&](Point p) { return mix(kWhite, kSteel, std::clamp(std::abs(p.x - cx) / (w * 0.12f), 0.f, 1.f)); });
    c.fill([&](Point p) { return ellipseDistance(p, {cx, h * 0.34f}, w * 0.05f, h * 0.08f); }, {0.1f, 0.2f, 0.5f, 1});
}

void drawEnemyShot(Cell& c, const PlacedSprite& s) {
    const Point m = centreOf(c);
    const Rgba hot = kHot[size_t(s.rangeSerial) % kHot.size()];
    const float r = std::min(c.width(), c.height()) * 0.46f;
    if (s.count == 8 || s.count == 4) {
        // Turned shots: a bright drop pointing up; the cells pulse.
        const float pulse = 1 - 0.12f * std::sin(phase(s) * 2 * kPi);
        c.fill([&](Point p) { return ellipseDistance(p, m, r * 0.55f * pulse, r * pulse) - 1.2f; }, kShotRim);
        c.paint([&](Point p) { return ellipseDistance(p, m, r * 0.55f * pulse, r * pulse); },
                [&](Point p) {
                    const float t = std::hypot((p.x - m.x) / 0.55f, p.y - m.y) / r;
                    return t < 0.45f ? kWhite : mix(hot, withAlpha(hot, 0.5f), (t - 0.45f) / 0.55f);
                });
        return;
    }
    // A dark rim under the glow: the shot reads on bright ground as well.
    const float size = r * (0.9f + 0.1f * std::sin(float(s.index)));
    c.fill([&](Point p) { return circleDistance(p, m, size); }, kShotRim);
    const float ball = size * 0.8f;
    c.paint([&](Point p) { return circleDistance(p, m, ball); },
            [&](Point p) {
                const float t = std::hypot(p.x - m.x, p.y - m.y) / ball;
                return t < 0.55f ? mix(kWhite, hot, t / 0.55f * 0.6f) : mix(hot, withAlpha(hot, 0.7f), (t - 0.55f) / 0.45f);
            });
}

void drawPuff(Cell& c, const PlacedSprite& s) {
    const float t = (float(s.index) + 1) / float(std::max(1, s.count));
    const Rgba hot = kHot[size_t(s.rangeSerial) % kHot.size()];
    const Point m = centreOf(c);
    const float r = c.width() * 0.45f * t;
    c.fill([&](Point p) { return std::abs(circleDistance(p, m, r)) - 1.5f * (1.2f - t); }, withAlpha(hot, 1.1f - t));
}

void drawExplosion(Cell& c, const PlacedSprite& s) {
    const float t = (float(s.index) + 0.5f) / float(std::max(1, s.count));
    const Point m = centreOf(c);
    const float big = std::min(c.width(), c.height()) * 0.48f;
    uint32_t seed = uint32_t(s.rangeFirst) * 2654435761u;
    // Smoke takes over as the fire burns down.
    for (int i = 0; i < 6; ++i) {
        seed = seed * 214013u + 2531011u;
        const float a = float((seed >> 16) & 1023) / 1024.0f * 2 * kPi;
        const float d = big * 0.45f * t;
        const Point at{m.x + std::cos(a) * d, m.y + std::sin(a) * d};
        const float r = big * (0.25f + 0.3f * t);
        const Rgba smoke{0.35f, 0.33f, 0.32f, 0.75f * (1 - t)};
        const Rgba fire = mix({1.0f, 0.9f, 0.5f, 1}, {0.9f, 0.3f, 0.05f, 0.9f}, t);
        c.fill([&](Point p) { return circleDistance(p, at, r); }, t > 0.5f ? smoke : fire);
    }
    if (t < 0.6f) glowBall(c, m, big * 0.4f * (1 - t), {1.0f, 0.6f, 0.1f, 1});
}

void drawGlow(Cell& c, const PlacedSprite& s) {
    const Point m = centreOf(c);
    const float r = std::min(c.width(), c.height()) * 0.45f;
    if (s.count >= 7 && s.group->name == "effects" && s.rangeFirst >= 1954) {
        // Smoke and dust: grey puffs that grow and thin out.
        const float t = (float(s.index % 8) + 1) / 8.0f;
        c.fill([&](Point p) { return circleDistance(p, m, r * (0.4f + 0.6f * t)); }, {0.6f, 0.58f, 0.55f, 0.8f * (1.1f - t)});
        return;
    }
    const Rgba tone = kTrims[size_t(s.rangeSerial + s.index) % kTrims.size()];
    glowBall(c, m, r * (0.6f + 0.4f * std::abs(std::sin(phase(s) * kPi + 0.3f))), tone);
    for (int k = 0; k < 4; ++k) {
        const float a = k * kPi / 2 + phase(s) * kPi;
        const Point tip = turned({m.x, m.y - r}, m, a);
        c.fill([&](Point p) { return segmentDistance(p, m, tip, 0.6f); }, withAlpha(kWhite, 0.8f));
    }
}

void drawBoss(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Point m = centreOf(c);
    c.paint([&](Point p) { return ellipseDistance(p, m, w * 0.46f, h * 0.40f); },
            [&](Point p) { return mix({0.5f, 0.45f, 0.5f, 1}, {0.2f, 0.15f, 0.25f, 1}, std::clamp(p.y / h, 0.f, 1.f)); });
    for (int k = 0; k < 4; ++k) {
        const Point gun{w * (0.2f + 0.2f * k), h * 0.75f};
        c.fill([&](Point p) { return boxDistance(p, gun, w * 0.04f, h * 0.12f); }, kSteelDark);
    }
    glowBall(c, m, w * (0.12f + 0.03f * std::sin(phase(s) * 2 * kPi)), kRedLight);
}

void drawCarrier(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Point m = centreOf(c);
    c.fill([&](Point p) { return boxDistance(p, m, w * 0.4f, h * 0.36f) - 3; }, kSteelDark);
    c.fill([&](Point p) { return boxDistance(p, m, w * 0.22f, h * 0.2f) - 2; }, kItems[size_t(s.index) % kItems.size()]);
    const float blade = phase(s) * kPi;
    const Point a = turned({m.x - w * 0.45f, 3}, {m.x, 3}, blade * 0.2f), b = turned({m.x + w * 0.45f, 3}, {m.x, 3}, blade * 0.2f);
    c.fill([&](Point p) { return segmentDistance(p, a, b, 1.2f); }, kSteel);
}

void drawGround(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Point m = centreOf(c);
    c.fill([&](Point p) { return boxDistance(p, m, w * 0.42f, h * 0.42f) - 2; }, {0.36f, 0.38f, 0.30f, 1});
    c.fill([&](Point p) { return std::abs(boxDistance(p, m, w * 0.42f, h * 0.42f) - 2) - 0.7f; }, kInk);
    const float aim = float(s.index) / float(std::max(1, s.count)) * 2 * kPi;
    const Point tip = turned({m.x, m.y + h * 0.45f}, m, aim);
    c.fill([&](Point p) { return segmentDistance(p, m, tip, std::max(1.2f, w * 0.06f)); }, kSteelDark);
    c.fill([&](Point p) { return circleDistance(p, m, w * 0.2f); }, kOlive);
    c.fill([&](Point p) { return circleDistance(p, m, w * 0.06f); }, kRedLight);
}

void drawWreck(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    uint32_t seed = uint32_t(s.id) * 2246822519u;
    for (int i = 0; i < 5; ++i) {
        seed = seed * 214013u + 2531011u;
        const Point at{w * (0.25f + 0.5f * float((seed >> 16) & 255) / 255.f), h * (0.25f + 0.5f * float((seed >> 8) & 255) / 255.f)};
        c.fill([&](Point p) { return circleDistance(p, at, w * 0.16f); }, {0.12f, 0.10f, 0.09f, 0.8f});
    }
    c.fill([&](Point p) { return circleDistance(p, centreOf(c), w * 0.08f); }, {0.9f, 0.4f, 0.1f, 0.7f});
}

void drawMarker(Cell& c, const PlacedSprite&) {
    const Point m = centreOf(c);
    c.fill([&](Point p) {
        return std::min(boxDistance(p, m, c.width() * 0.5f, 0.5f), boxDistance(p, m, 0.5f, c.height() * 0.5f));
    }, {1, 0, 1, 1});
}

void drawPanel(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Point m = centreOf(c);
    const float r = std::min(4.0f, std::min(w, h) * 0.2f);
    c.paint([&](Point p) { return boxDistance(p, m, w * 0.5f - 1 - r, h * 0.5f - 1 - r) - r; },
            [&](Point p) { return mix({0.12f, 0.2f, 0.35f, 0.92f}, kPanel, std::clamp(p.y / h, 0.f, 1.f)); });
    c.fill([&](Point p) { return std::abs(boxDistance(p, m, w * 0.5f - 1 - r, h * 0.5f - 1 - r) - r) - 0.6f; },
           kTrims[size_t(s.rangeSerial + s.index) % kTrims.size()]);
}

void drawHud(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Point m = centreOf(c);
    c.fill([&](Point p) { return boxDistance(p, m, w * 0.5f - 1.5f, h * 0.5f - 1.5f); }, {0.05f, 0.08f, 0.14f, 0.8f});
    // A level bar or a mark: how full follows the cell's place in its set.
    const float full = s.count > 1 ? (float(s.index) + 1) / float(s.count) : 1.0f;
    c.paint([&](Point p) { return boxDistance(p, {2 + (w - 4) * full * 0.5f, m.y}, (w - 4) * full * 0.5f, h * 0.5f - 3); },
            [&](Point p) { return mix(kEdge, kGold, std::clamp(p.x / w, 0.f, 1.f)); });
    c.fill([&](Point p) { return std::abs(boxDistance(p, m, w * 0.5f - 1.5f, h * 0.5f - 1.5f)) - 0.5f; }, kEdge);
}

// The interface's icons and gauges, in the panels' cyan glass.

// Signal bars: all lit (good), half lit (no server), none and a red cross.
void drawNetwork(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const int lit = s.rangeSerial == 0 ? 4 : s.rangeSerial == 1 ? 2 : 0;
    const Rgba on = s.rangeSerial == 0 ? Rgba{0.3f, 0.95f, 0.45f, 1} : kGold;
    for (int k = 0; k < 4; ++k) {
        const float bw = w * 0.09f, x = w * (0.2f + 0.2f * k), top = h * (0.7f - 0.15f * k);
        c.fill([&](Point p) { return boxDistance(p, {x, (top + h * 0.85f) * 0.5f}, bw, (h * 0.85f - top) * 0.5f); },
               k < lit ? on : Rgba{0.25f, 0.3f, 0.38f, 0.9f});
    }
    if (lit > 0) return;
    const Point a{w * 0.25f, h * 0.2f}, b{w * 0.75f, h * 0.7f}, d{w * 0.75f, h * 0.2f}, e{w * 0.25f, h * 0.7f};
    c.fill([&](Point p) { return std::min(segmentDistance(p, a, b, 1.6f), segmentDistance(p, d, e, 1.6f)); },
           kRedLight);
}

// A chevron pointing right (first range) or left; the second cell of each
// is the dimmer half of the blink.
void drawArrow(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const float dir = s.rangeSerial % 2 == 0 ? 1.0f : -1.0f;
    const float cx = w * 0.5f;
    const Point tip{cx + dir * w * 0.36f, h * 0.5f}, top{cx - dir * w * 0.3f, h * 0.12f},
        low{cx - dir * w * 0.3f, h * 0.88f}, notch{cx - dir * w * 0.08f, h * 0.5f};
    const Point shape[] = {tip, top, notch, low};
    const float glow = s.index == 0 ? 1.0f : 0.55f;
    c.fill([&](Point p) { return polygonDistance(p, shape) - 1.5f; }, withAlpha(kEdge, 0.5f * glow));
    c.paint([&](Point p) { return polygonDistance(p, shape); },
            [&](Point p) { return withAlpha(mix(kWhite, kEdge, std::abs(p.y - h * 0.5f) / (h * 0.5f)), glow); });
}

// A highlight bar: bright in the middle row, fading out towards both ends.
void drawBar(Cell& c, const PlacedSprite&) {
    const float w = float(c.width()), h = float(c.height());
    for (int32_t y = 0; y < c.height(); ++y) {
        for (int32_t x = 0; x < c.width(); ++x) {
            const float ends = std::clamp(std::min(float(x), w - 1 - float(x)) / (w * 0.18f), 0.f, 1.f);
            const float across = 1 - std::abs((float(y) + 0.5f) / h * 2 - 1);
            const bool rim = y == 0 || y == c.height() - 1;
            const Rgba core = mix({0.1f, 0.45f, 0.8f, 0.55f}, {0.75f, 0.95f, 1.0f, 0.8f}, across * across);
            const Rgba colour = rim ? kEdge : core;
            c.blend(x, y, colour, ends);
        }
    }
}

// A gauge: a dark trough in a cyan frame holding a segmented fill; the
// fighters' gauges wear their trims, then energy gold, bonus green, boss red.
void drawGauge(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const std::array<Rgba, 3> kinds{{kGold, {0.3f, 0.9f, 0.4f, 1}, kRedLight}};
    const Rgba fill = s.rangeSerial == 0 ? kTrims[size_t(s.index) % kTrims.size()]
                                         : kinds[size_t(s.rangeSerial - 1) % kinds.size()];
    const Point m = centreOf(c);
    c.fill([&](Point p) { return boxDistance(p, m, w * 0.5f - 0.5f, h * 0.5f - 0.5f); }, {0.02f, 0.04f, 0.08f, 0.9f});
    const float step = std::max(4.0f, h);
    c.paint([&](Point p) { return boxDistance(p, m, w * 0.5f - 2, h * 0.5f - 2); },
            [&](Point p) {
                const bool gap = std::fmod(p.x - 2, step) > step - 1.2f;
                return gap ? Rgba{0, 0, 0, 0} : mix(kWhite, fill, std::clamp(p.y / h * 1.8f, 0.f, 1.f));
            });
    c.fill([&](Point p) { return std::abs(boxDistance(p, m, w * 0.5f - 0.5f, h * 0.5f - 0.5f)) - 0.5f; }, kEdge);
}

// A face in the message window or beside a result: the pilots in helmets
// with a visor and shoulders of their trim, the announcer (fifth) as a
// headset.
void drawPortrait(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const int pilot = s.count > 1 ? s.index : s.rangeSerial;
    const Point m = centreOf(c);
    c.paint([&](Point p) { return boxDistance(p, m, w * 0.5f - 1 - 3, h * 0.5f - 1 - 3) - 3; },
            [&](Point p) { return mix({0.12f, 0.2f, 0.35f, 0.95f}, kPanel, std::clamp(p.y / h, 0.f, 1.f)); });
    const Rgba trim = pilot < 4 ? kTrims[size_t(pilot)] : kGold;
    const Point head{w * 0.5f, h * 0.42f};
    const float r = w * 0.24f;
    const Point shoulders[] = {
        {w * 0.14f, h * 0.96f}, {w * 0.26f, h * 0.72f}, {w * 0.74f, h * 0.72f}, {w * 0.86f, h * 0.96f}};
    c.fill([&](Point p) { return polygonDistance(p, shoulders); }, pilot < 4 ? trim : kSteelDark);
    if (pilot < 4) {
        c.paint([&](Point p) { return circleDistance(p, head, r); },
                [&](Point p) { return mix(kWhite, kSteel, std::clamp((p.y - head.y + r) / (2 * r), 0.f, 1.f)); });
        const Point visor{head.x, head.y + r * 0.15f};
        c.fill([&](Point p) { return boxDistance(p, visor, r * 0.8f, r * 0.22f) - r * 0.1f; }, trim);
        c.fill([&](Point p) { return boxDistance(p, {head.x - r * 0.3f, head.y + r * 0.08f}, r * 0.2f, r * 0.05f); },
               withAlpha(kWhite, 0.8f));
    } else {
        c.fill([&](Point p) { return circleDistance(p, head, r * 0.9f); }, kSteel);
        c.fill([&](Point p) { return std::max(std::abs(circleDistance(p, head, r * 1.1f)) - r * 0.12f, p.y - head.y); },
               trim);
        const Point ear{head.x + r * 1.1f, head.y}, mic{head.x + r * 0.2f, head.y + r * 0.9f};
        c.fill([&](Point p) { return circleDistance(p, ear, r * 0.3f); }, trim);
        c.fill([&](Point p) { return segmentDistance(p, ear, mic, r * 0.1f); }, trim);
    }
    c.fill([&](Point p) { return std::abs(boxDistance(p, m, w * 0.5f - 1 - 3, h * 0.5f - 1 - 3) - 3) - 0.6f; }, trim);
}

// The message window: a panel with a framed place for the portrait at the
// left.
void drawWindow(Cell& c, const PlacedSprite& s) {
    drawPanel(c, s);
    const float h = float(c.height());
    const float side = h - 8;
    const Point slot{4 + side * 0.5f, h * 0.5f};
    c.fill([&](Point p) { return boxDistance(p, slot, side * 0.5f, side * 0.5f); }, {0.01f, 0.02f, 0.05f, 0.9f});
    c.fill([&](Point p) { return std::abs(boxDistance(p, slot, side * 0.5f, side * 0.5f)) - 0.5f; }, kEdge);
}

// The replay's input display: a dot for no direction, then the eight
// directions from up clockwise, then the buttons in released and pressed
// pairs.
void drawInput(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Point m = centreOf(c);
    const float r = std::min(w, h) * 0.42f;
    if (s.index == 0) {
        c.fill([&](Point p) { return circleDistance(p, m, r * 0.3f); }, kEdge);
        return;
    }
    if (s.index <= 8) {
        const float angle = float(s.index - 1) * kPi / 4;
        const Point tip = turned({m.x, m.y - r}, m, angle), left = turned({m.x - r * 0.6f, m.y}, m, angle),
                    right = turned({m.x + r * 0.6f, m.y}, m, angle), tail = turned({m.x, m.y + r * 0.8f}, m, angle);
        const Point head[] = {tip, right, left};
        c.fill([&](Point p) { return std::min(polygonDistance(p, head), segmentDistance(p, m, tail, r * 0.2f)); },
               kWhite);
        return;
    }
    const bool pressed = (s.index - 9) % 2 == 1;
    const Rgba tone = kTrims[size_t((s.index - 9) / 2) % kTrims.size()];
    if (pressed) c.fill([&](Point p) { return circleDistance(p, m, r); }, tone);
    c.fill([&](Point p) { return std::abs(circleDistance(p, m, r)) - 0.8f; }, pressed ? kWhite : withAlpha(tone, 0.8f));
}

void drawPlain(Cell& c, const PlacedSprite&) {
    for (int32_t y = 0; y < c.height(); ++y)
        for (int32_t x = 0; x < c.width(); ++x) c.set(x, y, kWhite);
}

// The backdrop behind the playfield: deep blue, lighter towards the middle.
void drawBackdrop(Cell& c, const PlacedSprite&) {
    const float w = float(c.width()), h = float(c.height());
    for (int32_t y = 0; y < c.height(); ++y) {
        for (int32_t x = 0; x < c.width(); ++x) {
            const float d = std::hypot((float(x) - w * 0.5f) / w, (float(y) - h * 0.5f) / h);
            c.set(x, y, mix({0.08f, 0.1f, 0.2f, 1}, {0.01f, 0.01f, 0.04f, 1}, std::clamp(d * 1.6f, 0.f, 1.f)));
        }
    }
}

// Words alone (a label draws them) over nothing, so the screen they are
// drawn on shows around the letters.
void drawCaption(Cell&, const PlacedSprite&) {}

struct Style {
    std::string_view name;
    void (*draw)(Cell&, const PlacedSprite&);
};

constexpr Style kStyles[] = {
    {"fighter", drawFighter}, {"fshot", drawShotOfKind}, {"eshot", drawEnemyShot}, {"puff", drawPuff},
    {"explosion", drawExplosion}, {"glow", drawGlow}, {"enemy", drawHull}, {"boss", drawBoss},
    {"carrier", drawCarrier}, {"ground", drawGround}, {"wreck", drawWreck}, {"marker", drawMarker},
    {"item", drawToken}, {"panel", drawPanel}, {"hud", drawHud}, {"plain", drawPlain}, {"backdrop", drawBackdrop},
    {"network", drawNetwork}, {"arrow", drawArrow}, {"bar", drawBar}, {"gauge", drawGauge}, {"portrait", drawPortrait},
    {"window", drawWindow}, {"input", drawInput}, {"caption", drawCaption}, {"digit", drawDigit},
    {"flame", drawFlame}, {"burner", drawBurner}, {"ring", drawRing}, {"burst", drawBurst}, {"tag", drawTag},
    {"cursor", drawCursor}, {"figure", drawFigure}, {"sky", drawSky}, {"door", drawDoor}, {"block", drawBlock},
    {"satellite", drawSatellite}, {"heavy", drawHeavy},
};

}  // namespace

void drawSprite(Cell& cell, const PlacedSprite& sprite) {
    for (const Style& style : kStyles) {
        if (style.name == sprite.group->style) {
            style.draw(cell, sprite);
            return;
        }
    }
    drawPanel(cell, sprite);
}

}  // namespace content
