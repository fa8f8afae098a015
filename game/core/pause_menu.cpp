#include "game/core/pause_menu.h"

#include <algorithm>

#include "game/core/app_switches.h"
#include "game/core/bitmap_text.h"
#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/stages/stage_field.h"

int32_t pauseState = kPauseClosed;
int32_t pauseCursor = 0;
int32_t pauseCountdown = 0;
std::array<int32_t, kPauseRows> pauseRowTimer = [] {
    std::array<int32_t, kPauseRows> timers{};
    timers.fill(kPauseRowTimerMax);
    return timers;
}();

namespace {

constexpr uint32_t kUp = 0x1, kDown = 0x2, kLeft = 0x4, kRight = 0x8, kButton1 = 0x10, kStart = 0x8000;
constexpr int kSoundOk = 0;
constexpr int kSoundCursor = 2;
constexpr int32_t kPlayTraining = 8;
constexpr int32_t kPlayReplayViewer = 6;
constexpr int32_t kMenuGroup = 13;
constexpr int32_t kViewerSettleFrames = 10;
constexpr int32_t kMaxActPasses = 4;
constexpr float kCentreX = 112.0f;
constexpr float kFirstRowY = 118.0f;
constexpr float kRowPitch = 12.0f;
constexpr int32_t kBracketMargin = 40;

bool pressed(uint32_t bits) { return (padPressed & bits) != 0; }
bool repeated(uint32_t bits) { return (padRepeat & bits) != 0; }

void openMenu() {
    SDL2_wheel_SoundPlaySE(kSoundOk, false);
    pauseState = kPauseMenuShown;
    gamePaused = 1;
    pauseCountdown = 0;
    pauseCursor = 0;
    menuCursorSet(kCentreX, kFirstRowY);
    SDL2_wheel_SoundPauseAll();
    pauseRowTimer.fill(kPauseRowTimerMax);
}

// Halving and doubling the act passes: 4, 2, 1, 0 and back. Right wins when
// both are pressed: both read the count in force.
void replayViewerSpeed() {
    if (menuResultCode != kPlayReplayViewer || stageFrame <= kViewerSettleFrames) return;
    if (OBJtaskCountByTag(kMenuGroup, objTag("MENU")) != 0) return;
    if (pressed(kLeft)) actPassRequest = actPassCount == 1 ? 0 : actPassCount / 2;
    if (pressed(kRight)) actPassRequest = actPassCount == 0 ? 1 : std::min(actPassCount * 2, kMaxActPasses);
}

void stepClosed() {
    if (arcadeMode) {
        if (pressed(kStart) && attractMode == 1) {
            attractMode = 0;
            startRequest = 1;
        }
        return;
    }
    if (pauseAllowed == 1 && pressed(kStart) && gamePaused == 0) openMenu();
    replayViewerSpeed();
}

void startCountdown() {
    pauseState = kPauseCountingDown;
    pauseCountdown = kPauseCountdownFrames;
}

void resumePlay() {
    pauseState = kPauseClosed;
    gamePaused = 0;
    SDL2_wheel_SoundResumeAll();
}

// Row 0 resumes; the others leave their choice: RESTART STAGE 1, RESTART
// GAME 2, RETURN TO MENU 3, whichever list is shown.
void takeRow(int rows) {
    if (pauseCursor == 0) {
        startCountdown();
        return;
    }
    pauseChoice = rows == 4 ? pauseCursor : (pauseCursor == 1 ? 1 : 3);
    pauseCountdown = 0;
    actPassRequest = 1;
    resumePlay();
}

void aimBrackets() {
    const int32_t width = SDL2_wheel_TextWidth(pauseMenuRows()[size_t(std::clamp(pauseCursor, 0, kPauseRows - 1))]);
    const int32_t half = width / 2 + kBracketMargin;
    const float y = kFirstRowY + kRowPitch * float(pauseCursor);
    menuCursor.targetLeftX = kCentreX - float(half);
    menuCursor.targetLeftY = y;
    menuCursor.targetRightX = kCentreX + float(half);
    menuCursor.targetRightY = y;
    menuCursorUpdate();
}

// The selected row's bar slides in, the others slide out.
void stepRowTimers() {
    for (int i = 0; i < kPauseRows; ++i) {
        int32_t& timer = pauseRowTimer[size_t(i)];
        timer = i == pauseCursor ? std::max(timer - 1, 0) : std::min(timer + 1, kPauseRowTimerMax);
    }
}

void stepMenu() {
    const int rows = pauseMenuRowCount();
    if (repeated(kUp)) {
        SDL2_wheel_SoundPlaySE(kSoundCursor, false);
        if (--pauseCursor < 0) pauseCursor = rows - 1;
    }
    if (repeated(kDown)) {
        SDL2_wheel_SoundPlaySE(kSoundCursor, false);
        if (++pauseCursor >= rows) pauseCursor = 0;
    }
    if (pressed(kButton1)) {
        SDL2_wheel_SoundPlaySE(kSoundOk, false);
        takeRow(rows);
    }
    aimBrackets();
    if (pauseState == kPauseMenuShown && pressed(kStart)) {
        SDL2_wheel_SoundPlaySE(kSoundOk, false);
        startCountdown();
    }
    stepRowTimers();
}

// Beeps at two seconds, one second and zero; play goes on the update after.
void stepCountdown() {
    --pauseCountdown;
    if (pauseCountdown % 60 == 0) {
        SDL2_wheel_SoundPlaySE(pauseCountdown != 0 ? kSoundCursor : kSoundOk, false);
    }
    if (pauseCountdown < 0) {
        pauseCountdown = 0;
        resumePlay();
    }
}

}  // namespace

int pauseMenuRowCount() { return menuResultCode == kPlayTraining || seqIsScoreAttack() ? 3 : 4; }

const std::array<const char*, kPauseRows>& pauseMenuRows() {
    return pauseMenuRowCount() == 3 ? pauseMenuItemsShort : pauseMenuItems;
}

void pauseMenuStep() {
    switch (pauseState) {
    case kPauseClosed:
        stepClosed();
        break;
    case kPauseMenuShown:
        stepMenu();
        break;
    case kPauseCountingDown:
        stepCountdown();
        break;
    default:
        break;
    }
}
