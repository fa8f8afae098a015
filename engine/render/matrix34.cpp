#include "engine/render/matrix34.h"

#include <cmath>

namespace {

MVector3 cross(const MVector3& a, const MVector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(const MVector3& a, const MVector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A zero vector stays zero rather than becoming not-a-number.
MVector3 normalise(const MVector3& v) {
    const float length = std::sqrt(dot(v, v));
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}

void setRow(MMatrix34& out, int row, const MVector3& axis, const MVector3& eye) {
    out.m[row][0] = axis.x;
    out.m[row][1] = axis.y;
    out.m[row][2] = axis.z;
    out.m[row][3] = -dot(axis, eye);
}

}  // namespace

MMatrix34 MMatrix34::identity() {
    MMatrix34 r;
    r.m[0][0] = r.m[1][1] = r.m[2][2] = 1.0f;
    return r;
}

MVector3 MMatrix34::apply(const MVector3& p) const {
    const auto row = [&](int i) { return m[i][0] * p.x + m[i][1] * p.y + m[i][2] * p.z + m[i][3]; };
    return {row(0), row(1), row(2)};
}

void matrixMultiply(const MMatrix34& a, const MMatrix34& b, MMatrix34& out) {
    MMatrix34 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = j == 3 ? a.m[i][3] : 0.0f;
            for (int k = 0; k < 3; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    }
    out = r;
}

void matrixLookAt(MMatrix34& out, const MVector3& eye, const MVector3& up, const MVector3& target) {
    const MVector3 z = normalise({eye.x - target.x, eye.y - target.y, eye.z - target.z});
    const MVector3 x = normalise(cross(up, z));
    const MVector3 y = cross(z, x);
    setRow(out, 0, x, eye);
    setRow(out, 1, y, eye);
    setRow(out, 2, z, eye);
}

MMatrix34 matrixRotationZ(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    MMatrix34 r = MMatrix34::identity();
    r.m[0][0] = c;
    r.m[0][1] = -s;
    r.m[1][0] = s;
    r.m[1][1] = c;
    return r;
}
