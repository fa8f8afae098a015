#pragma once
// The shared two-point menu cursor: two bracket points that ease toward the
// targets a menu writes every frame, covering about half the way a step and
// snapping on within 2 units. The draw callbacks read the left point.
//
// Threads: main thread only.

#include <cstdint>

struct MenuCursor {
    float leftX, leftY, rightX, rightY;
    float targetLeftX, targetLeftY, targetRightX, targetRightY;
    // Each point's heading toward its target (1024 a turn, 0 up, clockwise)
    // and its last step's length.
    int32_t leftDirection, rightDirection;
    float leftSpeed, rightSpeed;
};
extern MenuCursor menuCursor;
// One more every menuCursorUpdate.
extern int32_t menuCursorFrame;

// Both points and both targets at (x, y), standing still.
void menuCursorSet(float x, float y);
// The left point.
void menuCursorGet(float* x, float* y);
// One easing step of both points; the caller writes the targets first.
void menuCursorUpdate();
// The step's length for a distance: the first row whose threshold the
// distance exceeds, else 0.
float menuCursorSpeed(float distance);
