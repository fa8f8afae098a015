#pragma once
// The head-up display: the INFO task of group 13, made by the play start
// with the fighter. Its act keeps the display's timers and the voice-message
// timers; its draw shows the score and HI, the mode line, the multiplier,
// the four team gauges, the energy and bonus gauges, the lives, and
// "DEMONSTRATION" or the viewer's lines. The layout is the table in hud.cpp.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

struct ObjTask;
struct ObjWork;

inline constexpr float kHudDepth = 900.0f;
inline constexpr int32_t kHudFlashFrames = 16;

// Display state: nothing here feeds play (the voice-message state, which
// does, is hashed with the fighter's).
struct HudState {
    int32_t panelLevel;     // 0..100, the result panel
    int32_t panelLevelEnd;  // 0..100, the end of a stage
    float panelAlpha;       // 0..1, shows while exactly one gauge is full
    int32_t flashCountdown;
    int32_t notFlying[4];  // per fighter type; -1 before the first test
    int32_t typeFlash[4];  // frames of the 16-frame flash left
};
HudState& hudState();
void hudStateReset();
// One frame of the act's timers.
void hudStep();

void TSKinfoAct(ObjTask* task);
void TSKinfoDraw(ObjTask* task, ObjWork* work);
// The replay viewer's input display: the direction and the four buttons.
void TSKinfoDrawInput(ObjWork* work);
// Its direction sprite for direction bits (up, down, left, right): 2665 for
// none, else 2666..2673 from up clockwise; and a button's (0..3) sprite.
int32_t hudInputDirectionFrame(uint32_t direction);
int32_t hudInputButtonFrame(int32_t button, bool held);

// The texts the draw shows, for the draw and its tests.
std::string hudScoreText(uint64_t score);
std::string hudHighText(uint64_t score);
// The best score the rankings hold for the play's category, 0 without tables.
uint64_t hudHighScore();
// "COMBO %2d" in CASUAL, " RANK %02d" in ORIGINAL and EXPERT, else empty.
std::string hudModeLine(int32_t mode, int32_t combo, int32_t rank);
// "    x%02.1f" of the score rate / 10; empty in NOVICE.
std::string hudRateText(int32_t mode, int32_t rate);
