#pragma once
// The menu frame every menu and selection screen opens over: two motions
// (the frame on layer 900 and its background on layer 801, in the game
// main's menuFrameSlot and menuFrameBgSlot) playing one screen's labels,
// and a grid of fading glow cells. The game main update opens the slots
// and steps the frame once a frame; the game main draw queues the glow.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

// What the frame is doing: start label, loop label, end asked, end playing, done.
inline constexpr int32_t kMenuFrameStart = 0;
inline constexpr int32_t kMenuFrameLoop = 1;
inline constexpr int32_t kMenuFrameEnd = 3;
inline constexpr int32_t kMenuFrameWait = 4;
inline constexpr int32_t kMenuFrameDone = 5;

inline constexpr int kMenuFrameScreens = 4;
// The screen that draws no glow grid.
inline constexpr int32_t kMenuFrameNoGlowScreen = 3;

// The glow grid: 12 by 12 cells kept (a lit cell may fall outside the drawn
// area), the top-left 9 columns by 10 rows drawn and faded. [row][column].
inline constexpr int kMenuFrameGlowKept = 12;
inline constexpr int kMenuFrameGlowColumns = 9;
inline constexpr int kMenuFrameGlowRows = 10;
extern float menuFrameGlow[kMenuFrameGlowKept][kMenuFrameGlowKept];
extern int32_t menuFrameGlowCounter;

// 1 hides the frame and stands its sequencing still; the run starts hidden.
extern uint8_t menuFrameHidden;
extern int32_t menuFrameScreen;
extern int32_t menuFrameState;
// Non-zero picks screen 0's second start or end label.
extern int32_t menuFrameStartAlt;
extern int32_t menuFrameEndAlt;
// 1 once the background plays its loop label.
extern int32_t menuFrameBgLooping;
// 1 while the glow grid is drawn (every screen but 3).
extern int32_t menuFrameGlowOn;

// One screen's motion object and labels; both motions play the same ones.
struct MenuFrameLabels {
    const char* object;
    std::array<const char*, 2> start;  // by menuFrameStartAlt != 0
    const char* loop;
    std::array<const char*, 2> end;  // by menuFrameEndAlt != 0
};
extern const std::array<MenuFrameLabels, kMenuFrameScreens> kMenuFrameLabels;

// Shows the frame on the screen (0..3; any other reads as 0) from its start
// label, and clears the fade overlay.
void menuFrameOpen(int32_t screen);
// Hides the frame, done: screen 0, state 5.
void CloseMenuFrame();
// One frame of the frame's sequencing and glow; nothing while hidden.
void menuFrameUpdate();
