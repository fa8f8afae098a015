#include "tools/content/motion_poses.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace content {
namespace {

struct PoseValues {
    float x = 0, y = 0, angle = 0, zoomX = 1, zoomY = 1, opacity = 1;
    uint32_t colour = 0x808080;
};

float between(float a, float b, float t) { return a + (b - a) * t; }

// The layer's values at `time`, or none while it shows nothing.
std::optional<PoseValues> poseAt(const MotionLayerSpec& layer, float time) {
    const std::vector<MotionKey>& keys = layer.keys;
    if (keys.front().time > time) return std::nullopt;
    size_t k = 0;
    while (k + 1 < keys.size() && keys[k + 1].time <= time) ++k;
    const MotionKey& a = keys[k];
    if (a.hidden) return std::nullopt;
    const MotionKey& b = (k + 1 < keys.size() && !a.hold) ? keys[k + 1] : a;
    const float t = b.time > a.time ? (time - a.time) / (b.time - a.time) : 0.0f;
    return PoseValues{between(a.x, b.x, t),         between(a.y, b.y, t),
                      between(a.angle, b.angle, t), between(a.zoomX, b.zoomX, t),
                      between(a.zoomY, b.zoomY, t), between(float(a.opacity), float(b.opacity), t) / 255.0f,
                      a.colour.value_or(0x808080)};
}

void drawLayer(Image& canvas, int32_t left, int32_t top, int32_t panel, const Image& atlas, const AtlasRect& cell,
               const PoseValues& v, bool additive) {
    const float turn = v.angle * std::numbers::pi_v<float> / 180.0f;
    const float c = std::cos(turn), s = std::sin(turn);
    const float hw = float(cell.width) / 2, hh = float(cell.height) / 2;
    const float reach = std::hypot(hw * std::abs(v.zoomX), hh * std::abs(v.zoomY)) + 1;
    const float cx = float(left) + float(panel) / 2 + v.x, cy = float(top) + float(panel) / 2 + v.y;
    const float tint[3] = {float((v.colour >> 16) & 0xff) / 128.0f, float((v.colour >> 8) & 0xff) / 128.0f,
                           float(v.colour & 0xff) / 128.0f};
    for (int32_t py = std::max(top, int32_t(cy - reach)); py < std::min(top + panel, int32_t(cy + reach) + 1); ++py) {
        for (int32_t px = std::max(left, int32_t(cx - reach)); px < std::min(left + panel, int32_t(cx + reach) + 1);
             ++px) {
            const float dx = float(px) + 0.5f - cx, dy = float(py) + 0.5f - cy;
            // Turned back (the angle is clockwise on the screen), then unzoomed.
            const float lx = (dx * c + dy * s) / v.zoomX + hw, ly = (-dx * s + dy * c) / v.zoomY + hh;
            if (lx < 0 || ly < 0 || lx >= float(cell.width) || ly >= float(cell.height)) continue;
            const uint8_t* src = atlas.pixel(cell.x + int32_t(lx), cell.y + int32_t(ly));
            uint8_t* dst = canvas.pixel(px, py);
            const float alpha = float(src[3]) / 255.0f * v.opacity;
            for (int i = 0; i < 3; ++i) {
                const float colour = std::min(255.0f, float(src[i]) * tint[i]);
                const float mixed =
                    additive ? float(dst[i]) + colour * alpha : float(dst[i]) * (1 - alpha) + colour * alpha;
                dst[i] = uint8_t(std::clamp(mixed, 0.0f, 255.0f));
            }
        }
    }
}

void markLocator(Image& canvas, int32_t left, int32_t top, int32_t panel, const PoseValues& v) {
    const int32_t x = left + panel / 2 + int32_t(std::lround(v.x)), y = top + panel / 2 + int32_t(std::lround(v.y));
    for (int32_t d = -3; d <= 3; ++d) {
        for (const auto& [px, py] : {std::pair{x + d, y}, std::pair{x, y + d}}) {
            if (px < left || py < top || px >= left + panel || py >= top + panel) continue;
            uint8_t* dst = canvas.pixel(px, py);
            dst[0] = 0x40;
            dst[1] = 0xff;
            dst[2] = 0x40;
        }
    }
}

}  // namespace

Image drawMotionPoses(const MotionFileSpec& spec, const PictureAtlas& atlas, int32_t panel) {
    // Four labels a row, each its first frame over its last.
    constexpr int32_t kColumns = 4;
    const int32_t count = std::max<int32_t>(1, int32_t(spec.motions.size()));
    const int32_t columns = std::min(count, kColumns), rows = (count + kColumns - 1) / kColumns;
    Image canvas(panel * columns, panel * 2 * rows);
    for (int32_t y = 0; y < canvas.height; ++y) {
        for (int32_t x = 0; x < canvas.width; ++x) {
            uint8_t* p = canvas.pixel(x, y);
            const bool edge = x % panel == 0 || y % (2 * panel) == 0;
            p[0] = edge ? 0x60 : 0x18;
            p[1] = edge ? 0x60 : 0x1c;
            p[2] = edge ? 0x68 : 0x28;
            p[3] = 0xff;
        }
    }
    for (int32_t i = 0; i < int32_t(spec.motions.size()); ++i) {
        const MotionSpec& m = spec.motions[size_t(i)];
        const int32_t left = (i % kColumns) * panel;
        for (int32_t half = 0; half < 2; ++half) {
            const int32_t top = ((i / kColumns) * 2 + half) * panel;
            const float time = half == 0 ? 0.0f : float(m.length);
            for (const MotionLayerSpec& layer : m.layers) {
                const std::optional<PoseValues> v = poseAt(layer, time);
                if (!v) continue;
                if (layer.picture.empty()) {
                    markLocator(canvas, left, top, panel, *v);
                } else if (const auto cell = atlas.places.find(layer.picture); cell != atlas.places.end()) {
                    drawLayer(canvas, left, top, panel, atlas.image, cell->second, *v, layer.additive);
                }
            }
        }
    }
    return canvas;
}

}  // namespace content
