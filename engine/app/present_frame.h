#pragma once
// presentFrame: the end of every frame, called by the loop's frame step
// through the window shell. It paces the frame to the period (1/60 s at speed
// 100) unless the display device presents with vertical sync (with no device
// it paces on the clock), then, when the application object has its window
// holder, runs the application object's own task (deleting it once the
// application has terminated) and has the device present.
//
// Threads: main thread only.

void presentFrame();
