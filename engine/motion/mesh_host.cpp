#include "engine/motion/mesh_host.h"

#include <cmath>

#include "engine/motion/interpolation.h"
#include "engine/motion/mesh_kernels.h"

namespace {

constexpr float kProbe = 0.0001f;
constexpr float kDegreesPerRadian = 360.0f / 6.2831855f;

MMotionPoint apply(const MMotionMatrix2& m, float x, float y) { return {m.a * x + m.b * y, m.c * x + m.d * y}; }

// Twice the area of the triangle p, q, r, taken as a positive number.
float doubleArea(MMotionPoint p, MMotionPoint q, MMotionPoint r) {
    return std::fabs((r.y - p.y) * (q.x - p.x) - (r.x - p.x) * (q.y - p.y));
}

}  // namespace

void followMeshPatch(const float* controls, MMotionPoint origin, float width, float height, int32_t syncMask,
                     MMotionMeshFollower& child) {
    if (width == 0.0f || height == 0.0f) return;
    const float u = (child.x + origin.x) / width;
    const float v = (child.y + origin.y) / height;
    const MMotionPoint at = meshPointAt(u, v, controls);
    child.x = width * at.x - origin.x;
    child.y = height * at.y - origin.y;
    const bool angle = (syncMask & kMeshSyncAngle) && (child.inheritMask & 0x10);
    const bool zoom = (syncMask & kMeshSyncZoom) && (child.inheritMask & 0x60);
    if (!angle && !zoom) return;
    const MMotionPoint a = meshPointAt(u - kProbe, v, controls);
    const MMotionPoint b = meshPointAt(u + kProbe, v, controls);
    const MMotionPoint c = meshPointAt(u, v - kProbe, controls);
    const MMotionPoint d = meshPointAt(u, v + kProbe, controls);
    if (angle) {
        child.angle += (std::atan2(-(d.x - c.x), d.y - c.y) + std::atan2(b.y - a.y, b.x - a.x)) * 0.5f *
                       kDegreesPerRadian;
    }
    if (zoom) {
        const float s = std::sqrt(2.0f * (doubleArea(a, b, c) * 0.5f + doubleArea(a, b, d) * 0.5f)) / 0.0002f;
        if (child.inheritMask & 0x20) child.zoomX *= s;
        if (child.inheritMask & 0x40) child.zoomY *= s;
    }
}

MMotionPoint meshGridOrigin(float x, float y, float z, float depthSlope, MMotionPoint origin, const MMotionMatrix2& m) {
    const MMotionPoint turned = apply(m, origin.x, origin.y);
    return {x - turned.x, y + z * depthSlope - turned.y};
}

int32_t meshDivisionOf(int32_t meshDivision, float divisionScale) {
    return int32_t(float(meshDivision) * divisionScale);
}

int32_t hostMeshDivision(int32_t hostDivision, int32_t width, int32_t height, int32_t hostWidth, int32_t hostHeight) {
    const int64_t hostSize = int64_t(hostWidth) + hostHeight;
    // A host without size has nothing to scale by: its own division stands.
    if (hostSize == 0) return hostDivision;
    return int32_t(int64_t(hostDivision) * (int64_t(width) + height) / hostSize);
}

void fillRectangleGrid(MMotionVertexGrid& grid, const MMotionMatrix2& m, MMotionPoint origin, float width,
                       float height, int32_t columns, int32_t rows) {
    grid.columns = columns < 1 ? 1 : columns;
    grid.rows = rows < 1 ? 1 : rows;
    const MMotionPoint tl = origin;
    const MMotionPoint tr{m.a * width + origin.x, m.c * width + origin.y};
    const MMotionPoint bl{m.b * height + origin.x, m.d * height + origin.y};
    const MMotionPoint br{m.a * width + m.b * height + origin.x, m.c * width + m.d * height + origin.y};
    grid.points.clear();
    grid.points.reserve(2 * size_t(grid.columns + 1) * size_t(grid.rows + 1));
    for (int32_t r = 0; r <= grid.rows; ++r) {
        const float v = float(r) / float(grid.rows);
        for (int32_t c = 0; c <= grid.columns; ++c) {
            const float u = float(c) / float(grid.columns);
            grid.points.push_back((1 - u) * ((1 - v) * tl.x + v * bl.x) + u * ((1 - v) * tr.x + v * br.x));
            grid.points.push_back((1 - u) * ((1 - v) * tl.y + v * bl.y) + u * ((1 - v) * tr.y + v * br.y));
        }
    }
    grid.resetBounds();
}

MMotionMatrix2 meshPlacementMatrix(const MMotionMatrix2& m, float width, float height) {
    return {width * m.a, height * m.b, width * m.c, height * m.d};
}

void placeMeshHost(MMotionMeshHost& host, const float* controls, const MMotionMatrix2& a, MMotionPoint origin) {
    const float det = a.a * a.d - a.b * a.c;
    host.inverse = det != 0.0f ? MMotionMatrix2{a.d / det, -a.b / det, -a.c / det, a.a / det}
                               : MMotionMatrix2{0.0f, 0.0f, 0.0f, 0.0f};
    host.offset = {-origin.x, -origin.y};
    for (size_t i = 0; i < 16; ++i) {
        const MMotionPoint p = apply(a, controls[2 * i], controls[2 * i + 1]);
        host.placed[2 * i] = p.x + origin.x;
        host.placed[2 * i + 1] = p.y + origin.y;
    }
}

void bendThroughHost(const MMotionMeshHost& host, float* points, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const MMotionPoint unit = apply(host.inverse, points[2 * i] + host.offset.x, points[2 * i + 1] + host.offset.y);
        points[2 * i] = unit.x;
        points[2 * i + 1] = unit.y;
    }
    evalBezierPatch(points, count, host.placed);
}

void carryThroughHosts(MMotionVertexGrid& grid, MMotionPoint& origin, const std::vector<const MMotionMeshHost*>& hosts,
                       bool rigidFollower) {
    bool bending = !rigidFollower;
    bool bent = false;
    MMotionPoint stoppedAt = origin;
    for (const MMotionMeshHost* host : hosts) {
        if (host->meshHost) {
            float o[2] = {origin.x, origin.y};
            bendThroughHost(*host, o, 1);
            origin = {o[0], o[1]};
            if (bending) {
                bendThroughHost(*host, grid.points.data(), grid.points.size() / 2);
                bent = true;
            }
        }
        if (bending) {
            stoppedAt = origin;
            bending = !host->rigidFollower;
        }
    }
    const float dx = origin.x - stoppedAt.x, dy = origin.y - stoppedAt.y;
    if (dx != 0.0f || dy != 0.0f) {
        for (size_t i = 0; i + 1 < grid.points.size(); i += 2) {
            grid.points[i] += dx;
            grid.points[i + 1] += dy;
        }
        bent = true;
    }
    if (bent) grid.resetBounds();
}
