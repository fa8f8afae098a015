// A shape of its own for every kind: shots, air enemies, items, mid-bosses.
#include "tools/content/sprite_art_kinds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace content {
namespace {

constexpr float kKindsPi = 3.14159265f;
constexpr Rgba kKindsWhite{1, 1, 1, 1};
constexpr Rgba kKindsInk{0.05f, 0.06f, 0.09f, 1};
constexpr Rgba kKindsRim{0.06f, 0.02f, 0.05f, 0.92f};
constexpr Rgba kKindsSteel{0.70f, 0.76f, 0.84f, 1};
constexpr Rgba kKindsSteelDark{0.30f, 0.35f, 0.45f, 1};
constexpr Rgba kKindsOlive{0.42f, 0.46f, 0.32f, 1};
constexpr Rgba kKindsRed{1.0f, 0.20f, 0.15f, 1};
constexpr Rgba kKindsGold{1.0f, 0.80f, 0.20f, 1};
constexpr std::array<Rgba, 4> kKindsTrims{{{0.2f, 0.6f, 1.0f, 1}, {1.0f, 0.35f, 0.3f, 1}, {0.3f, 0.9f, 0.4f, 1},
                                           {0.8f, 0.45f, 1.0f, 1}}};

float kindsPhase(const PlacedSprite& s) { return s.count > 1 ? float(s.index) / float(s.count) : 0.0f; }
Point kindsCentre(const Cell& c) { return {c.width() * 0.5f, c.height() * 0.5f}; }

// A hash of a range's place, 0..1, the same every run.
float kindsHash(int32_t a, int32_t salt) {
    uint32_t h = uint32_t(a + 1) * 2654435761u ^ uint32_t(salt + 7) * 2246822519u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return float(h & 4095) / 4095.0f;
}

// A shape drawn with a dark rim under it, so it reads on any ground.
template <class Distance, class Colour>
void rimmed(Cell& c, Distance&& distance, Colour&& colour, float rim = 1.5f) {
    c.fill([&](Point p) { return distance(p) - rim; }, kKindsRim);
    c.paint(distance, colour);
}

// Fighter shots. Families by fighter type, seven kinds each: three of the
// fighter's own, then four of its gun units (smaller).
void shotNeedles(Cell& c, float w, float h, int32_t sub, bool unit, float t, Rgba trim) {
    const int32_t needles = unit ? 1 : sub + 1;
    const float len = h * (unit ? 0.35f + 0.05f * float(sub - 3) : 0.75f) * (0.92f + 0.08f * t);
    const float width = w * (unit ? 0.12f + 0.03f * float(sub - 3) : 0.1f);
    for (int k = 0; k < needles; ++k) {
        const float x = w * 0.5f + (float(k) - float(needles - 1) * 0.5f) * w * 0.26f;
        const Point a{x, h * 0.5f - len * 0.5f}, b{x, h * 0.5f + len * 0.5f};
        rimmed(c, [&](Point p) { return segmentDistance(p, a, b, width); },
               [&](Point p) { return mix(kKindsWhite, trim, std::clamp((p.y - a.y) / len, 0.f, 1.f)); });
    }
}

void shotArrows(Cell& c, float w, float h, int32_t sub, bool unit, float t, Rgba trim) {
    const int32_t heads = unit ? 1 : sub + 1;
    const float size = w * (unit ? 0.3f + 0.03f * float(sub - 3) : 0.38f);
    for (int k = 0; k < heads; ++k) {
        const float y = h * 0.5f + (float(k) - float(heads - 1) * 0.5f) * size * 1.5f + t * 1.0f;
        const Point head[] = {{w * 0.5f, y - size}, {w * 0.5f + size, y + size * 0.7f}, {w * 0.5f, y + size * 0.25f},
                              {w * 0.5f - size, y + size * 0.7f}};
        rimmed(c, [&](Point p) { return polygonDistance(p, head); },
               [&](Point p) { return mix(kKindsWhite, trim, std::clamp((p.y - y + size) / (size * 1.7f), 0.f, 1.f)); });
    }
}

void shotBeam(Cell& c, float w, float h, int32_t sub, bool unit, float t, Rgba trim) {
    const float width = w * (unit ? 0.12f + 0.025f * float(sub - 3) : 0.2f + 0.06f * float(sub));
    const float len = unit ? h * 0.55f : h - 2.0f;
    const Point a{w * 0.5f, h * 0.5f - len * 0.5f}, b{w * 0.5f, h * 0.5f + len * 0.5f};
    rimmed(c, [&](Point p) { return segmentDistance(p, a, b, width); }, [&](Point) { return trim; }, 1.8f);
    const float core = width * (0.55f + 0.1f * t);
    c.fill([&](Point p) { return segmentDistance(p, a, b, core); }, kKindsWhite);
}

void shotOrbs(Cell& c, float w, float h, int32_t sub, bool unit, float t, Rgba trim) {
    if (unit) {
        // A small star, more points the later the kind.
        const int32_t points = 3 + (sub - 3);
        const Point m{w * 0.5f, h * 0.5f};
        std::vector<Point> star;
        for (int32_t i = 0; i < points * 2; ++i) {
            const float a = float(i) * kKindsPi / float(points) + t * kKindsPi;
            const float r = (i % 2 == 0 ? 0.42f : 0.18f) * w;
            star.push_back({m.x + std::cos(a) * r, m.y + std::sin(a) * r});
        }
        rimmed(c, [&](Point p) { return polygonDistance(p, star); }, [&](Point) { return mix(kKindsWhite, trim, 0.4f); });
        return;
    }
    const float r = w * (0.24f + 0.06f * float(sub));
    const Point m{w * 0.5f, h * 0.35f};
    c.fill([&](Point p) { return segmentDistance(p, m, {m.x, h - 2}, r * 0.35f); }, withAlpha(trim, 0.7f));
    rimmed(c, [&](Point p) { return circleDistance(p, m, r); },
           [&](Point p) { return mix(kKindsWhite, trim, std::clamp(std::hypot(p.x - m.x, p.y - m.y) / r + 0.1f * t, 0.f, 1.f)); });
}

// Hulls: a silhouette from the range's hash, facing down the screen.
struct HullShape {
    float nose, span, sweep, tail, body;
    int32_t engines;
    int32_t plan;  // 0 delta, 1 saucer, 2 twin booms, 3 rotor blades
    Rgba tone;
};

HullShape hullOf(int32_t serial, bool heavy) {
    static constexpr std::array<Rgba, 5> kTones{{{0.42f, 0.46f, 0.32f, 1}, {0.55f, 0.4f, 0.3f, 1}, {0.35f, 0.42f, 0.5f, 1},
                                                 {0.5f, 0.5f, 0.45f, 1}, {0.45f, 0.3f, 0.4f, 1}}};
    HullShape h;
    h.nose = 0.3f + 0.18f * kindsHash(serial, 1);
    h.span = 0.3f + 0.18f * kindsHash(serial, 2);
    h.sweep = -0.15f + 0.35f * kindsHash(serial, 3);
    h.tail = 0.15f + 0.2f * kindsHash(serial, 4);
    h.body = (heavy ? 0.16f : 0.08f) + 0.06f * kindsHash(serial, 5);
    h.engines = 1 + int32_t(kindsHash(serial, 6) * 2.99f);
    h.plan = serial % 4;
    h.tone = kTones[size_t(serial) % kTones.size()];
    return h;
}

// Tokens: a mark of the range's own inside the item's rim.
void markBomb(Cell& c, Point m, float r) {
    c.fill([&](Point p) { return circleDistance(p, {m.x, m.y + r * 0.15f}, r * 0.55f); }, kKindsInk);
    c.fill([&](Point p) { return segmentDistance(p, {m.x, m.y - r * 0.35f}, {m.x + r * 0.35f, m.y - r * 0.75f}, r * 0.1f); }, kKindsInk);
    c.fill([&](Point p) { return circleDistance(p, {m.x + r * 0.4f, m.y - r * 0.8f}, r * 0.15f); }, kKindsRed);
}

void markPlane(Cell& c, Point m, float r, Rgba tone) {
    const Point plane[] = {{m.x, m.y - r * 0.8f}, {m.x + r * 0.7f, m.y + r * 0.5f}, {m.x, m.y + r * 0.25f},
                           {m.x - r * 0.7f, m.y + r * 0.5f}};
    c.fill([&](Point p) { return polygonDistance(p, plane) - 0.8f; }, kKindsInk);
    c.fill([&](Point p) { return polygonDistance(p, plane); }, tone);
}

void markHeart(Cell& c, Point m, float r) {
    auto heart = [&](Point p) {
        const Point v[] = {{m.x - r * 0.72f, m.y - r * 0.1f}, {m.x + r * 0.72f, m.y - r * 0.1f}, {m.x, m.y + r * 0.75f}};
        return std::min({circleDistance(p, {m.x - r * 0.36f, m.y - r * 0.25f}, r * 0.38f),
                         circleDistance(p, {m.x + r * 0.36f, m.y - r * 0.25f}, r * 0.38f), polygonDistance(p, v)});
    };
    c.fill([&](Point p) { return heart(p) - 0.8f; }, kKindsInk);
    c.fill(heart, kKindsRed);
}

void markArrows(Cell& c, Point m, float r, int32_t count) {
    for (int32_t k = 0; k < count; ++k) {
        const float y = m.y + (float(k) - float(count - 1) * 0.5f) * r * 0.55f;
        const Point a{m.x - r * 0.55f, y + r * 0.3f}, b{m.x, y - r * 0.3f}, d{m.x + r * 0.55f, y + r * 0.3f};
        c.fill([&](Point p) { return std::min(segmentDistance(p, a, b, r * 0.14f), segmentDistance(p, b, d, r * 0.14f)); }, kKindsInk);
    }
}

void markStar(Cell& c, Point m, float r, float turn) {
    std::array<Point, 10> star;
    for (size_t i = 0; i < star.size(); ++i) {
        const float a = float(i) * kKindsPi / 5 - kKindsPi / 2 + turn;
        const float rr = (i % 2 == 0 ? 0.75f : 0.32f) * r;
        star[i] = {m.x + std::cos(a) * rr, m.y + std::sin(a) * rr};
    }
    c.fill([&](Point p) { return polygonDistance(p, star); }, kKindsInk);
}

void markGem(Cell& c, Point m, float r, Rgba tone) {
    const Point gem[] = {{m.x, m.y - r * 0.75f}, {m.x + r * 0.6f, m.y - r * 0.2f}, {m.x, m.y + r * 0.8f},
                         {m.x - r * 0.6f, m.y - r * 0.2f}};
    c.fill([&](Point p) { return polygonDistance(p, gem) - 0.8f; }, kKindsInk);
    c.paint([&](Point p) { return polygonDistance(p, gem); },
            [&](Point p) { return mix(kKindsWhite, tone, std::clamp((p.y - m.y + r) / (r * 1.6f), 0.f, 1.f)); });
}

}  // namespace

void drawShotOfKind(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const int32_t family = (s.rangeSerial / 7) % 4, sub = s.rangeSerial % 7;
    const bool unit = sub >= 3;
    const float t = std::sin(kindsPhase(s) * 2 * kKindsPi);
    const Rgba trim = kKindsTrims[size_t(family)];
    switch (family) {
    case 0: shotNeedles(c, w, h, sub, unit, t, trim); break;
    case 1: shotArrows(c, w, h, sub, unit, t, trim); break;
    case 2: shotBeam(c, w, h, sub, unit, t, trim); break;
    default: shotOrbs(c, w, h, sub, unit, t, trim); break;
    }
}

void drawHull(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const bool heavy = w >= 64;
    const HullShape k = hullOf(s.rangeSerial, heavy);
    const float cx = w * 0.5f;
    const float spin = kindsPhase(s) * 2 * kKindsPi;
    // Engines at the back (top of the cell), glowing.
    for (int32_t e = 0; e < k.engines; ++e) {
        const float x = cx + (float(e) - float(k.engines - 1) * 0.5f) * w * 0.16f;
        c.fill([&](Point p) { return ellipseDistance(p, {x, h * 0.1f}, w * 0.05f, h * (0.07f + 0.02f * std::sin(spin + float(e)))); },
               {1.0f, 0.6f, 0.2f, 0.9f});
    }
    const float wingY = h * (0.45f + k.sweep * 0.3f);
    const Point wing[] = {{cx, h * 0.3f}, {cx + w * k.span, wingY + h * k.sweep}, {cx + w * k.span * 0.8f, wingY + h * (k.sweep + 0.12f)},
                          {cx, h * 0.62f}, {cx - w * k.span * 0.8f, wingY + h * (k.sweep + 0.12f)}, {cx - w * k.span, wingY + h * k.sweep}};
    const Point body[] = {{cx, h * (0.5f + k.nose)}, {cx + w * k.body, h * 0.45f}, {cx + w * k.body * 0.8f, h * 0.12f},
                          {cx - w * k.body * 0.8f, h * 0.12f}, {cx - w * k.body, h * 0.45f}};
    const Point tail[] = {{cx, h * 0.22f}, {cx + w * k.tail, h * 0.06f}, {cx - w * k.tail, h * 0.06f}};
    const float blades = spin * 0.25f;
    auto hull = [&](Point p) {
        switch (k.plan) {
        case 1:  // a saucer with a raised rim
            return std::min(ellipseDistance(p, {cx, h * 0.5f}, w * (0.3f + k.span * 0.3f), h * (0.2f + k.body)),
                            circleDistance(p, {cx, h * 0.5f}, w * (0.12f + k.body)));
        case 2: {  // two booms joined by a wing, a pod between them
            const float boom = w * (0.14f + k.span * 0.25f);
            return std::min({segmentDistance(p, {cx - boom, h * 0.12f}, {cx - boom, h * (0.55f + k.nose)}, w * 0.07f),
                             segmentDistance(p, {cx + boom, h * 0.12f}, {cx + boom, h * (0.55f + k.nose)}, w * 0.07f),
                             boxDistance(p, {cx, h * 0.42f}, boom + w * 0.06f, h * 0.06f),
                             ellipseDistance(p, {cx, h * 0.5f}, w * 0.09f, h * (0.14f + k.body))});
        }
        case 3: {  // rotor blades about a hub, turning across the cells
            float d = circleDistance(p, {cx, h * 0.5f}, w * (0.12f + k.body * 0.6f));
            for (int b = 0; b < 3; ++b) {
                const Point tip = turned({cx, h * 0.5f - h * (0.3f + k.span * 0.3f)}, {cx, h * 0.5f}, blades + float(b) * 2.0944f);
                d = std::min(d, segmentDistance(p, {cx, h * 0.5f}, tip, w * 0.05f));
            }
            return d;
        }
        default:
            return std::min({polygonDistance(p, wing), polygonDistance(p, body), polygonDistance(p, tail)});
        }
    };
    c.fill([&](Point p) { return hull(p) - 0.9f; }, kKindsInk);
    c.paint(hull, [&](Point p) { return mix(k.tone, kKindsSteelDark, std::clamp(p.y / h, 0.f, 1.f)); });
    if (heavy) {
        // Armour plates and gun pods: a heavy enemy reads heavy.
        for (float side : {-1.0f, 1.0f}) {
            const Point plate{cx + side * w * k.span * 0.5f, wingY + h * k.sweep * 0.5f};
            c.fill([&](Point p) { return boxDistance(p, plate, w * 0.07f, h * 0.05f) - 1; }, kKindsSteelDark);
            c.fill([&](Point p) { return std::abs(boxDistance(p, plate, w * 0.07f, h * 0.05f) - 1) - 0.5f; }, kKindsInk);
            const Point pod{cx + side * w * k.span * 0.75f, wingY + h * (k.sweep + 0.1f)};
            c.fill([&](Point p) { return segmentDistance(p, pod, {pod.x, pod.y + h * 0.08f}, w * 0.025f); }, kKindsInk);
        }
        c.fill([&](Point p) { return boxDistance(p, {cx, h * 0.35f}, w * k.body * 0.5f, h * 0.1f); }, kKindsSteel);
    }
    c.fill([&](Point p) { return ellipseDistance(p, {cx, h * (0.45f + k.nose * 0.4f)}, w * 0.05f, h * 0.06f); },
           {0.15f, 0.25f, 0.45f, 1});
    const Point light = turned({cx, h * 0.3f}, {cx, h * 0.38f}, spin);
    c.fill([&](Point p) { return circleDistance(p, light, std::max(1.2f, w * 0.05f)); }, kKindsRed);
}

void drawToken(Cell& c, const PlacedSprite& s) {
    static constexpr std::array<Rgba, 5> kStageGems{{{0.3f, 0.8f, 1.0f, 1}, {0.4f, 1.0f, 0.5f, 1}, {1.0f, 0.4f, 0.4f, 1},
                                                     {0.85f, 0.5f, 1.0f, 1}, {1.0f, 0.9f, 0.4f, 1}}};
    const float w = float(c.width()), h = float(c.height());
    const Point m = kindsCentre(c);
    const int32_t serial = s.rangeSerial;
    // Medals (serials 6..9) turn; the others pulse.
    const bool medal = serial >= 6 && serial <= 9;
    const float turn = medal ? 0.3f + 0.7f * std::abs(std::cos(kindsPhase(s) * kKindsPi)) : 1.0f;
    static constexpr std::array<Rgba, 4> kMedals{{{1.0f, 0.8f, 0.2f, 1}, {0.8f, 0.82f, 0.88f, 1}, {0.85f, 0.5f, 0.25f, 1},
                                                  {0.75f, 0.95f, 1.0f, 1}}};
    const Rgba tone = medal ? kMedals[size_t(serial - 6)] : serial >= 10 ? Rgba{0.2f, 0.22f, 0.3f, 1} : kKindsGold;
    const float r = std::min(w, h) * 0.46f;
    if (medal || serial >= 10) {
        c.fill([&](Point p) { return ellipseDistance(p, m, r * turn, r); }, kKindsInk);
        c.paint([&](Point p) { return ellipseDistance(p, m, (r - 1.5f) * turn, r - 1.5f); },
                [&](Point p) { return mix(kKindsWhite, tone, std::clamp(p.y / h * 1.6f, 0.f, 1.f)); });
    } else {
        c.fill([&](Point p) { return boxDistance(p, m, r - 2, r - 2) - 2; }, kKindsInk);
        c.paint([&](Point p) { return boxDistance(p, m, r - 3.5f, r - 3.5f) - 1.5f; },
                [&](Point p) { return mix(kKindsWhite, tone, std::clamp(p.y / h * 1.6f, 0.f, 1.f)); });
    }
    const float mr = r * 0.75f;
    switch (serial) {
    case 0: markBomb(c, m, mr); break;
    case 1: markPlane(c, m, mr, kKindsTrims[size_t(s.index) % 4]); break;
    case 2: markHeart(c, m, mr); break;
    case 3: markArrows(c, m, mr, 1); break;
    case 4: markArrows(c, m, mr, 2); break;
    case 5: markStar(c, m, mr, kindsPhase(s) * kKindsPi); break;
    case 6: case 7: case 8: case 9: {
        // The value's rank as rings stamped in the coin.
        const int32_t rings = serial == 9 ? 3 : serial == 6 ? 2 : 1;
        for (int32_t k = 0; k < rings; ++k) {
            const float rr = mr * (0.75f - 0.25f * float(k));
            c.fill([&](Point p) { return std::abs(ellipseDistance(p, m, rr * turn, rr)) - 0.6f; }, withAlpha(kKindsInk, 0.7f));
        }
        if (serial == 8) c.fill([&](Point p) { return ellipseDistance(p, m, mr * 0.2f * turn, mr * 0.2f); }, withAlpha(kKindsInk, 0.7f));
        break;
    }
    default: markGem(c, m, mr, kStageGems[size_t(serial - 10) % kStageGems.size()]); break;
    }
}

void drawHeavy(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const Point m = kindsCentre(c);
    const float scale = 0.55f + 0.45f * kindsHash(s.rangeSerial, 9);
    if (s.count == 16) {
        // A turret turned to one of sixteen directions: base ring, housing, barrels.
        const float r = std::min(w, h) * 0.3f * scale;
        const float aim = float(s.index) * kKindsPi / 8;
        const int32_t barrels = 1 + s.rangeSerial % 3;
        for (int32_t k = 0; k < barrels; ++k) {
            const float off = (float(k) - float(barrels - 1) * 0.5f) * r * 0.35f;
            const Point a = turned({m.x + off, m.y}, m, aim), b = turned({m.x + off, m.y + r * 1.6f}, m, aim);
            c.fill([&](Point p) { return segmentDistance(p, a, b, r * 0.16f) - 0.8f; }, kKindsInk);
            c.fill([&](Point p) { return segmentDistance(p, a, b, r * 0.16f); }, kKindsSteelDark);
        }
        c.fill([&](Point p) { return circleDistance(p, m, r) - 1; }, kKindsInk);
        c.paint([&](Point p) { return circleDistance(p, m, r); },
                [&](Point p) { return mix(kKindsSteel, kKindsOlive, std::clamp((p.y - m.y + r) / (2 * r), 0.f, 1.f)); });
        c.fill([&](Point p) { return circleDistance(p, turned({m.x, m.y + r * 0.4f}, m, aim), r * 0.2f); }, kKindsRed);
        return;
    }
    if (s.count == 14) {
        // A shutter plate: its two halves part across the cells, red inside;
        // the last cell is broken.
        const float open = std::min(1.0f, float(s.index) / 12.0f);
        const float hw = w * 0.42f, hh = h * 0.3f;
        c.fill([&](Point p) { return boxDistance(p, m, hw, hh) - 2; }, kKindsInk);
        c.fill([&](Point p) { return boxDistance(p, m, hw * 0.9f, hh * 0.85f); }, {0.6f, 0.1f, 0.1f, 1});
        for (float side : {-1.0f, 1.0f}) {
            const float x = m.x + side * hw * (0.5f + 0.5f * open);
            c.paint([&](Point p) { return boxDistance(p, {x, m.y}, hw * 0.5f * (1 - open * 0.9f) + 0.5f, hh); },
                    [&](Point p) { return mix(kKindsSteel, kKindsSteelDark, std::clamp((p.y - m.y + hh) / (2 * hh), 0.f, 1.f)); });
        }
        for (int32_t k = 0; k <= s.rangeSerial; ++k) {
            const Point rivet{m.x - hw + 3 + float(k) * 4, m.y - hh + 2};
            c.fill([&](Point p) { return circleDistance(p, rivet, 1.0f); }, kKindsInk);
        }
        if (s.index == 13) c.fill([&](Point p) { return circleDistance(p, m, hw * 0.5f); }, {0.15f, 0.12f, 0.1f, 0.8f});
        return;
    }
    if (w < 90) {
        // A wrecked turret: a scorched ring.
        const float r = std::min(w, h) * 0.3f * scale;
        c.fill([&](Point p) { return circleDistance(p, m, r); }, {0.15f, 0.12f, 0.1f, 0.9f});
        c.fill([&](Point p) { return std::abs(circleDistance(p, m, r * 0.6f)) - 1.2f; }, {0.9f, 0.4f, 0.1f, 0.8f});
        return;
    }
    // A hull: a vehicle (tracks at both sides) or a fortress (an octagon).
    const bool tracked = s.rangeSerial % 2 == 1;
    if (tracked) {
        for (float side : {-1.0f, 1.0f}) {
            const Point track{m.x + side * w * 0.38f, m.y};
            c.fill([&](Point p) { return boxDistance(p, track, w * 0.08f, h * 0.42f) - 1; }, kKindsInk);
            c.paint([&](Point p) { return boxDistance(p, track, w * 0.07f, h * 0.41f); },
                    [&](Point p) { return std::fmod(p.y, 6.0f) < 3 ? kKindsSteelDark : kKindsSteel; });
        }
        c.fill([&](Point p) { return boxDistance(p, m, w * 0.3f, h * 0.38f) - 3; }, kKindsInk);
        c.paint([&](Point p) { return boxDistance(p, m, w * 0.29f, h * 0.37f) - 2; },
                [&](Point p) { return mix(kKindsOlive, kKindsSteelDark, std::clamp(p.y / h, 0.f, 1.f)); });
    } else {
        std::array<Point, 8> oct;
        for (size_t i = 0; i < oct.size(); ++i) {
            const float a = float(i) * kKindsPi / 4 + kKindsPi / 8;
            oct[i] = {m.x + std::cos(a) * w * 0.46f, m.y + std::sin(a) * h * 0.46f};
        }
        c.fill([&](Point p) { return polygonDistance(p, oct) - 1; }, kKindsInk);
        c.paint([&](Point p) { return polygonDistance(p, oct); },
                [&](Point p) { return mix({0.5f, 0.45f, 0.5f, 1}, {0.22f, 0.18f, 0.26f, 1}, std::clamp(p.y / h, 0.f, 1.f)); });
        c.fill([&](Point p) { return std::abs(polygonDistance(p, oct) + w * 0.1f) - 0.7f; }, kKindsInk);
    }
    c.fill([&](Point p) { return circleDistance(p, m, w * 0.08f); }, kKindsRed);
}

}  // namespace content
