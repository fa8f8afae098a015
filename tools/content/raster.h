#pragma once
// A small anti-aliased rasteriser for the sprite art: shapes are signed
// distance functions (negative inside, in pixels), painted into one cell of
// an image with a colour that may vary across the cell (gradients), blended
// over what is there.
//
// Threads: plain functions; a Cell writes only inside its own rectangle, so
// threads may paint different cells of one image.

#include <cstdint>
#include <span>

#include "tools/content/png_image.h"

namespace content {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

Rgba mix(Rgba a, Rgba b, float t);
Rgba withAlpha(Rgba c, float a);

struct Point {
    float x = 0, y = 0;
};

// A rectangle of an image that shapes are painted into; coordinates are the
// cell's own, (0, 0) its top-left pixel corner.
class Cell {
public:
    Cell(Image& image, int32_t x, int32_t y, int32_t w, int32_t h) : image_(image), x_(x), y_(y), w_(w), h_(h) {}
    int32_t width() const { return w_; }
    int32_t height() const { return h_; }

    // Paints where the distance is below zero, with a one-pixel soft edge.
    template <class Distance, class Colour>
    void paint(Distance&& distance, Colour&& colour) {
        for (int32_t y = 0; y < h_; ++y) {
            for (int32_t x = 0; x < w_; ++x) {
                const Point p{float(x) + 0.5f, float(y) + 0.5f};
                const float d = distance(p);
                if (d >= 0.5f) continue;
                const float coverage = d <= -0.5f ? 1.0f : 0.5f - d;
                blend(x, y, colour(p), coverage);
            }
        }
    }
    template <class Distance>
    void fill(Distance&& distance, Rgba colour) {
        paint(distance, [colour](Point) { return colour; });
    }
    void blend(int32_t x, int32_t y, Rgba colour, float coverage);
    void set(int32_t x, int32_t y, Rgba colour);

private:
    Image& image_;
    int32_t x_, y_, w_, h_;
};

float circleDistance(Point p, Point centre, float radius);
float ellipseDistance(Point p, Point centre, float rx, float ry);
float boxDistance(Point p, Point centre, float hw, float hh);
float segmentDistance(Point p, Point a, Point b, float radius);
// Any simple polygon.
float polygonDistance(Point p, std::span<const Point> corners);
// The points turned by angle (radians) about a centre.
Point turned(Point p, Point centre, float angle);

}  // namespace content
