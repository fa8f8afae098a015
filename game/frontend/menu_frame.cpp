#include "game/frontend/menu_frame.h"

#include <algorithm>

#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/screen_effects.h"
#include "game/frontend/scene.h"

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

constexpr int32_t kFrameFadeIdle = 100;
constexpr int32_t kFramePlayOnce = 1;
constexpr int32_t kFramePlayForEver = 0;
constexpr float kFrameGlowLit = 0.5f;
constexpr float kFrameGlowFade = 0.005f;
constexpr int kFrameGlowPeriod = 10;
constexpr int kFrameGlowBlock = 4;

const MenuFrameLabels& screenLabels() {
    const bool known = menuFrameScreen >= 0 && menuFrameScreen < kMenuFrameScreens;
    return kMenuFrameLabels[known ? size_t(menuFrameScreen) : 0];
}

void setFrameShown(int32_t slot, bool shown) {
    GameTask* task = GameTask::getInstance();
    if (task == nullptr || !sceneSlotOpen(slot)) return;
    if (shown) {
        task->showMotion(slot);
    } else {
        task->hideMotion(slot);
    }
}

void playOnFrameSlot(int32_t slot, int32_t loops, const char* label) {
    if (sceneSlotOpen(slot)) SDL2_wheel_MotionPlay(slot, loops, screenLabels().object, label);
}

void stepFrameState() {
    switch (menuFrameState) {
    case kMenuFrameStart: {
        const char* start = screenLabels().start[menuFrameStartAlt != 0 ? 1 : 0];
        playOnFrameSlot(menuFrameSlot, kFramePlayOnce, start);
        playOnFrameSlot(menuFrameBgSlot, kFramePlayOnce, start);
        menuFrameState = kMenuFrameLoop;
        break;
    }
    case kMenuFrameLoop:
        if (sceneSlotOpen(menuFrameSlot) && SDL2_wheel_MotionGetLoopCount(menuFrameSlot) == 1) {
            playOnFrameSlot(menuFrameSlot, kFramePlayForEver, screenLabels().loop);
        }
        break;
    case kMenuFrameEnd:
        playOnFrameSlot(menuFrameSlot, kFramePlayOnce, screenLabels().end[menuFrameEndAlt != 0 ? 1 : 0]);
        menuFrameState = kMenuFrameWait;
        break;
    case kMenuFrameWait:
        if (sceneLabelPlayed(menuFrameSlot)) menuFrameState = kMenuFrameDone;
        break;
    default:
        break;
    }
}

// The loop counts, and a new label in effect in this frame.
void bookKeepFrameSlot(int32_t slot) {
    if (!sceneSlotOpen(slot)) return;
    SDL2_wheel_MotionUpdateLoop(slot);
    SDL2_wheel_MotionRefresh(slot);
}

void stepFrameBackground() {
    if (menuFrameBgLooping != 0 || !sceneSlotOpen(menuFrameBgSlot)) return;
    if (SDL2_wheel_MotionGetLoopCount(menuFrameBgSlot) != 1) return;
    playOnFrameSlot(menuFrameBgSlot, kFramePlayForEver, screenLabels().loop);
    menuFrameBgLooping = 1;
}

// One cell lit in each 4 by 4 block from the top left, the column drawn first.
void stepFrameGlow() {
    for (int r = 0; r < kMenuFrameGlowRows; ++r) {
        for (int c = 0; c < kMenuFrameGlowColumns; ++c) {
            menuFrameGlow[r][c] = std::max(0.0f, menuFrameGlow[r][c] - kFrameGlowFade);
        }
    }
    if (menuFrameGlowCounter % kFrameGlowPeriod == 0) {
        for (int column = 0; column < kMenuFrameGlowKept; column += kFrameGlowBlock) {
            for (int row = 0; row < kMenuFrameGlowKept; row += kFrameGlowBlock) {
                const int c = column + randRange(kFrameGlowBlock);
                const int r = row + randRange(kFrameGlowBlock);
                menuFrameGlow[r][c] = kFrameGlowLit;
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
    TSKfadeStart(1, kFrameFadeIdle, 0, 0, 0, 0.0f);
    setFrameShown(menuFrameSlot, true);
    setFrameShown(menuFrameBgSlot, true);
}

void CloseMenuFrame() {
    menuFrameHidden = 1;
    menuFrameScreen = 0;
    menuFrameState = kMenuFrameDone;
    setFrameShown(menuFrameSlot, false);
    setFrameShown(menuFrameBgSlot, false);
}

void menuFrameUpdate() {
    if (menuFrameHidden != 0) return;
    stepFrameState();
    bookKeepFrameSlot(menuFrameSlot);
    bookKeepFrameSlot(menuFrameBgSlot);
    stepFrameBackground();
    stepFrameGlow();
}
