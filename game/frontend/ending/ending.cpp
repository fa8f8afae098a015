// The endings' motions: steps 25 to 28 of the stage result, the first
// ending of the route with its sounds and the last ending; the step table
// that hands step 29 and 30 to the roll.
#include "game/frontend/ending/ending.h"

#include "game/bosses/boss_flags.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/ending/ending_roll.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/frontend/scene.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_words.h"

int32_t endingSkip = 0;
std::array<int32_t, kCreditRollRows> endingRowTimer{};
int32_t endingPicture = -1;
int32_t endingPrevPicture = -1;
float endingPictureAlpha = 0.0f;
int32_t endingReached = 0;
uint8_t endingDark = 0;

namespace {

constexpr int32_t kEndingLayer = 801;
constexpr uint32_t kEndingStartBit = 0x8000;
constexpr int32_t kEndingBurstSound = 16;
constexpr int32_t kEndingFirstMusic = 29;
constexpr int32_t kEndingLastMusic = 30;
constexpr int32_t kEndingMusicFade = 59;
// The normal route's first ending: explosions until the burst, then the music.
constexpr int32_t kEndingBurstFrame = 178;
constexpr int32_t kEndingMusicFrame = 322;
constexpr int32_t kEndingNormalFadeBefore = 60;
constexpr int32_t kEndingTrueFadeBefore = 420;

EndingPlan endingCurrentPlan() { return endingPlan(trueRouteFlag != 0 ? 1 : 0, selectedLeaderType); }

bool endingEnglish() { return gameSettings.LANGUAGE != 0; }

// The file in the scene's first slot, playing the motion once at the screen's centre.
void endingOpen(ObjWork* work, const char* file, const EndingMotion& motion) {
    GameTask* root = GameTask::getInstance();
    if (root == nullptr) return;
    root->releaseMotionSlot(work->motionSlot0);
    work->motionSlot0 = SDL2_wheel_MotionCreate(kEndingLayer, file);
    if (!sceneSlotOpen(work->motionSlot0)) return;
    SDL2_wheel_MotionPlay(work->motionSlot0, 1, motion.object, motion.label);
    root->setMotionPosition(work->motionSlot0, kSceneX, kSceneY);
}

void endingPlay(ObjWork* work, const EndingMotion& motion) {
    if (sceneSlotOpen(work->motionSlot0)) SDL2_wheel_MotionPlay(work->motionSlot0, 1, motion.object, motion.label);
}

bool endingAtFrame(int32_t slot, int32_t frame) { return sceneSlotOpen(slot) && SDL2_wheel_MotionGetFrame(slot) == frame; }

bool endingBeforeEnd(int32_t slot, int32_t frames) {
    return endingAtFrame(slot, SDL2_wheel_MotionGetLength(slot) - frames);
}

void endingBegin(ObjWork* work, SceneFields& fields) {
    if (ObjWork* fighterWork = fighterGetWork()) fighterWork->visible = 0;
    endingReached = 1;
    endingDark = 1;
    if (sceneSlotOpen(resultSlot)) {
        SDL2_wheel_MotionPlay(resultSlot, 1, "result1", "start");
        SDL2_wheel_MotionPause(resultSlot);
    }
    endingOpen(work, endingEnglish() ? "eng_ending_first" : "ending_first", endingCurrentPlan().first[0]);
    fields.endingScene = 0;
    TSKfadeStart(30, kFadeIn, 255, 255, 255, 1.0f);
    fields.step = 26;
}

void endingExplosions(const ObjWork* work) {
    if (work->age % 20 == 0) SDL2_wheel_SoundPlaySE(14 + randRange(2), false);
    if (work->age % 10 == 0) SDL2_wheel_SoundPlaySE(11 + randRange(3), false);
    if (work->age % 3 == 0) SDL2_wheel_SoundPlaySE(8 + randRange(3), false);
}

// The true route's scenes in turn; true once the last has played.
bool endingTrueScenes(ObjWork* work, SceneFields& fields, const EndingPlan& plan) {
    const int32_t slot = work->motionSlot0;
    if (sceneLabelPlayed(slot) && fields.endingScene < plan.firstCount) {
        ++fields.endingScene;
        if (fields.endingScene < plan.firstCount) endingPlay(work, plan.first[size_t(fields.endingScene)]);
        if (fields.endingScene == 1) SDL2_wheel_SoundPlaySE(kEndingBurstSound, false);
        if (fields.endingScene == 2) SDL2_wheel_SoundPlayMusic(kEndingFirstMusic);
    }
    if (fields.endingScene == 0) endingExplosions(work);
    if (fields.endingScene == 2 && endingBeforeEnd(slot, kEndingTrueFadeBefore)) SDL2_wheel_SoundFadeOutMusic(kEndingMusicFade);
    return fields.endingScene >= plan.firstCount;
}

bool endingNormalScene(const ObjWork* work) {
    const int32_t slot = work->motionSlot0;
    if (endingBeforeEnd(slot, kEndingNormalFadeBefore)) SDL2_wheel_SoundFadeOutMusic(kEndingMusicFade);
    if (sceneSlotOpen(slot) && SDL2_wheel_MotionGetFrame(slot) < kEndingBurstFrame) endingExplosions(work);
    if (endingAtFrame(slot, kEndingBurstFrame)) SDL2_wheel_SoundPlaySE(kEndingBurstSound, false);
    if (endingAtFrame(slot, kEndingMusicFrame)) SDL2_wheel_SoundPlayMusic(kEndingFirstMusic);
    return sceneLabelPlayed(slot);
}

// A part ends when its motion has played once or the player skipped it.
bool endingPartOver(bool done, int32_t slot) {
    if ((padPressed & kEndingStartBit) != 0) endingSkip = kEndingSkipFrames;
    if (!(done && sceneLabelPlayed(slot)) && endingSkip <= kEndingSkipFrames - 1) return false;
    endingSkip = 0;
    SDL2_wheel_SoundStopSEGroup();
    return true;
}

void endingFirst(ObjWork* work, SceneFields& fields) {
    const EndingPlan plan = endingCurrentPlan();
    const bool done = trueRouteFlag != 0 ? endingTrueScenes(work, fields, plan) : endingNormalScene(work);
    if (endingPartOver(done, work->motionSlot0)) fields.step = 27;
}

void endingLast(ObjWork* work, SceneFields& fields) {
    SDL2_wheel_SoundPlayMusic(kEndingLastMusic);
    endingOpen(work, endingEnglish() ? "eng_ending_last" : "ending_last", endingCurrentPlan().last);
    fields.step = 28;
}

}  // namespace

void endingReset() {
    endingSkip = 0;
    endingRowTimer.fill(60);
    endingPicture = endingPrevPicture = -1;
    endingPictureAlpha = 0.0f;
    endingDark = 0;
}

void endingStep(ObjWork* work, SceneFields& fields) {
    switch (fields.step) {
    case 25:
        endingBegin(work, fields);
        break;
    case 26:
        endingFirst(work, fields);
        break;
    case 27:
        endingLast(work, fields);
        break;
    case 28:
        if (endingPartOver(true, work->motionSlot0)) fields.step = 29;
        break;
    case 29:
        endingRollBegin(work, fields);
        break;
    default:
        endingRollStep(fields);
        break;
    }
}
