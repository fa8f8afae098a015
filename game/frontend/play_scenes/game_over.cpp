// The game over's act: set-up, the states, the motion held by the scene's
// own clock, the replay prompt and the release.
#include "game/frontend/play_scenes/game_over.h"

#include <algorithm>

#include "engine/motion/motion.h"
#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_log.h"
#include "game/frontend/replay_folder_count.h"
#include "game/frontend/scene.h"
#include "game/frontend/scene_words.h"
#include "game/objects/fighter_counters.h"
#include "game/records/paths.h"
#include "game/records/save_block.h"
#include "game/records/settings_file.h"

float overTextAlpha = 0.0f;
int32_t overLinePick = 0;
int32_t overSlide = 0;

namespace {

constexpr float kOverDepth = 801.0f;
constexpr int32_t kOverLayer = 801;
constexpr const char* kOverObject = "gameover";
constexpr int32_t kOverMusic = 31;
constexpr uint32_t kOverButtonOne = 0x10;
constexpr uint32_t kOverButtonTwo = 0x20;
constexpr int32_t kOverPicks = 5;
constexpr int32_t kOverSlideFrames = 32;
constexpr int32_t kOverVoiceFrame = 60;
constexpr int32_t kOverPartingVoices[4][10] = {
    {284, 285, 286, 287, 288, 279, 280, 281, 282, 283},
    {438, 439, 440, 441, 442, 433, 434, 435, 436, 437},
    {595, 596, 597, 598, 599, 589, 590, 592, 593, 594},
    {748, 749, 750, 751, 752, 743, 744, 745, 746, 747},
};

int32_t overFighterType() { return std::clamp(fighterGetType(), 0, 3); }

int32_t& overSteps(ObjTask* task) { return task->actWords[kOverSteps]; }

void overRelease(ObjTask* task) {
    freezeByGameOver = 0;
    sceneWorkFree(task);
    configSave();
    saveDataWrite(makeAppRootPath("save.dat"));
}

// A label from its first frame, held there until the scene's clock moves it.
void overPlayLabel(ObjWork* work, const char* label, int32_t loops) {
    const int32_t slot = work->motionSlot0;
    work->animFrame = 0;
    work->animCount = 0;
    if (!sceneSlotOpen(slot)) return;
    SDL2_wheel_MotionPlay(slot, loops, kOverObject, label);
    SDL2_wheel_MotionPause(slot);
    work->animCount = SDL2_wheel_MotionGetLength(slot);
}

// A closed slot has no frames to wait for.
bool overLabelDone(const ObjWork* work) { return work->animFrame >= work->animCount - 1; }

void overSetUp(ObjTask* task) {
    freezeByGameOver = 1;
    task->release = overRelease;
    task->actWords[kOverLoopStarted] = 0;
    overSteps(task) = 0;
    if (ObjWork* work = sceneWorkNew(task, kOverDepth, gameOverDraw)) {
        scene(work) = SceneFields{};
        work->alpha = 0.0f;
        work->motionSlot0 = SDL2_wheel_MotionCreate(kOverLayer, kOverObject);
        overPlayLabel(work, "start", 1);
    }
    TSKfadeStart(1, 100, 0, 0, 0, 0.0f);
    SDL2_wheel_SoundPlayMusic(kOverMusic);
    overTextAlpha = 0.0f;
    overSlide = 0;
    overLinePick = randRange(kOverPicks);
    if (playFinished != 0) {
        overLinePick += kOverPicks;
        overSlide = kOverSlideFrames;
    }
}

// The scene's clock: one frame a pass, held on the label's last frame but one.
void overClock(ObjWork* work) {
    work->animFrame = std::min(work->animFrame + 1, std::max(work->animCount - 1, 0));
    const int32_t slot = work->motionSlot0;
    GameTask* root = GameTask::getInstance();
    if (root != nullptr && sceneSlotOpen(slot)) root->slotMotion(slot)->setTime(float(work->animFrame));
}

void overLoop(ObjTask* task, ObjWork* work) {
    const int32_t slot = work->motionSlot0;
    if (GameTask* root = GameTask::getInstance(); root != nullptr && sceneSlotOpen(slot)) {
        root->setMotionPosition(slot, work->x, work->y);
        root->updateMotionLoop(slot);
        root->refreshMotion(slot);
    }
    if (overLabelDone(work) && task->actWords[kOverLoopStarted] == 0) {
        task->actWords[kOverLoopStarted] = 1;
        overPlayLabel(work, "loop", 0);
    }
    SceneFields& fields = scene(work);
    if (fields.frameCounter == kOverVoiceFrame) {
        SDL2_wheel_SoundPlaySE(overPartingVoice(overFighterType(), overLinePick), false);
    }
    overSlide = std::max(overSlide - 1, 0);
    ++fields.frameCounter;
}

bool overPromptAllowed() { return !arcadeMode && gameSettings.SAVE_REPLAY != 0 && playIsRecorded != 0; }

void overAfterEnd(ObjTask* task, ObjWork* work) {
    if (!overLabelDone(work)) return;
    if (!overPromptAllowed()) {
        task->state = kOverFade;
        return;
    }
    const int32_t count = replayFolderCount();
    SDL2_wheel_Log("getReplayDataCount=%d MAX=%d", count, kReplayFolderLimit);
    if (count >= kReplayFolderLimit) {
        SDL2_wheel_Log("STEP_MAIN+5");
        task->state = kOverNoRoom;
    } else {
        SDL2_wheel_Log("STEP_MAIN+3");
        task->state = kOverPrompt;
    }
}

void overPrompt(ObjTask* task) {
    if ((padPressed & kOverButtonOne) != 0) {
        SDL2_wheel_SoundPlaySE(0, false);
        replayCommitFolder();
        overSteps(task) = 0;
        task->state = kOverKept;
    } else if ((padPressed & kOverButtonTwo) != 0) {
        SDL2_wheel_SoundPlaySE(0, false);
        task->state = kOverFade;
    }
}

void overShow(ObjTask* task, ObjWork* work) {
    int32_t& steps = overSteps(task);
    work->alpha = std::min(float(steps) / 60.0f, 1.0f);
    overTextAlpha = work->alpha;
    if (++steps <= 420) return;
    work->alpha = 1.0f;
    steps = 0;
    overPlayLabel(work, "end", 1);
    task->state = kOverEnd;
}

void overState(ObjTask* task, ObjWork* work) {
    int32_t& steps = overSteps(task);
    switch (task->state) {
    case kOverWait:
        if (++steps < 60) return;
        steps = 0;
        task->state = kOverShow;
        return;
    case kOverShow:
        overShow(task, work);
        return;
    case kOverEnd:
        overAfterEnd(task, work);
        return;
    case kOverPrompt:
        overPrompt(task);
        return;
    case kOverKept:
        if (++steps >= 180) task->state = kOverFade;
        return;
    case kOverNoRoom:
        if ((padPressed & kOverButtonOne) == 0) return;
        SDL2_wheel_SoundPlaySE(0, false);
        task->state = kOverFade;
        return;
    case kOverFade:
        fadeOutBlack(30);
        steps = 0;
        task->state = kOverLeave;
        return;
    default:
        if (++steps >= 30) task->state = kObjStateEnd;
        return;
    }
}

void overRun(ObjTask* task) {
    ObjWork* work = task->work;
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    overClock(work);
    const int32_t state = task->state;
    if (state != kOverWait) overLoop(task, work);
    overState(task, work);
    if (state >= kOverPrompt) overTextAlpha = std::max(overTextAlpha - 1.0f / 60.0f, 0.0f);
}

}  // namespace

void TSKgameOver(ObjTask* task) { sceneAct(task, SceneAct{overSetUp, overRun, kOverLeave}); }

int32_t overPartingVoice(int32_t type, int32_t pick) {
    return kOverPartingVoices[std::clamp(type, 0, 3)][std::clamp(pick, 0, 9)];
}
