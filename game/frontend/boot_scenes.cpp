#include "game/frontend/boot_scenes.h"

#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/obj_work_views.h"
#include "game/core/play_state.h"
#include "game/core/psb_cache.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_config.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/records/paths.h"
#include "game/records/settings_file.h"

namespace {

constexpr uint32_t kBootButtonOne = 0x10;
constexpr float kBootSceneDepth = 801.0f;
constexpr int32_t kBootFadeKind = 110;
constexpr int32_t kOpeningMusic = 33;
// Task words: the done flag; the splash's voice set and cue index.
constexpr int kBootDone = 0;
constexpr int kSplashVoiceSet = 1;
constexpr int kSplashCueIndex = 2;

enum BootSceneKind : int32_t { kBootInitialize = 0, kBootSplash = 1, kBootOpening = 2, kBootEngOpening = 3 };

void bootSceneFreeSlot(ObjTask* task) {
    if (task->work == nullptr) return;
    GameTask* root = GameTask::getInstance();
    if (root != nullptr && sceneSlotOpen(task->work->motionSlot0)) root->releaseMotionSlot(task->work->motionSlot0);
    sceneWorkFree(task);
}

void bootStopVoices() {
    for (int32_t channel = kSplashVoiceChannelFirst; channel <= kSplashVoiceChannelLast; ++channel) {
        SDL2_wheel_SoundStopChannel(channel);
    }
}

void initializeRelease(ObjTask* task) {
    bootSceneFreeSlot(task);
    releasePSBObject(kBootSceneMotions[kBootInitialize].object);
    attractMode = 1;
}

void splashRelease(ObjTask* task) {
    bootSceneFreeSlot(task);
    releasePSBObject(kBootSceneMotions[kBootSplash].object);
    bootStopVoices();
}

void openingRelease(ObjTask* task) {
    bootSceneFreeSlot(task);
    releasePSBObject(kBootSceneMotions[kBootOpening].object);
    releasePSBObject(kBootSceneMotions[kBootEngOpening].object);
    bootStopVoices();
}

// Steps 1 to 3 of every boot scene's set-up: its motion played once on its
// layer, the done flag clear, the music stopped.
void bootSceneOpen(ObjTask* task, const BootSceneMotion& motion, void (*release)(ObjTask*)) {
    SDL2_wheel_PsbLoad(motion.file);
    task->release = release;
    task->actWords[kBootDone] = 0;
    ObjWork* work = sceneWorkNew(task, kBootSceneDepth, drawWorkMotion);
    if (work != nullptr) {
        const int32_t slot = SDL2_wheel_MotionCreate(motion.layer, motion.object);
        if (slot >= 0) SDL2_wheel_MotionPlay(slot, 1, motion.object, kBootSceneLabel);
        work->motionSlot0 = slot;
        scene(work) = SceneFields{};
    }
    SDL2_wheel_SoundStopMusic();
}

void bootFadeIn() {
    TSKfadeStart(0, kBootFadeKind, 8, 8, 8, 1.0f);
    CloseMenuFrame();
}

void openingReadCues() {
    const std::string path = makeResourcePath(kOpeningCueFile);
    for (int i = 0; i < kOpeningCues; ++i) {
        const std::string key = "VO_OP_" + std::string(i < 9 ? "00" : "0") + std::to_string(i + 1) + "_00";
        int32_t& cue = openingVoiceCues[size_t(i)];
        cue = int32_t(SDL2_wheel_ConfigFileGetInt(path.c_str(), key.c_str(), cue));
    }
}

void initializeSetUp(ObjTask* task) {
    bootSceneOpen(task, kBootSceneMotions[kBootInitialize], initializeRelease);
    bootFadeIn();
    attractMode = 0;
}

void splashSetUp(ObjTask* task) {
    bootSceneOpen(task, kBootSceneMotions[kBootSplash], splashRelease);
    bootFadeIn();
    task->actWords[kSplashVoiceSet] = randRange(kSplashVoiceSets);
    task->actWords[kSplashCueIndex] = 0;
}

void openingSetUp(ObjTask* task) {
    const int kind = gameSettings.LANGUAGE == 0 ? kBootOpening : kBootEngOpening;
    bootSceneOpen(task, kBootSceneMotions[size_t(kind)], openingRelease);
    SDL2_wheel_SoundPlayMusic(kOpeningMusic);
    if (openingVoiceCues[0] == kOpeningCuesUnread) openingReadCues();
}

// Place, book-keep and refresh the motion; false once the scene is done or
// has nothing to run.
bool bootSceneStep(ObjTask* task) {
    ObjWork* work = task->work;
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return false;
    }
    if (task->actWords[kBootDone] != 0) return false;
    const int32_t slot = work->motionSlot0;
    if (GameTask* root = GameTask::getInstance(); root != nullptr && sceneSlotOpen(slot)) {
        root->setMotionPosition(slot, work->x, work->y);
        root->updateMotionLoop(slot);
        root->refreshMotion(slot);
    }
    return true;
}

void bootSceneFinish(ObjTask* task) {
    ++scene(task->work).frameCounter;
    if (task->actWords[kBootDone] != 0) task->state = kObjStateEnd;
}

// Step 0 holds the motion on the pause frame (or goes on when it ends before
// it or has no slot), step 1 waits for the resources, step 2 for the end.
void initializeRun(ObjTask* task) {
    if (!bootSceneStep(task)) return;
    SceneFields& fields = scene(task->work);
    const int32_t slot = task->work->motionSlot0;
    switch (fields.step) {
    case 0:
        if (!sceneSlotOpen(slot) || SDL2_wheel_MotionGetFrame(slot) >= kBootPauseFrame) {
            SDL2_wheel_MotionPause(slot);
            fields.step = 1;
        } else if (sceneLabelPlayed(slot)) {
            fields.step = 1;
        }
        break;
    case 1:
        if (bootResourcesReady()) {
            SDL2_wheel_MotionResume(slot);
            fields.step = 2;
        }
        break;
    default:
        if (sceneLabelPlayed(slot) || bootSceneSkipped(false)) task->actWords[kBootDone] = 1;
        break;
    }
    bootSceneFinish(task);
}

void splashRun(ObjTask* task) {
    if (!bootSceneStep(task)) return;
    if (sceneLabelPlayed(task->work->motionSlot0) || bootSceneSkipped(true)) task->actWords[kBootDone] = 1;
    int32_t& cue = task->actWords[kSplashCueIndex];
    const int32_t frame = kSplashCueFrames[size_t(cue)];
    if (frame != -1 && frame == scene(task->work).frameCounter) {
        SDL2_wheel_SoundPlaySE(kSplashVoices[size_t(task->actWords[kSplashVoiceSet])][size_t(cue)], false);
        ++cue;
    }
    bootSceneFinish(task);
}

void openingRun(ObjTask* task) {
    if (!bootSceneStep(task)) return;
    if (sceneLabelPlayed(task->work->motionSlot0) || bootSceneSkipped(true)) task->actWords[kBootDone] = 1;
    bootSceneFinish(task);
}

}  // namespace

bool bootSceneSkipped(bool buttonOne) {
    const bool pressed = (padPressed & kBootButtonOne) != 0;
    if (arcadeMode) return startRequest != 0 || (buttonOne && pressed);
    return pressed;
}

bool bootResourcesReady() {
    const GameTask* root = GameTask::getInstance();
    return root == nullptr || root->boot.ready();
}

void TSKinitialize(ObjTask* task) { sceneAct(task, {initializeSetUp, initializeRun}); }
void TSKsplash(ObjTask* task) { sceneAct(task, {splashSetUp, splashRun}); }
void TSKopening(ObjTask* task) { sceneAct(task, {openingSetUp, openingRun}); }
