#include "game/frontend/menu_frame.h"

#include <algorithm>

#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/screen_effects.h"

float menuFrameGlow[kMenuFrameGlowKept][kMenuFrameGlowKept] = {};
int32_t menuFrameGlowCounter = 0;
uint8_t menuFrameHidden = 1;
int32_t menuFrameScreen = 0;
int32_t menuFrameState = kMenuFrameDone;
int32_t menuFrameStartAlt = 0;
int32_t menuFrameEndAlt = 0;
int32_t menuFrameBgLooping = 0;
int32_t menuFrameGlowOn = 0;

namespace {

constexpr int32_t kFadeIdle = 100;
constexpr int32_t kPlayOnce = 1;
constexpr int32_t kPlayForEver = 0;
constexpr float kGlowLit = 0.5f;
constexpr float kGlowFade = 0.005f;
constexpr int kGlowPeriod = 10;
constexpr int kGlowBlock = 4;

const MenuFrameLabels& labels() {
    const bool known = menuFrameScreen >= 0 && menuFrameScreen < kMenuFrameScreens;
    return kMenuFrameLabels[known ? size_t(menuFrameScreen) : 0];
}

bool slotOpen(int32_t slot) {
    const GameTask* task = GameTask::getInstance();
    return task != nullptr && task->motionSlots.valid(slot);
}

// A closed slot reads as played through, so the frame never waits on it.
bool playedThrough(int32_t slot) { return !slotOpen(slot) || SDL2_wheel_MotionGetLoopCount(slot) == 1; }

void setShown(int32_t slot, bool shown) {
    GameTask* task = GameTask::getInstance();
    if (task == nullptr || !slotOpen(slot)) return;
    if (shown) {
        task->showMotion(slot);
    } else {
        task->hideMotion(slot);
    }
}

void play(int32_t slot, int32_t loops, const char* label) {
    if (slotOpen(slot)) SDL2_wheel_MotionPlay(slot, loops, labels().object, label);
}

void stepState() {
    switch (menuFrameState) {
    case kMenuFrameStart: {
        const char* start = labels().start[menuFrameStartAlt != 0 ? 1 : 0];
        play(menuFrameSlot, kPlayOnce, start);
        play(menuFrameBgSlot, kPlayOnce, start);
        menuFrameState = kMenuFrameLoop;
        break;
    }
    case kMenuFrameLoop:
        if (slotOpen(menuFrameSlot) && SDL2_wheel_MotionGetLoopCount(menuFrameSlot) == 1) {
            play(menuFrameSlot, kPlayForEver, labels().loop);
        }
        break;
    case kMenuFrameEnd:
        play(menuFrameSlot, kPlayOnce, labels().end[menuFrameEndAlt != 0 ? 1 : 0]);
        menuFrameState = kMenuFrameWait;
        break;
    case kMenuFrameWait:
        if (playedThrough(menuFrameSlot)) menuFrameState = kMenuFrameDone;
        break;
    default:
        break;
    }
}

// The loop counts, and a new label in effect in this frame.
void bookKeep(int32_t slot) {
    if (!slotOpen(slot)) return;
    SDL2_wheel_MotionUpdateLoop(slot);
    SDL2_wheel_MotionRefresh(slot);
}

void stepBackground() {
    if (menuFrameBgLooping != 0 || !slotOpen(menuFrameBgSlot)) return;
    if (SDL2_wheel_MotionGetLoopCount(menuFrameBgSlot) != 1) return;
    play(menuFrameBgSlot, kPlayForEver, labels().loop);
    menuFrameBgLooping = 1;
}

// One cell lit in each 4 by 4 block from the top left, the column drawn first.
void stepGlow() {
    for (int r = 0; r < kMenuFrameGlowRows; ++r) {
        for (int c = 0; c < kMenuFrameGlowColumns; ++c) {
            menuFrameGlow[r][c] = std::max(0.0f, menuFrameGlow[r][c] - kGlowFade);
        }
    }
    if (menuFrameGlowCounter % kGlowPeriod == 0) {
        for (int column = 0; column < kMenuFrameGlowKept; column += kGlowBlock) {
            for (int row = 0; row < kMenuFrameGlowKept; row += kGlowBlock) {
                const int c = column + randRange(kGlowBlock);
                const int r = row + randRange(kGlowBlock);
                menuFrameGlow[r][c] = kGlowLit;
            }
        }
    }
    ++menuFrameGlowCounter;
}

}  // namespace

void menuFrameOpen(int32_t screen) {
    menuFrameHidden = 0;
    menuFrameScreen = screen;
    menuFrameState = kMenuFrameStart;
    menuFrameBgLooping = 0;
    menuFrameGlowOn = screen != kMenuFrameNoGlowScreen ? 1 : 0;
    TSKfadeStart(1, kFadeIdle, 0, 0, 0, 0.0f);
    setShown(menuFrameSlot, true);
    setShown(menuFrameBgSlot, true);
}

void CloseMenuFrame() {
    menuFrameHidden = 1;
    menuFrameScreen = 0;
    menuFrameState = kMenuFrameDone;
    setShown(menuFrameSlot, false);
    setShown(menuFrameBgSlot, false);
}

void menuFrameUpdate() {
    if (menuFrameHidden != 0) return;
    stepState();
    bookKeep(menuFrameSlot);
    bookKeep(menuFrameBgSlot);
    stepBackground();
    stepGlow();
}
