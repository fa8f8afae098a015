// The screens' and stages' set pieces.
#include "tools/content/sprite_art_scenes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace content {
namespace {

constexpr float kScenesPi = 3.14159265f;
constexpr Rgba kScenesWhite{1, 1, 1, 1};
constexpr Rgba kScenesInk{0.05f, 0.06f, 0.09f, 1};
constexpr Rgba kScenesEdge{0.30f, 0.85f, 1.0f, 1};
constexpr Rgba kScenesSteel{0.62f, 0.66f, 0.72f, 1};
constexpr Rgba kScenesSteelDark{0.26f, 0.29f, 0.35f, 1};
constexpr Rgba kScenesHazard{1.0f, 0.78f, 0.1f, 1};

// The partners: body colours, and the character's suit.
constexpr std::array<Rgba, 5> kPartnerTones{{{0.95f, 0.45f, 0.35f, 1}, {0.4f, 0.85f, 0.45f, 1},
                                             {0.95f, 0.8f, 0.3f, 1}, {0.7f, 0.5f, 1.0f, 1},
                                             {0.4f, 0.8f, 1.0f, 1}}};
constexpr Rgba kHeroSuit{0.95f, 0.95f, 1.0f, 1};

Point scenesCentre(const Cell& c) { return {c.width() * 0.5f, c.height() * 0.5f}; }

void outlined(Cell& c, auto&& distance, Rgba colour) {
    c.fill([&](Point p) { return distance(p) - 1.0f; }, kScenesInk);
    c.fill(distance, colour);
}

// The character: a round suited figure with a visor. Pose: 0 stunned,
// 1 falling (arms up), 2 thrusting (flame below), 3 idle.
void drawHero(Cell& c, int32_t pose, int32_t frame) {
    const float w = float(c.width()), h = float(c.height());
    const float bob = frame % 2 == 0 ? 0.0f : h * 0.03f;
    const Point body{w * 0.5f, h * 0.55f + bob};
    const float r = w * 0.26f;
    if (pose == 2) {
        c.paint([&](Point p) { return ellipseDistance(p, {body.x, body.y + r * 1.35f}, r * 0.35f, r * (0.5f + 0.2f * frame)); },
                [&](Point p) { return mix(kScenesWhite, {1.0f, 0.5f, 0.1f, 0.8f}, std::clamp((p.y - body.y - r) / r, 0.f, 1.f)); });
    }
    const float armUp = pose == 1 ? -1.0f : pose == 2 ? 0.4f : 0.2f;
    for (float side : {-1.0f, 1.0f}) {
        const Point hand{body.x + side * r * 1.35f, body.y + armUp * r * 1.1f};
        outlined(c, [&](Point p) { return segmentDistance(p, {body.x + side * r * 0.7f, body.y}, hand, r * 0.22f); }, kHeroSuit);
        outlined(c, [&](Point p) { return segmentDistance(p, {body.x + side * r * 0.45f, body.y + r * 0.8f},
                                                          {body.x + side * r * 0.55f, body.y + r * 1.35f}, r * 0.24f); },
                 kHeroSuit);
    }
    outlined(c, [&](Point p) { return circleDistance(p, body, r); }, kHeroSuit);
    const float tilt = pose == 0 ? 0.5f : 0.0f;
    const Point visor = turned({body.x, body.y - r * 0.15f}, body, tilt);
    c.fill([&](Point p) { return ellipseDistance(p, visor, r * 0.65f, r * 0.35f); }, {0.15f, 0.35f, 0.8f, 1});
    c.fill([&](Point p) { return circleDistance(p, {visor.x - r * 0.25f, visor.y - r * 0.1f}, r * 0.12f); }, kScenesWhite);
    if (pose == 0) {
        for (int k = 0; k < 3; ++k) {
            const float a = float(k) * 2 * kScenesPi / 3 + float(frame) * 0.6f;
            const Point star{body.x + std::cos(a) * r * 1.2f, body.y - r * 1.3f + std::sin(a) * r * 0.3f};
            c.fill([&](Point p) { return circleDistance(p, star, r * 0.14f); }, kScenesHazard);
        }
    }
}

// A partner: kind picks the shape (round, box, cone, star, drop) and the
// colour; pose leans and squashes it; the frame bobs it.
void drawPartner(Cell& c, int32_t kind, int32_t pose, int32_t frame) {
    const float w = float(c.width()), h = float(c.height());
    const Rgba tone = kPartnerTones[size_t(kind) % kPartnerTones.size()];
    const float squash = pose == 3 ? 0.75f : pose == 4 ? 1.15f : 1.0f;
    const float lean = pose == 0 ? 0.15f * float(frame % 2 == 0 ? 1 : -1) : pose == 3 ? 0.35f : 0.0f;
    const Point m{w * 0.5f, h * 0.58f + (frame % 2) * h * 0.03f};
    const float rx = w * 0.3f / std::sqrt(squash), ry = h * 0.28f * squash;
    auto shape = [&](Point q) {
        const Point p = turned(q, m, -lean);
        switch (kind % 5) {
        case 0: return ellipseDistance(p, m, rx, ry);
        case 1: return boxDistance(p, m, rx * 0.85f, ry * 0.85f) - 2.0f;
        case 2: {
            const Point cone[] = {{m.x, m.y - ry}, {m.x + rx, m.y + ry}, {m.x - rx, m.y + ry}};
            return polygonDistance(p, cone) - 1.0f;
        }
        case 3: {
            std::array<Point, 10> star;
            for (size_t i = 0; i < star.size(); ++i) {
                const float a = float(i) * kScenesPi / 5 - kScenesPi / 2, rr = i % 2 == 0 ? 1.0f : 0.5f;
                star[i] = {m.x + std::cos(a) * rx * rr * 1.1f, m.y + std::sin(a) * ry * rr * 1.1f};
            }
            return polygonDistance(p, star);
        }
        default: {
            const Point drop[] = {{m.x, m.y - ry * 1.2f}, {m.x + rx * 0.8f, m.y + ry * 0.2f}, {m.x, m.y + ry},
                                  {m.x - rx * 0.8f, m.y + ry * 0.2f}};
            return polygonDistance(p, drop) - 1.5f;
        }
        }
    };
    outlined(c, shape, tone);
    // Eyes: shut (pose 3, hit) or open.
    for (float side : {-1.0f, 1.0f}) {
        const Point eye = turned({m.x + side * rx * 0.35f, m.y - ry * 0.15f}, m, lean);
        if (pose == 3 || pose == 4) {
            c.fill([&](Point p) { return segmentDistance(p, {eye.x - 1.5f, eye.y}, {eye.x + 1.5f, eye.y}, 0.6f); }, kScenesInk);
        } else {
            c.fill([&](Point p) { return circleDistance(p, eye, 1.6f); }, kScenesWhite);
            c.fill([&](Point p) { return circleDistance(p, {eye.x + 0.4f, eye.y}, 0.8f); }, kScenesInk);
        }
    }
}

}  // namespace

void drawCursor(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const float glow = s.index % 2 == 0 ? 1.0f : 0.6f;
    const float arm = std::min(w, h) * 0.35f, in = 1.5f;
    for (float sx : {0.0f, 1.0f}) {
        for (float sy : {0.0f, 1.0f}) {
            const Point corner{in + sx * (w - 2 * in), in + sy * (h - 2 * in)};
            const Point along{corner.x + (sx == 0 ? arm : -arm), corner.y};
            const Point down{corner.x, corner.y + (sy == 0 ? arm : -arm)};
            c.fill([&](Point p) { return std::min(segmentDistance(p, corner, along, 1.6f), segmentDistance(p, corner, down, 1.6f)); },
                   withAlpha(kScenesEdge, 0.5f * glow));
            c.fill([&](Point p) { return std::min(segmentDistance(p, corner, along, 0.7f), segmentDistance(p, corner, down, 0.7f)); },
                   withAlpha(kScenesWhite, glow));
        }
    }
}

void drawFigure(Cell& c, const PlacedSprite& s) {
    if (s.rangeSerial == 0) return drawHero(c, 0, s.index);
    if (s.rangeSerial == 1) return drawHero(c, 1 + std::min(s.index / 2, 2), s.index);
    // Partner cells: pose 3 (4 cells), 4 (2), 0 (3), 1 (4), 2 (2).
    static constexpr int32_t kPoseOf[15] = {3, 3, 3, 3, 4, 4, 0, 0, 0, 1, 1, 1, 1, 2, 2};
    static constexpr int32_t kFirstOf[5] = {6, 9, 13, 0, 4};
    const int32_t pose = kPoseOf[size_t(std::clamp(s.index, 0, 14))];
    drawPartner(c, s.rangeSerial - 2, pose, s.index - kFirstOf[size_t(pose)]);
}

void drawSky(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    if (s.count == 1) {
        c.fill([&](Point p) { return std::abs(boxDistance(p, scenesCentre(c), w * 0.5f - 3, h * 0.5f - 3)) - 1.5f; }, kScenesEdge);
        c.fill([&](Point p) { return std::abs(boxDistance(p, scenesCentre(c), w * 0.5f - 3, h * 0.5f - 3)) - 0.5f; }, kScenesWhite);
        return;
    }
    const float level = s.count > 1 ? float(s.index) / float(s.count - 1) : 0.0f;
    const Rgba top = mix({0.02f, 0.02f, 0.1f, 1}, {0.1f, 0.25f, 0.55f, 1}, level);
    const Rgba low = mix({0.1f, 0.05f, 0.25f, 1}, {0.95f, 0.55f, 0.35f, 1}, level);
    for (int32_t y = 0; y < c.height(); ++y) {
        for (int32_t x = 0; x < c.width(); ++x) c.set(x, y, mix(top, low, float(y) / h));
    }
    uint32_t seed = 977u;
    for (int k = 0; k < 40; ++k) {
        seed = seed * 214013u + 2531011u;
        const Point star{w * float((seed >> 16) & 1023) / 1023.f, h * 0.6f * float((seed >> 6) & 1023) / 1023.f};
        c.fill([&](Point p) { return circleDistance(p, star, 0.6f + 0.3f * float(k % 3)); }, withAlpha(kScenesWhite, 1 - level * 0.8f));
    }
    c.paint([&](Point p) { return p.y - h * (0.8f + 0.05f * std::sin(p.x / w * 7 + 1)); },
            [&](Point) { return mix({0.04f, 0.05f, 0.1f, 1}, {0.2f, 0.18f, 0.25f, 1}, level); });
}

void drawDoor(Cell& c, const PlacedSprite& s) {
    const float w = float(c.width()), h = float(c.height());
    const int32_t frame = s.rangeSerial == 0 ? 0 : s.count - 1;
    if (s.index == frame) {
        const float t = std::min(w, h) * 0.12f;
        auto ring = [&](Point p) { return std::abs(boxDistance(p, scenesCentre(c), w * 0.5f - t * 0.5f - 1, h * 0.5f - t * 0.5f - 1)) - t * 0.5f; };
        c.paint(ring, [&](Point p) {
            const bool stripe = std::fmod(p.x + p.y, t * 2) < t;
            return stripe ? kScenesHazard : kScenesInk;
        });
        c.fill([&](Point p) { return std::abs(ring(p)) - 0.6f; }, kScenesSteelDark);
        return;
    }
    // A leaf: the left leaf fills the left half, its seam at the middle.
    const bool left = s.index == (s.rangeSerial == 0 ? 1 : 0);
    const float x0 = left ? 2.0f : w * 0.5f, x1 = left ? w * 0.5f : w - 2;
    const Point m{(x0 + x1) * 0.5f, h * 0.5f};
    c.paint([&](Point p) { return boxDistance(p, m, (x1 - x0) * 0.5f, h * 0.5f - 2); },
            [&](Point p) { return mix(kScenesSteel, kScenesSteelDark, std::clamp(std::abs(p.x - w * 0.5f) / (w * 0.5f), 0.f, 1.f)); });
    for (int k = 1; k < 4; ++k) {
        const float y = h * float(k) / 4;
        c.fill([&](Point p) { return boxDistance(p, {m.x, y}, (x1 - x0) * 0.5f - 2, 0.6f); }, kScenesSteelDark);
    }
    const float seam = left ? x1 : x0;
    c.fill([&](Point p) { return boxDistance(p, {seam, h * 0.5f}, 1.5f, h * 0.5f - 2); }, kScenesHazard);
    c.fill([&](Point p) { return std::abs(boxDistance(p, m, (x1 - x0) * 0.5f, h * 0.5f - 2)) - 0.6f; }, kScenesInk);
}

void drawBlock(Cell& c, const PlacedSprite& s) {
    const Point m = scenesCentre(c);
    const float r = std::min(c.width(), c.height()) * 0.32f;
    const float a = float(s.index) * kScenesPi / 12;
    std::array<Point, 4> box;
    for (size_t i = 0; i < box.size(); ++i) box[i] = turned({m.x + (i == 1 || i == 2 ? r : -r), m.y + (i >= 2 ? r : -r)}, m, a);
    c.fill([&](Point p) { return polygonDistance(p, box) - 2.0f; }, kScenesInk);
    c.paint([&](Point p) { return polygonDistance(p, box); },
            [&](Point p) { return mix({0.75f, 0.62f, 0.45f, 1}, {0.35f, 0.28f, 0.22f, 1}, std::clamp((p.y - m.y + r) / (2 * r), 0.f, 1.f)); });
    for (const Point& corner : box) {
        const Point rivet{m.x + (corner.x - m.x) * 0.7f, m.y + (corner.y - m.y) * 0.7f};
        c.fill([&](Point p) { return circleDistance(p, rivet, 1.2f); }, kScenesInk);
    }
    c.fill([&](Point p) { return circleDistance(p, m, r * 0.3f); }, {1.0f, 0.35f, 0.15f, 1});
}

void drawSatellite(Cell& c, const PlacedSprite&) {
    const float w = float(c.width()), h = float(c.height());
    const Point m = scenesCentre(c);
    for (float side : {-1.0f, 1.0f}) {
        const Point panel{m.x + side * w * 0.3f, m.y};
        c.fill([&](Point p) { return boxDistance(p, panel, w * 0.17f, h * 0.14f); }, kScenesInk);
        c.fill([&](Point p) { return boxDistance(p, panel, w * 0.15f, h * 0.12f); }, {0.15f, 0.3f, 0.7f, 1});
        c.fill([&](Point p) { return boxDistance(p, panel, 0.4f, h * 0.12f); }, kScenesEdge);
    }
    c.fill([&](Point p) { return circleDistance(p, m, w * 0.2f); }, kScenesInk);
    c.paint([&](Point p) { return circleDistance(p, m, w * 0.17f); },
            [&](Point p) { return mix(kScenesWhite, kScenesSteel, std::clamp(std::hypot(p.x - m.x + 2, p.y - m.y + 2) / (w * 0.17f), 0.f, 1.f)); });
    c.fill([&](Point p) { return circleDistance(p, m, w * 0.06f); }, {1.0f, 0.25f, 0.2f, 1});
}

}  // namespace content
