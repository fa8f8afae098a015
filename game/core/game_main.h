#pragma once
// The game's own initialisation, frame update, frame draw and release, as the
// root task and the application main call them, and the game-wide words of
// the frame update that the sequence, the stage load, the families and the
// draw read or set.
//
// gameMainUpdate (game_main_update.cpp) is the logic step: the pause menu,
// the motions' speed, the input poll, the act passes over the 32 task groups
// with slow motion and the play freezes, the per-pass steps and the collision
// pass, the sound step, the menu frame (its two motion slots opened on the
// first update), the counters. gameMainDraw (game_main_draw.cpp) adds the
// backdrop, the prompt, the credit line, the pause overlay, the menu frame's
// glow and the frames-per-second text to what the objects queued, then sorts
// and flushes the frame's draws. gameMainInit (game_main_init.cpp) and
// gameMainRelease (game_main_release.cpp) open and close the run.
//
// Threads: main thread only.

#include <cstdint>

struct ObjWork;

// 1 while the attract cycle runs (the platform update is told).
extern uint8_t attractMode;
// Act passes an update (0, 1, 2 or 4; 1 in ordinary play) and the count
// wanted from the next update on, copied at the end of every update.
extern int32_t actPassCount;
extern int32_t actPassRequest;
// Slow motion: while the countdown (updates) runs, a period N > 0 acts on
// one update in N and N < 0 skips one update in |N|. The period in force is
// never 0.
extern int32_t slowMotionFrames;
extern int32_t slowMotionPeriod;
extern int32_t slowMotionPeriodInUse;
// 1 while play is paused (menu shown or resume countdown running).
extern uint8_t gamePaused;
extern uint32_t gameFrameCounter;
// Set by the game-over scene while it runs: with the continue screen, it
// stops the play groups (1 to 5, 7 and 17).
extern uint8_t freezeByGameOver;
// Raised by START on the attract side on the arcade platform; cleared by the title.
extern uint8_t startRequest;
// Motion slots of the menu frame, -1 while none: opened by the first update,
// closed by the release.
extern int32_t menuFrameSlot;
extern int32_t menuFrameBgSlot;
// The menu frame's set-up: the first update opens its slots and moves it on;
// every later update steps the frame.
inline constexpr int32_t kMenuFrameFirstUpdate = 0;
inline constexpr int32_t kMenuFrameRunning = 100;
extern int32_t menuFrameSetUp;
// Glyphs the sprite font queued this frame; the update clears it.
extern int32_t spriteTextGlyphCount;
// Frames per second, measured over every 60 updates.
extern float fpsValue;
extern int32_t fpsFrameCount;
extern uint32_t fpsStartTime;  // milliseconds
// Owns and tints the draw's overlays.
extern ObjWork* gameMainOwner;
// Owns the resume countdown's digits; made on the first countdown.
extern ObjWork* bigDigitOwner;

void gameMainInit();
// False ends the game: keepRunning false, or the sequence asked to exit.
bool gameMainUpdate(bool keepRunning);
// The pause closed and unallowed, the frame counter 0: at the start and
// when the update ends the game.
void gameMainResetPause();
void gameMainDraw();
void gameMainRelease();
