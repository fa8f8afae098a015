#include "engine/render/matrix44.h"

#include <cmath>

MMatrix44 MMatrix44::identity() {
    MMatrix44 r;
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

MMatrix44 matrix44Multiply(const MMatrix44& a, const MMatrix44& b) {
    MMatrix44 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    }
    return r;
}

MMatrix44 matrix44Transpose(const MMatrix44& a) {
    MMatrix44 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) r.m[i][j] = a.m[j][i];
    return r;
}

MMatrix44 matrix44Scaling(float x, float y, float z) {
    MMatrix44 r;
    r.m[0][0] = x;
    r.m[1][1] = y;
    r.m[2][2] = z;
    r.m[3][3] = 1.0f;
    return r;
}

namespace {

// The determinant of the 3 x 3 minor of a without row r and column c.
float minor3(const MMatrix44& a, int r, int c) {
    int rows[3], cols[3];
    for (int i = 0, n = 0; i < 4; ++i)
        if (i != r) rows[n++] = i;
    for (int j = 0, n = 0; j < 4; ++j)
        if (j != c) cols[n++] = j;
    const auto e = [&](int i, int j) { return a.m[rows[i]][cols[j]]; };
    return e(0, 0) * (e(1, 1) * e(2, 2) - e(1, 2) * e(2, 1)) - e(0, 1) * (e(1, 0) * e(2, 2) - e(1, 2) * e(2, 0)) +
           e(0, 2) * (e(1, 0) * e(2, 1) - e(1, 1) * e(2, 0));
}

}  // namespace

bool matrix44Inverse(const MMatrix44& a, MMatrix44& out) {
    MMatrix44 cofactors;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) cofactors.m[i][j] = ((i + j) % 2 ? -1.0f : 1.0f) * minor3(a, i, j);
    float determinant = 0.0f;
    for (int j = 0; j < 4; ++j) determinant += a.m[0][j] * cofactors.m[0][j];
    if (determinant == 0.0f || !std::isfinite(determinant)) return false;
    // The inverse is the adjugate (the transposed cofactors) over the determinant.
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) out.m[i][j] = cofactors.m[j][i] / determinant;
    return true;
}

MVector4 vector4Transform(const MVector4& v, const MMatrix44& a) {
    const auto column = [&](int j) { return v.x * a.m[0][j] + v.y * a.m[1][j] + v.z * a.m[2][j] + v.w * a.m[3][j]; };
    return {column(0), column(1), column(2), column(3)};
}

MVector3 vector3Project(const MVector3& p, const platform::Viewport& viewport, const MMatrix44& projection,
                        const MMatrix44& view, const MMatrix44& world) {
    const MMatrix44 all = matrix44Multiply(matrix44Multiply(world, view), projection);
    const MVector4 clip = vector4Transform({p.x, p.y, p.z, 1.0f}, all);
    const float w = clip.w != 0.0f ? clip.w : 1.0f;
    return {float(viewport.x) + (1.0f + clip.x / w) * float(viewport.width) * 0.5f,
            float(viewport.y) + (1.0f - clip.y / w) * float(viewport.height) * 0.5f,
            viewport.minZ + clip.z / w * (viewport.maxZ - viewport.minZ)};
}
