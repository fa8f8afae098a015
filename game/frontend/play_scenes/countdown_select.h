#pragma once
// The countdown selections: the game mode (TSKmodeSelect, MODE), the
// dramatic mode (TSKdramaticSelect, DRAM), the assist (TSKassistSelect,
// ATSL) and the leader (TSKplayerSelect, PLSL). One family: a 30-second
// countdown that decides by itself, an input lock, a wrapping choice, the
// leave through the menu frame's end; each starts from the card profile's
// story value and stores the choice back there when it is released.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;
struct CardProfile;

// The family's differences, one row a screen.
struct CountdownScreen {
    int32_t items;
    uint32_t minusKey, plusKey;
    float cursorStepX, cursorStepY;
    int32_t frameScreenArcade, frameScreenHome;  // the menu frame screen on open
    int32_t frameScreenAgain;                    // re-opened before its end; -1 none
    int32_t inputLock;
    int32_t music;
    int32_t openVoice;
    int32_t decideVoices[4];
    bool fadeMusicOnDecide;
    void (*store)(int32_t choice);  // the global the decision writes
    int32_t CardProfile::*profileField;
    bool releasesStage;  // return to menu also releases the stage and every task
    int32_t itemSprites[2];  // the first item's sprite by LANGUAGE 0 / other
    int32_t background, flash, cursor, frame;
    float arrowOffsets[2];  // arrow y above the cursor, by choice
};
inline constexpr int kCountdownScreens = 5;
inline constexpr int kModeScreen = 0;
inline constexpr int kAssistScreen = 1;
inline constexpr int kDramaticScreen = 2;
inline constexpr int kPlayerScreen = 3;
// GAME SELECT of the arcade platform: story or score attack, no return key.
inline constexpr int kGameScreen = 4;
extern const CountdownScreen kCountdownScreenTable[kCountdownScreens];

// The steps (the task's first act word).
inline constexpr int32_t kCountdownChoose = 10;
inline constexpr int32_t kCountdownDecided = 20;
inline constexpr int32_t kCountdownLeave = 21;
inline constexpr int32_t kCountdownWaitFrame = 22;
inline constexpr int32_t kPlayerChoose = 2;
inline constexpr int32_t kPlayerSkip = 10;
inline constexpr int kCountdownStepWord = 0;

inline constexpr int32_t kCountdownSeconds = 30;

// One screen's running values (one screen runs at a time).
struct CountdownState {
    int32_t screen;
    int32_t choice;
    int32_t lock;
    int32_t flash;
    int32_t leave;
    int32_t secondsLeft;
    int32_t tickFrames;
    int32_t stepFrames;
    // PLSL only.
    float flashAlpha;
    int32_t exitCount;
    float slideIn;
    int32_t glintCountdown;
    int32_t glint;
    int32_t figureSlot;
};
extern CountdownState countdownState;
extern int32_t assistSelectActive;
extern int32_t playerSelectActive;

void TSKmodeSelect(ObjTask* task);
void TSKdramaticSelect(ObjTask* task);
void TSKassistSelect(ObjTask* task);
void TSKplayerSelect(ObjTask* task);
void TSKgameSelect(ObjTask* task);
void countdownSelectDraw(ObjTask* task, ObjWork* work);
void playerSelectDraw(ObjTask* task, ObjWork* work);
// The leader's decide voice, by type 0..3 and pick 0..6.
int32_t playerDecideVoice(int32_t type, int32_t pick);
