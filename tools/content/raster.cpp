// Distance functions and blending for the sprite art.
#include "tools/content/raster.h"

#include <algorithm>
#include <cmath>

namespace content {

Rgba mix(Rgba a, Rgba b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba withAlpha(Rgba c, float a) { return {c.r, c.g, c.b, c.a * a}; }

void Cell::blend(int32_t x, int32_t y, Rgba colour, float coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    const float a = std::clamp(colour.a * coverage, 0.0f, 1.0f);
    if (a <= 0) return;
    uint8_t* px = image_.pixel(x_ + x, y_ + y);
    const float da = px[3] / 255.0f;
    const float oa = a + da * (1 - a);
    const float src[3] = {colour.r, colour.g, colour.b};
    for (int i = 0; i < 3; ++i) {
        const float dc = px[i] / 255.0f;
        const float c = (std::clamp(src[i], 0.0f, 1.0f) * a + dc * da * (1 - a)) / oa;
        px[i] = uint8_t(std::lround(std::clamp(c, 0.0f, 1.0f) * 255));
    }
    px[3] = uint8_t(std::lround(oa * 255));
}

void Cell::set(int32_t x, int32_t y, Rgba colour) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    uint8_t* px = image_.pixel(x_ + x, y_ + y);
    const float c[4] = {colour.r, colour.g, colour.b, colour.a};
    for (int i = 0; i < 4; ++i) px[i] = uint8_t(std::lround(std::clamp(c[i], 0.0f, 1.0f) * 255));
}

float circleDistance(Point p, Point centre, float radius) {
    return std::hypot(p.x - centre.x, p.y - centre.y) - radius;
}

float ellipseDistance(Point p, Point centre, float rx, float ry) {
    // Scaled circle: exact enough for the soft edge of small sprites.
    const float dx = (p.x - centre.x) / rx, dy = (p.y - centre.y) / ry;
    return (std::sqrt(dx * dx + dy * dy) - 1) * std::min(rx, ry);
}

float boxDistance(Point p, Point centre, float hw, float hh) {
    const float dx = std::abs(p.x - centre.x) - hw, dy = std::abs(p.y - centre.y) - hh;
    return std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f)) + std::min(std::max(dx, dy), 0.0f);
}

float segmentDistance(Point p, Point a, Point b, float radius) {
    const float px = p.x - a.x, py = p.y - a.y, bx = b.x - a.x, by = b.y - a.y;
    const float len = bx * bx + by * by;
    const float t = len > 0 ? std::clamp((px * bx + py * by) / len, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - bx * t, py - by * t) - radius;
}

float polygonDistance(Point p, std::span<const Point> v) {
    const size_t n = v.size();
    float d = (p.x - v[0].x) * (p.x - v[0].x) + (p.y - v[0].y) * (p.y - v[0].y);
    float s = 1;
    for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        const float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
        const float wx = p.x - v[i].x, wy = p.y - v[i].y;
        const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
        const float bx = wx - ex * t, by = wy - ey * t;
        d = std::min(d, bx * bx + by * by);
        const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = ex * wy > ey * wx;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

Point turned(Point p, Point c, float angle) {
    const float s = std::sin(angle), k = std::cos(angle);
    const float x = p.x - c.x, y = p.y - c.y;
    return {c.x + x * k - y * s, c.y + x * s + y * k};
}

}  // namespace content
