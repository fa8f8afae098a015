#pragma once
// Filled shapes in the display's coordinates, untextured: a rectangle and
// an ellipse. Colours are given as 0xRRGGBBAA.
//
// Threads: main thread only (the draw phase); nothing without a display
// with a device.

#include <cstdint>

void drawFilledRect(uint32_t colour, float left, float top, float right, float bottom);
// A fan of 32 triangles around the centre, at depth z.
void drawFilledEllipse(uint32_t colour, float left, float top, float right, float bottom, float z);
