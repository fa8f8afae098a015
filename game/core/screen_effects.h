#pragma once
// The screen quake, the screen fade and the ending placeholder: single
// instance tasks started by the sequence and the game families, stepped once
// a frame by their act. Until the object pool exists each lives in one
// static record here (provisional); the draw of the fade is left to its
// caller through fadeCoverAlpha.
//
// Threads: main thread only.

#include <cstdint>

// Added by everything drawn on the playfield; 0 while no quake runs.
extern int16_t quakeOffsetX;
extern int16_t quakeOffsetY;

struct QuakeTask {
    int32_t state = 0;
    float strengthX = 0.0f;
    float strengthY = 0.0f;
    float step = 0.0f;
    int32_t age = 0;
    int32_t frames = 0;
};

inline constexpr int32_t kFadeIn = 110;
inline constexpr int32_t kFadeOut = 120;

struct FadeTask {
    int32_t state = 0;
    float x = 0.0f;
    float y = 0.0f;
    float depth = 0.0f;
    uint8_t r = 255, g = 255, b = 255;
    float alpha = 0.0f;
    float step = 0.0f;
    int32_t age = 0;
    int32_t frames = 0;
};

struct EndingTask {
    int32_t state = 0;
};

// The running instances, null when none.
extern QuakeTask* quakeTask;
extern FadeTask* fadeTask;
extern EndingTask* endingTask;
// Set by the ending placeholder's first act for the sequence to read.
extern bool endingFlag;

// Restarts the quake: strength falls to 0 over the frames (0: one shake).
void TSKquakeStart(int32_t frames, float strength);
void TSKquakeAct(QuakeTask& task);
void TSKquakeKill(QuakeTask& task);

// Frames -1 holds the start alpha.
void TSKfadeStart(int32_t frames, int32_t kind, uint8_t r, uint8_t g, uint8_t b, float startAlpha);
void TSKfadeAct(FadeTask& task);
void TSKfadeKill(FadeTask& task);
void fadeInWhite(int32_t frames);
void fadeOutWhite(int32_t frames);
void fadeInBlack(int32_t frames);
void fadeOutBlack(int32_t frames);
// The alpha the fade's cover is drawn with; 0 draws nothing.
float fadeCoverAlpha();

// The sequence makes it; it lives for two act calls and goes on the third.
void TSKendingStart();
void TSKendingAct(EndingTask& task);
void TSKendingKill(EndingTask& task);
