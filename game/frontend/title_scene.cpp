#include "game/frontend/title_scene.h"

#include <algorithm>

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
#include "game/frontend/login_screens.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/frontend/scene_words.h"
#include "game/records/card_profile.h"
#include "platform/arcade/apm.h"

LoginArrows titleLoginArrows;
int32_t titleTextCountdown = 0;

namespace {

constexpr uint32_t kTitleButtonOne = 0x10;
constexpr float kTitleDepth = 801.0f;
constexpr int32_t kTitleMusic = 36;
constexpr int32_t kTitlePlaySound = 54;
constexpr int32_t kTitleFadeFrames = 30;

bool titleButtonOne() { return (padPressed & kTitleButtonOne) != 0; }

// The platform's advertise sound; on when the platform does not say.
bool titleAdvertiseSoundOn() {
    bool on = true;
    return !_ApmSystemSetting_getAdvertizeSound(&on) || on;
}

void titleRelease(ObjTask* task) {
    if (task->work != nullptr) {
        GameTask* root = GameTask::getInstance();
        if (root != nullptr && sceneSlotOpen(task->work->motionSlot0)) root->releaseMotionSlot(task->work->motionSlot0);
    }
    sceneWorkFree(task);
    releasePSBObject(kTitleObject);
}

void titleSetUp(ObjTask* task) {
    SDL2_wheel_PsbLoad(kTitleMotionFile);
    task->release = titleRelease;
    if (ObjWork* work = sceneWorkNew(task, kTitleDepth, titleVersionDraw)) {
        const int32_t slot = SDL2_wheel_MotionCreate(kTitleLayer, kTitleObject);
        if (slot >= 0) SDL2_wheel_MotionPlay(slot, 1, kTitleObject, "start");
        work->motionSlot0 = slot;
        scene(work) = SceneFields{};
    }
    task->actWords[kTitleLoopStarted] = 0;
    task->actWords[kTitleFrames] = 0;
    gamePhase = 1;
    SDL2_wheel_SoundResumeAll();
    SDL2_wheel_SoundPlayMusic(kTitleMusic);
    playIsRecorded = 1;
    rankingNewMarksClear();
    rankingLatestTable = 0;
    rankingLatestCategory = 1;
    CloseMenuFrame();
    task->actWords[kTitleVoiceSet] = randRange(kTitleVoiceSets);
    task->actWords[kTitleCueIndex] = 0;
    titleTextCountdown = kTitleTextFrames;
    titleLoginArrows = LoginArrows{};
}

void titleToDemo(ObjTask* task) {
    gamePhase = 5;
    task->state = kTitleLeave;
}

// Before the loop: "start" plays through or is skipped; on the arcade
// platform button 1 without a credit goes to the demo at once.
void titleStartLabel(ObjTask* task) {
    bool skip = false;
    if (!arcadeMode) {
        skip = titleButtonOne();
    } else if (startRequest != 0) {
        skip = true;
    } else if (titleButtonOne()) {
        titleToDemo(task);
    }
    const int32_t slot = task->work->motionSlot0;
    if (!sceneLabelPlayed(slot) && !skip) return;
    if (sceneSlotOpen(slot)) SDL2_wheel_MotionPlay(slot, 0, kTitleObject, "loop");
    task->actWords[kTitleLoopStarted] = 1;
}

void titleLoop(ObjTask* task) {
    ObjWork* work = task->work;
    if (task->actWords[kTitleLoopStarted] == 0) titleStartLabel(task);
    const int32_t slot = work->motionSlot0;
    if (GameTask* root = GameTask::getInstance(); root != nullptr && sceneSlotOpen(slot)) {
        root->setMotionPosition(slot, work->x, work->y);
        root->updateMotionLoop(slot);
        root->refreshMotion(slot);
    }
    SceneFields& fields = scene(work);
    if (task->actWords[kTitleCueIndex] == 0 && fields.frameCounter == kTitleVoiceFrame) {
        const int32_t voice = kTitleVoices[size_t(task->actWords[kTitleVoiceSet])];
        if (titleAdvertiseSoundOn()) SDL2_wheel_SoundPlaySE(voice, false);
        task->actWords[kTitleCueIndex] = 1;
    }
    titleTextCountdown = std::max(titleTextCountdown - 1, 0);
    ++fields.frameCounter;
}

void titleBeginLogin(ObjTask* task) {
    task->state = kTitleLogin;
    cardProfileClear();
    cardProfile.loginState = 1;
}

// A credit on the arcade platform: the attract ends, the music and a title
// voice start where the attract kept them silent, and the login begins.
void titleCredit(ObjTask* task) {
    attractMode = 0;
    startRequest = 0;
    if (!titleAdvertiseSoundOn()) {
        SDL2_wheel_SoundPlayMusic(kTitleMusic);
        task->actWords[kTitleVoiceSet] = randRange(kTitleVoiceSets);
        SDL2_wheel_SoundPlaySE(kTitleVoices[size_t(task->actWords[kTitleVoiceSet])], false);
    }
    titleBeginLogin(task);
}

void titleWait(ObjTask* task) {
    titleLoop(task);
    int32_t& frames = task->actWords[kTitleFrames];
    ++frames;
    if (task->state != kObjStateRun || task->actWords[kTitleLoopStarted] == 0) return;
    if (frames > kTitleTimeOut) {
        titleToDemo(task);
    } else if (!arcadeMode) {
        if (titleButtonOne()) titleBeginLogin(task);
    } else if (startRequest != 0) {
        titleCredit(task);
    } else if (titleButtonOne() && frames > kTitleDemoButtonFrames) {
        titleToDemo(task);
    }
}

void titleLogin(ObjTask* task) {
    titleLoop(task);
    const int32_t result = aimeLoginUpdate(titleLoginArrows);
    if (result == kLoginPlay) {
        cardProfile.loginState = 0;
        task->state = kTitleBeginPlay;
    } else if (result == kLoginLeft) {
        cardProfileClear();
        task->state = kObjStateRun;
        startRequest = 0;
        attractMode = 1;
        if (!titleAdvertiseSoundOn()) SDL2_wheel_SoundStopMusic();
        task->actWords[kTitleFrames] = 0;
    }
}

void titleBeginPlay(ObjTask* task) {
    ApmSequenceResult result;
    if (!_Sequence_beginPlay(true, kTitleBeginPlayKind, cardProfile.aimeId, &result, kTitleBeginPlayPlayers)) {
        attractMode = 1;
        task->state = kObjStateRun;
        if (!titleAdvertiseSoundOn()) SDL2_wheel_SoundStopMusic();
        return;
    }
    SDL2_wheel_SoundStopMusic();
    SDL2_wheel_SoundPlaySE(kTitlePlaySound, false);
    gamePhase = 2;
    menuFrameStartAlt = 0;
    task->state = kTitleLeave;
}

// The login screens' cursor, whatever the state.
void titlePlaceCursor() {
    const bool twoChoices = loginChoiceCount == 2;
    const float x = (twoChoices ? 730.0f : 500.0f) + 460.0f * float(cardProfile.loginCursor);
    const float y = twoChoices ? 700.0f : 540.0f;
    menuCursor.targetLeftX = menuCursor.targetRightX = x;
    menuCursor.targetLeftY = menuCursor.targetRightY = y;
    menuCursorUpdate();
}

void titleRun(ObjTask* task) {
    if (task->work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    switch (task->state) {
    case kObjStateRun:
        titleWait(task);
        break;
    case kTitleLogin:
        titleLogin(task);
        break;
    case kTitleBeginPlay:
        titleBeginPlay(task);
        break;
    case kTitleLeave:
        if (gamePhase != 1) {
            task->actWords[kTitleFrames] = kTitleFadeFrames;
            fadeOutBlack(kTitleFadeFrames);
            task->state = kTitleFade;
        }
        break;
    case kTitleFade:
        if (--task->actWords[kTitleFrames] <= 0) task->state = kObjStateEnd;
        break;
    default:
        // 104..109 are no state of the title's: it ends.
        task->state = kObjStateEnd;
        return;
    }
    titlePlaceCursor();
}

}  // namespace

void TSKtitle(ObjTask* task) { sceneAct(task, {titleSetUp, titleRun, kTitleFade}); }
