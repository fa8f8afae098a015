// The countdown selections' acts: set-up, countdown, choosing, deciding,
// the leave and the release; the leader screen's figure and its steps.
#include "game/frontend/play_scenes/countdown_select.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "game/core/app_switches.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/core/stage_load.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/records/card_profile.h"
#include "game/records/play_records.h"

CountdownState countdownState;
int32_t assistSelectActive = 0;
int32_t playerSelectActive = 0;

namespace {

constexpr float kCountdownDepth = 811.0f;
constexpr int32_t kFigureLayer = 810;
constexpr const char* kFigureObject = "playerselect_figimage";
constexpr uint32_t kCountdownButtonOne = 0x10;
constexpr uint32_t kCountdownReturnBit = 0x200;
constexpr int32_t kPlayerDecideFirst[4] = {289, 443, 600, 753};
constexpr char kTypeLetters[4] = {'a', 'b', 'c', 'd'};

const CountdownScreen& countdownRow() { return kCountdownScreenTable[countdownState.screen]; }
int32_t& countdownStep(ObjTask* task) { return task->actWords[kCountdownStepWord]; }
bool countdownPressed(uint32_t bits) { return (padPressed & bits) != 0; }

void countdownRelease(ObjTask* task) {
    cardProfile.*countdownRow().profileField = countdownState.choice;
    if (countdownState.screen == kAssistScreen) assistSelectActive = 0;
    if (countdownState.screen == kPlayerScreen) {
        playerSelectActive = 0;
        GameTask* root = GameTask::getInstance();
        if (root != nullptr && sceneSlotOpen(countdownState.figureSlot)) root->releaseMotionSlot(countdownState.figureSlot);
        countdownState.figureSlot = -1;
    }
    sceneWorkFree(task);
}

// The figure's label for the current type: "type_a_start" and the like.
void playerFigureLabel(const char* object, const char* what, int32_t loops) {
    const int32_t slot = countdownState.figureSlot;
    if (!sceneSlotOpen(slot)) return;
    char label[32];
    std::snprintf(label, sizeof label, "type_%c_%s", kTypeLetters[countdownState.choice], what);
    SDL2_wheel_MotionPlay(slot, loops, object, label);
}

void countdownCursorTargets() {
    const CountdownScreen& row = countdownRow();
    const float x = kSceneX + row.cursorStepX * float(countdownState.choice);
    const float y = kSceneY + row.cursorStepY * float(countdownState.choice);
    menuCursor.targetLeftX = menuCursor.targetRightX = x;
    menuCursor.targetLeftY = menuCursor.targetRightY = y;
}

void countdownSetUp(ObjTask* task, int screen) {
    countdownState = CountdownState{};
    countdownState.screen = screen;
    countdownState.figureSlot = -1;
    const CountdownScreen& row = countdownRow();
    task->release = countdownRelease;
    ObjWork* work = sceneWorkNew(task, kCountdownDepth, screen == kPlayerScreen ? playerSelectDraw : countdownSelectDraw);
    if (work != nullptr) {
        scene(work) = SceneFields{};
        work->alpha = 1.0f;
    }
    countdownState.lock = row.inputLock;
    countdownState.secondsLeft = kCountdownSeconds;
    countdownState.tickFrames = 60;
    countdownState.choice = std::clamp(cardProfile.*row.profileField, 0, row.items - 1);
    countdownStep(task) = screen == kPlayerScreen ? kPlayerChoose : kCountdownChoose;
    SDL2_wheel_SoundPlayMusic(row.music);
    menuFrameOpen(arcadeMode ? row.frameScreenArcade : row.frameScreenHome);
    countdownCursorTargets();
    menuCursorSet(menuCursor.targetLeftX, menuCursor.targetLeftY);
    SDL2_wheel_SoundPlaySE(row.openVoice, false);
    if (screen == kAssistScreen) assistSelectActive = 1;
    if (screen == kPlayerScreen) {
        playerSelectActive = 1;
        countdownState.glintCountdown = 60;
        countdownState.glint = -1;
        countdownState.figureSlot = SDL2_wheel_MotionCreate(kFigureLayer, kFigureObject);
        if (GameTask* root = GameTask::getInstance(); root != nullptr && sceneSlotOpen(countdownState.figureSlot)) {
            root->setMotionPosition(countdownState.figureSlot, kSceneX, kSceneY);
        }
        playerFigureLabel("figimage", "start", 1);
    }
}

void countdownTick() {
    if (--countdownState.tickFrames > 0) return;
    countdownState.tickFrames = 60;
    countdownState.secondsLeft = std::max(countdownState.secondsLeft - 1, 0);
}

void countdownDecide(ObjTask* task) {
    const CountdownScreen& row = countdownRow();
    const int32_t choice = countdownState.choice;
    // The leader screen stops the effects first, so its own sounds are not cut.
    if (countdownState.screen == kPlayerScreen) SDL2_wheel_SoundStopSEGroup();
    SDL2_wheel_SoundPlaySE(0, false);
    row.store(choice);
    countdownState.flash = 30;
    if (countdownState.screen == kPlayerScreen) {
        SDL2_wheel_SoundPlaySE(playerDecideVoice(choice, randRange(7)), false);
        countdownState.flashAlpha = 1.0f;
        playRecordBegin();
        countdownState.stepFrames = 0;
        countdownStep(task) = 3;
        return;
    }
    SDL2_wheel_SoundPlaySE(row.decideVoices[choice], false);
    if (row.fadeMusicOnDecide) SDL2_wheel_SoundFadeOutMusic(60);
    countdownState.stepFrames = 0;
    countdownStep(task) = kCountdownDecided;
}

void countdownChoose(ObjTask* task) {
    countdownTick();
    if (countdownState.lock > 0) return;
    const CountdownScreen& row = countdownRow();
    if (countdownPressed(kCountdownButtonOne) || countdownState.secondsLeft == 0) {
        countdownDecide(task);
        return;
    }
    int32_t& choice = countdownState.choice;
    if (countdownPressed(row.minusKey)) {
        choice = choice == 0 ? row.items - 1 : choice - 1;
    } else if (countdownPressed(row.plusKey)) {
        choice = choice == row.items - 1 ? 0 : choice + 1;
    } else {
        return;
    }
    SDL2_wheel_SoundPlaySE(2, false);
    if (countdownState.screen == kPlayerScreen) {
        playerFigureLabel("figimage", "start", 1);
        countdownState.slideIn = 0.0f;
    }
}

void countdownEndFrame() {
    menuFrameState = kMenuFrameEnd;
    menuFrameEndAlt = 0;
}

void countdownAfterDecide(ObjTask* task) {
    int32_t& step = countdownStep(task);
    if (step == kCountdownDecided) {
        countdownState.flash = std::max(countdownState.flash - 1, 0);
        if (++countdownState.stepFrames >= 60) step = kCountdownLeave;
    } else if (step == kCountdownLeave) {
        if (++countdownState.leave < 10) return;
        if (countdownRow().frameScreenAgain >= 0) menuFrameOpen(countdownRow().frameScreenAgain);
        countdownEndFrame();
        step = kCountdownWaitFrame;
    } else if (step == kCountdownWaitFrame && menuFrameState == kMenuFrameDone) {
        task->state = kObjStateEnd;
    }
}

// The leader screen after its decision: the figure's end, the zoom, the
// frame's end and the white hold; button 1 skips to a fade to white.
void playerAfterDecide(ObjTask* task) {
    int32_t& step = countdownStep(task);
    const int32_t frames = ++countdownState.stepFrames;
    const int32_t slot = countdownState.figureSlot;
    const bool skip = countdownPressed(kCountdownButtonOne);
    switch (step) {
    case 3:
        if (frames < 180) return;
        playerFigureLabel("figimage", "end", 1);
        countdownState.stepFrames = 0;
        step = 4;
        return;
    case 4:
        if (skip) {
            countdownState.stepFrames = 0;
            step = kPlayerSkip;
            return;
        }
        if (frames == 1) SDL2_wheel_SoundPlaySE(61, false);
        if (frames == 30) SDL2_wheel_SoundPlaySE(60, false);
        if (!sceneLabelPlayed(slot)) return;
        playerFigureLabel("bg_zoom", "zoom", 1);
        countdownState.stepFrames = 0;
        step = 5;
        return;
    case 5:
        if (frames == 1) SDL2_wheel_SoundPlaySE(894, false);
        if (frames == 30) SDL2_wheel_SoundPlaySE(59, false);
        if (frames == 60) SDL2_wheel_SoundFadeOutMusic(180);
        if (frames == 240) SDL2_wheel_SoundPlaySE(893, false);
        if (skip) {
            countdownState.stepFrames = 0;
            step = kPlayerSkip;
        } else if (sceneLabelPlayed(slot)) {
            step = 6;
        }
        return;
    case 6:
        countdownEndFrame();
        step = 7;
        return;
    case kPlayerSkip:
        if (frames == 1) {
            SDL2_wheel_SoundFadeOutMusic(90);
            fadeOutWhite(60);
        }
        if (frames < 65) return;
        countdownEndFrame();
        step = 11;
        return;
    default:
        if (menuFrameState != kMenuFrameDone) return;
        SDL2_wheel_SoundStopChannel(9);
        TSKfadeStart(-1, kFadeIn, 255, 255, 255, 1.0f);
        task->state = kObjStateEnd;
        return;
    }
}

void countdownReturnToMenu(ObjTask* task) {
    SDL2_wheel_SoundStopMusic();
    if (countdownRow().releasesStage) {
        stageRelease(stageNumber, false);
        OBJtaskReleaseAll(task);
    }
    menuResultCode = 3;
    seqGoToSelected();
    task->state = kObjStateEnd;
}

void playerEveryFrame(ObjTask* task) {
    countdownState.flashAlpha = std::max(countdownState.flashAlpha - 0.02f, 0.0f);
    if (countdownStep(task) >= 4) countdownState.exitCount = std::min(countdownState.exitCount + 1, 30);
    countdownState.slideIn = std::min(countdownState.slideIn + 0.1f, 1.0f);
    if (countdownState.glint >= 0) --countdownState.glint;
    if (--countdownState.glintCountdown <= 0) {
        countdownState.glintCountdown = 60 + randRange(120);
        countdownState.glint = 2;
    }
    const int32_t slot = countdownState.figureSlot;
    GameTask* root = GameTask::getInstance();
    if (root == nullptr || !sceneSlotOpen(slot)) return;
    const std::string name = SDL2_wheel_MotionGetName(slot);
    if (name.size() > 6 && name.compare(name.size() - 6, 6, "_start") == 0 && sceneLabelPlayed(slot)) {
        playerFigureLabel("figimage", "loop", 0);
    }
    root->updateMotionLoop(slot);
    root->refreshMotion(slot);
}

void countdownRun(ObjTask* task) {
    ObjWork* work = task->work;
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    const bool player = countdownState.screen == kPlayerScreen;
    const int32_t step = countdownStep(task);
    if (step == (player ? kPlayerChoose : kCountdownChoose)) {
        countdownChoose(task);
    } else if (player) {
        playerAfterDecide(task);
    } else {
        countdownAfterDecide(task);
    }
    if (task->state != kObjStateRun) return;
    if (!arcadeMode && countdownState.screen != kGameScreen && countdownPressed(kCountdownReturnBit)) {
        countdownReturnToMenu(task);
        return;
    }
    countdownCursorTargets();
    menuCursorUpdate();
    countdownState.lock = std::max(countdownState.lock - 1, 0);
    if (player) playerEveryFrame(task);
    if (player && scene(work).frameCounter == 120) SDL2_wheel_SoundPlaySE(890, false);
    ++scene(work).frameCounter;
}

template <int Screen>
void countdownSetUpOf(ObjTask* task) {
    countdownSetUp(task, Screen);
}

}  // namespace

void TSKmodeSelect(ObjTask* task) { sceneAct(task, SceneAct{countdownSetUpOf<kModeScreen>, countdownRun}); }
void TSKassistSelect(ObjTask* task) { sceneAct(task, SceneAct{countdownSetUpOf<kAssistScreen>, countdownRun}); }
void TSKdramaticSelect(ObjTask* task) { sceneAct(task, SceneAct{countdownSetUpOf<kDramaticScreen>, countdownRun}); }
void TSKplayerSelect(ObjTask* task) { sceneAct(task, SceneAct{countdownSetUpOf<kPlayerScreen>, countdownRun}); }
void TSKgameSelect(ObjTask* task) { sceneAct(task, SceneAct{countdownSetUpOf<kGameScreen>, countdownRun}); }

int32_t playerDecideVoice(int32_t type, int32_t pick) {
    return kPlayerDecideFirst[std::clamp(type, 0, 3)] + std::clamp(pick, 0, 6);
}
