#pragma once
// toggleFullscreen: switches the main window between a window and desktop
// full screen, records the state in FULLSCREEN_MODE and brings the cursor
// into line (in full screen it shows only with FULLSCREEN_CURSOR as well).
// Answers whether the window is now full screen. The window's own state
// decides the direction, so a borderless popup window is not taken for a
// full-screen one.
//
// Threads: main thread only.

bool toggleFullscreen();
