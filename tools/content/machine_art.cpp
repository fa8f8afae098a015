#include "tools/content/machine_art.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/content/raster.h"

namespace content {
namespace {

Rgba machineColour(uint32_t colour) {
    return {float((colour >> 16) & 0xff) / 255.0f, float((colour >> 8) & 0xff) / 255.0f, float(colour & 0xff) / 255.0f,
            1.0f};
}

constexpr Rgba kDark{0.06f, 0.06f, 0.08f, 1};
constexpr Rgba kLight{1, 1, 1, 1};

// Lighter at the top, darker at the bottom, a darker rim `rim` pixels wide
// inside the shape's edge.
template <class Distance>
void paintPlate(Cell& cell, Distance&& distance, Rgba base, float rim) {
    const float h = float(cell.height());
    cell.fill(distance, mix(base, kDark, 0.65f));
    cell.paint([&](Point p) { return distance(p) + rim; },
               [&](Point p) { return mix(mix(base, kLight, 0.35f), mix(base, kDark, 0.35f), p.y / h); });
}

void rivet(Cell& cell, Point at, float radius, Rgba base) {
    cell.fill([&](Point p) { return circleDistance(p, at, radius); }, mix(base, kDark, 0.5f));
    cell.fill(
        [&](Point p) {
            return circleDistance(p, {at.x - radius * 0.3f, at.y - radius * 0.3f}, radius * 0.5f);
        },
        mix(base, kLight, 0.6f));
}

// A seam: a dark line with a light line beside it.
void seam(Cell& cell, Point a, Point b, Rgba base) {
    cell.fill([&](Point p) { return segmentDistance(p, a, b, 0.6f); }, withAlpha(mix(base, kDark, 0.6f), 0.9f));
    const Point a2{a.x + 1, a.y + 1}, b2{b.x + 1, b.y + 1};
    cell.fill([&](Point p) { return segmentDistance(p, a2, b2, 0.4f); }, withAlpha(mix(base, kLight, 0.4f), 0.6f));
}

}  // namespace

Image drawHull(const MotionPicture& picture) {
    Image image(picture.width, picture.height);
    Cell cell(image, 0, 0, picture.width, picture.height);
    const float w = float(picture.width), h = float(picture.height);
    const float corner = std::min(w, h) * 0.22f;
    const Point centre{w / 2, h / 2};
    const Rgba base = machineColour(picture.colour);
    const auto shape = [&](Point p) {
        return boxDistance(p, centre, w / 2 - corner - 0.5f, h / 2 - corner - 0.5f) - corner;
    };
    paintPlate(cell, shape, base, std::max(1.5f, std::min(w, h) * 0.06f));
    // Panel seams: one down the middle, two across.
    const float inset = corner * 0.8f;
    seam(cell, {w / 2, inset}, {w / 2, h - inset}, base);
    seam(cell, {inset, h / 3}, {w - inset, h / 3}, base);
    seam(cell, {inset, h * 2 / 3}, {w - inset, h * 2 / 3}, base);
    const float r = std::clamp(std::min(w, h) * 0.035f, 1.0f, 2.5f);
    for (const Point at :
         std::array<Point, 4>{{{inset, inset}, {w - inset, inset}, {inset, h - inset}, {w - inset, h - inset}}}) {
        rivet(cell, at, r, base);
    }
    return image;
}

Image drawWing(const MotionPicture& picture) {
    Image image(picture.width, picture.height);
    Cell cell(image, 0, 0, picture.width, picture.height);
    const float w = float(picture.width), h = float(picture.height);
    const Rgba base = machineColour(picture.colour);
    // Full height at the right (the root), a quarter of it at the left tip.
    const std::array<Point, 4> corners{{{1, h * 0.3f}, {w - 1, 1}, {w - 1, h - 1}, {1, h * 0.55f}}};
    const auto shape = [&](Point p) { return polygonDistance(p, corners); };
    paintPlate(cell, shape, base, std::max(1.5f, h * 0.08f));
    seam(cell, {w * 0.15f, h * 0.42f}, {w - 3, h * 0.5f}, base);
    seam(cell, {w * 0.55f, h * 0.22f}, {w * 0.55f, h * 0.78f}, base);
    rivet(cell, {w - 5, h * 0.2f}, 1.5f, base);
    rivet(cell, {w - 5, h * 0.8f}, 1.5f, base);
    return image;
}

Image drawGun(const MotionPicture& picture) {
    Image image(picture.width, picture.height);
    Cell cell(image, 0, 0, picture.width, picture.height);
    const float d = float(picture.width);
    const Point centre{d / 2, d / 2};
    const Rgba base = machineColour(picture.colour);
    const float mount = d * 0.32f, barrel = std::max(1.5f, d * 0.09f);
    // The barrel first, from the mount's centre to the muzzle on the lower edge.
    const Point muzzle{d / 2, d - barrel - 0.5f};
    cell.fill([&](Point p) { return segmentDistance(p, centre, muzzle, barrel + 0.8f); }, kDark);
    cell.paint([&](Point p) { return segmentDistance(p, centre, muzzle, barrel); },
               [&](Point p) {
                   return mix(mix(base, kLight, 0.5f), mix(base, kDark, 0.4f), (p.x - d / 2 + barrel) / (2 * barrel));
               });
    cell.fill([&](Point p) { return circleDistance(p, muzzle, barrel * 0.55f); }, kDark);
    // The mount: a ring and a domed cap.
    paintPlate(
        cell, [&](Point p) { return circleDistance(p, centre, mount); }, base, std::max(1.2f, mount * 0.25f));
    cell.fill(
        [&](Point p) {
            return circleDistance(p, {centre.x - mount * 0.3f, centre.y - mount * 0.3f}, mount * 0.3f);
        },
        withAlpha(kLight, 0.45f));
    return image;
}

}  // namespace content
