#pragma once
// 4 x 4 matrices in the device's row-vector layout: a point p (a row
// [x y z w]) maps to p.M, so A.B applies A first, then B. The projection of
// the 2D transform is built and kept in this layout.
//
// Threads: pure functions.

#include "engine/render/matrix34.h"
#include "platform/device/device.h"

struct MVector4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

struct MMatrix44 {
    float m[4][4] = {};

    static MMatrix44 identity();
};

MMatrix44 matrix44Multiply(const MMatrix44& a, const MMatrix44& b);
MMatrix44 matrix44Transpose(const MMatrix44& a);
MMatrix44 matrix44Scaling(float x, float y, float z);
// False, with out unchanged, when a is singular.
bool matrix44Inverse(const MMatrix44& a, MMatrix44& out);
MVector4 vector4Transform(const MVector4& v, const MMatrix44& a);

// The pixel position of a point through world, view and projection and the
// viewport: x = X + (1 + x/w) W/2, y = Y + (1 - y/w) H/2, z = minZ + z/w
// (maxZ - minZ).
MVector3 vector3Project(const MVector3& p, const platform::Viewport& viewport, const MMatrix44& projection,
                        const MMatrix44& view, const MMatrix44& world);
