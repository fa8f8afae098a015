#pragma once
// Angles of the game: integers, 1024 units a turn, 0 pointing up (towards
// smaller y), growing clockwise, so 256 points right.
//
// Threads: any; these are pure.

// Moves (x, y) by speed along the angle.
void SDL2_wheel_AngleSinCos(int angle, float* x, float* y, float speed);
// a, turned towards b by at most s units: a itself when it lies within s of
// b, else b + s or b - s; the result is in 0..1023.
int SDL2_wheel_AngleClamp(int a, int b, int s);
// The cheap distance: the larger offset plus half the smaller.
float SDL2_wheel_Distance(float x1, float y1, float x2, float y2);
