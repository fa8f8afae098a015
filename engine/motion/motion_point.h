#pragma once
// The small value types the curve and mesh code hands around: a 2-D point
// (a path's answer, one point of a patch) and the 2 by 2 matrix that places a
// mesh patch on the screen.
//
// Threads: plain values.

struct MMotionPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// Maps (x, y) to (a x + b y, c x + d y).
struct MMotionMatrix2 {
    float a = 1.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 1.0f;
};
