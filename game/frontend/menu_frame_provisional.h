#pragma once
// Provisional: the shared menu frame, its glow and its cursor, as the game
// main update, the pause menu and the main draw use them, and the ranking
// view's flag. The issue that builds the scenes and menus replaces this file.
//
// Threads: main thread only.

#include <cstdint>

inline constexpr int kMenuFrameGlowColumns = 9;
inline constexpr int kMenuFrameGlowRows = 10;

// Intensities of the glow cells at 32-pixel spacing, [row][column]; 0 or less is off.
extern float menuFrameGlow[kMenuFrameGlowRows][kMenuFrameGlowColumns];
extern int32_t menuFrameGlowCounter;
// 1 while the frame's glow is shown (set when the frame opens).
extern uint8_t menuFrameGlowOn;
// 1 after the frame was hidden, 0 after it opened.
extern uint8_t menuFrameHidden;
// 1 while the ranking view runs.
extern uint8_t rankingViewShown;

// The two bracket points of the shared menu cursor and their targets.
struct MenuCursor {
    float leftX, leftY, rightX, rightY;
    float targetLeftX, targetLeftY, targetRightX, targetRightY;
};
extern MenuCursor menuCursor;

// Both bracket points and their targets at (x, y).
void menuCursorSet(float x, float y);
// The bracket points toward their targets; the caller writes the targets
// first. The points reach them at once for now.
void menuCursorUpdate();
// The frame's step, every update after the first. Does nothing yet.
void menuFrameUpdate();
