#pragma once
// The task sets through which task trees place what they draw.
// M2DCameraRoot resets the camera to the origin, unscaled and unturned, and
// draws its children. M2DCameraLocator draws its children under its own
// place: scaled about its pivot, turned, moved, and clipped to its clip
// rectangle (projected to the screen and cut to the scissor rectangle in
// force); a clip rectangle with right < left or bottom < top clips nothing.
// Both need the display; without one they draw their children as they are.
//
// Threads: main thread only (the draw phase).

#include "engine/task/task_set.h"

class M2DCameraRoot : public MParallelTaskSet {
public:
    void draw(int pass) override;
};

class M2DCameraLocator : public MParallelTaskSet {
public:
    void draw(int pass) override;

    float pivotX = 0.0f;
    float pivotY = 0.0f;
    float positionX = 0.0f;
    float positionY = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float angle = 0.0f;  // radians
    float clipLeft = 1.0f;
    float clipTop = 1.0f;
    float clipRight = -1.0f;
    float clipBottom = -1.0f;

private:
    void drawClipped(int pass);
};
