#pragma once
// The pause menu off the arcade platform: START opens it while the sequence
// allows it, up and down choose a row, button 1 takes it: RESUME starts a
// three-second countdown before play goes on, the other rows leave their
// choice in pauseChoice for the sequence. START in the menu resumes too. On
// the arcade platform START on the attract side asks the title for a play
// instead, and the menu never opens. While the replay viewer runs, left and
// right change the act passes an update.
//
// The step acts on the input words of the previous update's poll: the game
// main update runs it before it polls. The main draw shows the menu.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

inline constexpr int kPauseRows = 20;
inline constexpr int32_t kPauseCountdownFrames = 180;
inline constexpr int32_t kPauseRowTimerMax = 10;

enum PauseState : int32_t {
    kPauseClosed = 0,
    kPauseMenuShown = 1,
    kPauseCountingDown = 2,
};

extern int32_t pauseState;
extern int32_t pauseCursor;     // the selected row
extern int32_t pauseCountdown;  // frames left in the resume countdown
// Per row: 0 while its highlight bar is fully in, up to 10 when it is out.
extern std::array<int32_t, kPauseRows> pauseRowTimer;

// The title and the rows (pause_menu_tables.cpp); rows past the items are "".
extern const char* const kPauseTitle;
extern const std::array<const char*, kPauseRows> pauseMenuItems;
// Without RESTART GAME: training and score-attack plays.
extern const std::array<const char*, kPauseRows> pauseMenuItemsShort;

// 3 rows in training and score-attack plays, else 4.
int pauseMenuRowCount();
// The rows shown now.
const std::array<const char*, kPauseRows>& pauseMenuRows();

// Once an update, before the input poll.
void pauseMenuStep();
