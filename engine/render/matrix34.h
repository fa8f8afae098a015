#pragma once
// The renderer's 2D transforms: affine 3 x 4 matrices in row order. Row i
// maps a point p to m[i][0] x + m[i][1] y + m[i][2] z + m[i][3] (column
// vectors; the fourth row is implicitly 0 0 0 1). The product a.b applies
// b first, then a.
//
// Threads: pure functions.

struct MVector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct MMatrix34 {
    float m[3][4] = {};

    static MMatrix34 identity();
    MVector3 apply(const MVector3& p) const;
};

// out = a.b; out may be a or b.
void matrixMultiply(const MMatrix34& a, const MMatrix34& b, MMatrix34& out);

// A view from eye towards target: z = normalise(eye - target), x =
// normalise(up x z), y = z x x; the rows are (x, -x.eye), (y, -y.eye),
// (z, -z.eye).
void matrixLookAt(MMatrix34& out, const MVector3& eye, const MVector3& up, const MVector3& target);

// Rotation by angle radians about z: rows (cos, -sin, 0, 0), (sin, cos, 0, 0), (0, 0, 1, 0).
MMatrix34 matrixRotationZ(float angle);
