// The game's logic step, once a frame from the root task's main step.
#include "engine/render/camera_2d.h"
#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/game_main_passes.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/pause_menu.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_frame.h"
#include "game/records/save_block.h"
#include "platform/clock/clock.h"

int32_t actPassCount = 1;
int32_t actPassRequest = 1;
int32_t slowMotionFrames = 0;
int32_t slowMotionPeriod = 0;
int32_t slowMotionPeriodInUse = 0;
uint8_t gamePaused = 0;
uint32_t gameFrameCounter = 0;
uint8_t freezeByGameOver = 0;
uint8_t startRequest = 0;
int32_t menuFrameSlot = -1;
int32_t menuFrameBgSlot = -1;
int32_t menuFrameSetUp = kMenuFrameFirstUpdate;
float fpsValue = 0.0f;
int32_t fpsFrameCount = 0;
int32_t spriteTextGlyphCount = 0;
uint32_t fpsStartTime = 0;

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr int32_t kFpsWindow = 60;
constexpr int32_t kMenuFrameLayer = 900;
constexpr int32_t kMenuFrameBgLayer = 801;
constexpr float kMenuFrameX = 112.0f;
constexpr float kMenuFrameY = 144.0f;

void pointVirtualScreen() {
    GameTask* task = GameTask::getInstance();
    if (task == nullptr) return;
    task->currentLayer = 1;
    M2DCameraLocator* locator = task->virtualScreenLocator;
    if (locator == nullptr) return;
    locator->scaleX = task->virtualScreenScaleX;
    locator->scaleY = task->virtualScreenScaleY;
    locator->angle = task->virtualScreenAngle * kDegreesToRadians;
}

// Every unpaused slot plays at the act-pass rate and stands while the game does.
void setMotionSpeed() {
    SDL2_wheel_MotionSetSpeedAll(pauseState == kPauseClosed && !gameMainPlayFrozen() ? actPassCount : 0);
}

// A motion file missing from the cache takes no slot; the slot stays -1.
void openMenuFrameSlot(int32_t& slot, int32_t layer, const char* key) {
    if (slot != -1) return;
    slot = SDL2_wheel_MotionCreate(layer, key);
    if (GameTask* task = GameTask::getInstance()) task->setMotionPosition(slot, kMenuFrameX, kMenuFrameY);
}

// The frame's glow starts dark; from the second update on the frame steps itself.
void stepMenuFrame() {
    if (menuFrameSetUp == kMenuFrameRunning) {
        menuFrameUpdate();
        return;
    }
    openMenuFrameSlot(menuFrameSlot, kMenuFrameLayer, "menuframe");
    openMenuFrameSlot(menuFrameBgSlot, kMenuFrameBgLayer, "menuframe_bg");
    for (auto& row : menuFrameGlow) {
        for (float& cell : row) cell = 0.0f;
    }
    menuFrameGlowCounter = 0;
    menuFrameSetUp = kMenuFrameRunning;
}

// 60 updates over the milliseconds they took.
void stepFpsMeter() {
    if (fpsFrameCount == 0) fpsStartTime = platform::currentClock().milliseconds();
    if (fpsFrameCount == kFpsWindow) {
        const uint32_t now = platform::currentClock().milliseconds();
        const uint32_t elapsed = now - fpsStartTime;
        if (elapsed > 0) fpsValue = 1000.0f / (((float(elapsed) / 1000.0f) * 1000.0f) / 60.0f);
        fpsFrameCount = 0;
        fpsStartTime = now;
    }
    ++fpsFrameCount;
}

}  // namespace

void gameMainResetPause() {
    pauseAllowed = 0;
    gamePaused = 0;
    gameFrameCounter = 0;
    pauseCountdown = 0;
    pauseState = kPauseClosed;
    pauseCursor = 0;
}

bool gameMainUpdate(bool keepRunning) {
    OBJdrawRequestsClear();
    pointVirtualScreen();
    pauseMenuStep();
    setMotionSpeed();
    OBJdrawRequestsClear();
    gameMainRunObjects();
    SDL2_wheel_SoundUpdate();
    stepMenuFrame();
    spriteTextGlyphCount = 0;
    actPassCount = actPassRequest;
    soundNormalSpeed = actPassCount == 1;
    ++gameFrameCounter;
    stepFpsMeter();
    // The play time counts every update, paused, frozen or on the attract side.
    saveDataAdvancePlayTime();
    const bool goOn = gameExitRequested == 1 ? false : keepRunning;
    if (!goOn) gameMainResetPause();
    return goOn;
}
