// The stage result's act: set-up, the steps, the per-frame work and the
// release; the bonus rate and the rated bonus.
#include "game/bosses/boss_flags.h"
#include "game/frontend/play_scenes/stage_results.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/psb_cache.h"
#include "game/core/replay_files.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/core/stage_load.h"
#include "game/frontend/ending/ending.h"
#include "game/frontend/scene.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_words.h"

int32_t resultSlot = -1;
float resultCoverAlpha = 0.0f;
float resultPanelAlpha = 0.0f;
std::array<uint64_t, 4> resultShown{};
std::array<uint64_t, 4> resultPoints{};
uint64_t resultNoMissShown = 0;
uint64_t resultNoMissPoints = 0;
uint8_t resultSkip = 0;
int32_t resultEndWait = 0;
int32_t resultEndPlays = 0;
int32_t resultLineIndex = 0;
std::array<int32_t, 256> resultLineUsed{};
char resultClearLabel[256] = {};
int32_t resultStage = 0;
uint8_t resultMotionVisible = 0;
int32_t stageResultActive = 0;

namespace {

constexpr float kResultDepth = 801.0f;
constexpr int32_t kResultLayer = 802;
constexpr int32_t kClearLayer = 801;
constexpr const char* kResultObject = "result1";
constexpr const char* kClearObject = "clear";
constexpr int32_t kClearMusic = 35;
constexpr uint32_t kResultButtonOne = 0x10;
constexpr uint32_t kResultReturnBit = 0x200;
constexpr int32_t kResultLastStage = 5;
constexpr uint64_t kMedalUnits[4] = {100, 300, 1000, 5000};
constexpr int32_t kMedalTicks[4] = {44, 44, 43, 43};
constexpr uint64_t kNoMissUnit = 1000000;
constexpr int32_t kNoMissTick = 45;
constexpr int32_t kLineVoiceFirst[4] = {311, 466, 622, 775};
constexpr int32_t kLineVoiceGapB = 16;  // type B's voices skip one id after its 16th line

int32_t resultLeaderType() { return std::clamp(selectedLeaderType, 0, 3); }

void resultRelease(ObjTask* task) {
    if (GameTask* root = GameTask::getInstance(); root != nullptr && sceneSlotOpen(resultSlot)) {
        root->releaseMotionSlot(resultSlot);
    }
    resultSlot = -1;
    sceneWorkFree(task);
    stageResultActive = 0;
    seqResetPreload();
    releasePSBObject(kClearObject);
    if (resultStage == kResultLastStage) {
        for (const char* name : {"ending_first", "ending_last", "eng_ending_first", "eng_ending_last"}) {
            releasePSBObject(name);
        }
    }
    for (int channel = 20; channel <= 25; ++channel) SDL2_wheel_SoundStopChannel(channel);
}

// The band of leader lines a stage's result draws from: its first line and
// how many.
struct ResultLineBand {
    int32_t first, count;
};

ResultLineBand resultLineBand(int32_t stage) {
    if (stage == kResultLastStage) return {20, 5};
    if (fighterCountReady() == 1) return {15, 5};
    return {0, 15};
}

// One draw, then the next line of the band not shown yet in this play. A
// redraw until an unshown line comes up would advance the play's generator
// by how many lines earlier stages showed, which a replay started at a later
// stage doesn't know.
void resultChooseLine() {
    resultLineIndex = randRange(15);
    if (resultStage <= 0) return;
    const ResultLineBand band = resultLineBand(resultStage);
    const int32_t drawn = randRange(band.count);
    resultLineIndex = band.first + drawn;
    for (int32_t step = 0; step < band.count; ++step) {
        const int32_t line = band.first + (drawn + step) % band.count;
        int32_t& used = resultLineUsed[size_t(line)];
        if (used == 0) {
            used = 1;
            resultLineIndex = line;
            return;
        }
    }
}

void resultSetUp(ObjTask* task) {
    task->release = resultRelease;
    ObjWork* work = sceneWorkNew(task, kResultDepth, stageClearDrawTally);
    if (work != nullptr) {
        scene(work) = SceneFields{};
        work->age = 0;
    }
    resultCoverAlpha = resultPanelAlpha = 0.0f;
    resultEndWait = resultEndPlays = 0;
    resultShown = {};
    resultPoints = {};
    resultNoMissShown = resultNoMissPoints = 0;
    resultSkip = 0;
    endingReset();
    stageResultActive = 1;
    resultMotionVisible = 1;
    resultStage = stageNumber;
    resultChooseLine();
    if (!sceneSlotOpen(resultSlot)) {
        resultSlot = SDL2_wheel_MotionCreate(kResultLayer, kResultObject);
        if (GameTask* root = GameTask::getInstance(); root != nullptr && sceneSlotOpen(resultSlot)) {
            root->setMotionPosition(resultSlot, kSceneX, kSceneY);
            SDL2_wheel_MotionPlay(resultSlot, 1, kResultObject, "start");
            SDL2_wheel_MotionPause(resultSlot);
        }
    }
    const int32_t type = fighterGetWork() != nullptr ? fighterGetType() : resultLeaderType();
    std::snprintf(resultClearLabel, sizeof resultClearLabel, "start_%c", char('A' + std::clamp(type, 0, 3)));
}

bool resultStoryStage() { return resultStage >= 1 && resultStage <= kResultLastStage; }

// The cover up; once it has stood five frames the stage goes and the clear motion starts.
void resultCoverIn(ObjWork* work, SceneFields& fields) {
    resultCoverAlpha += 0.05f;
    if (resultCoverAlpha <= 1.0f) return;
    resultCoverAlpha = 1.0f;
    TSKfadeStart(1, 100, 0, 0, 0, 0.0f);
    if (++fields.stepCounter <= 5) return;
    stageRelease(stageNumber, false);
    if (resultStoryStage()) {
        SDL2_wheel_PsbLoad("resource/motion/clear.psb");
        if (resultStage == kResultLastStage) {
            const bool english = gameSettings.LANGUAGE != 0;
            SDL2_wheel_PsbLoad(english ? "resource/motion/eng_ending_first.psb" : "resource/motion/ending_first.psb");
            SDL2_wheel_PsbLoad(english ? "resource/motion/eng_ending_last.psb" : "resource/motion/ending_last.psb");
        }
        work->motionSlot0 = SDL2_wheel_MotionCreate(kClearLayer, kClearObject);
        if (sceneSlotOpen(work->motionSlot0)) {
            if (GameTask* root = GameTask::getInstance()) root->setMotionPosition(work->motionSlot0, kSceneX, kSceneY);
            SDL2_wheel_MotionPlay(work->motionSlot0, 1, kClearObject, resultClearLabel);
        }
        SDL2_wheel_SoundPlayMusic(kClearMusic);
    }
    fields.step = 2;
}

void resultStartPanel() {
    if (sceneSlotOpen(resultSlot)) {
        SDL2_wheel_MotionResume(resultSlot);
        SDL2_wheel_MotionPlay(resultSlot, 1, kResultObject, "start");
    }
}

// The clear motion's labels in turn; the result panel starts with its loop.
void resultClearMotion(ObjWork* work, SceneFields& fields) {
    resultCoverAlpha = std::max(resultCoverAlpha - 0.05f, 0.0f);
    if (resultStage == 0) {
        fields.step = kResultLastStep;
        return;
    }
    const int32_t slot = work->motionSlot0;
    if (!sceneSlotOpen(slot)) {
        if (resultCoverAlpha > 0.0f) return;
        resultStartPanel();
        fields.step = 3;
        return;
    }
    if (!sceneLabelPlayed(slot)) return;
    const std::string name = SDL2_wheel_MotionGetName(slot);
    char label[32];
    if (name.rfind("start_", 0) == 0) {
        std::snprintf(label, sizeof label, "end_st%d", resultStage);
        SDL2_wheel_MotionPlay(slot, 1, kClearObject, label);
    } else if (name.rfind("end_st", 0) == 0) {
        std::snprintf(label, sizeof label, "loop_st%d", resultStage);
        SDL2_wheel_MotionPlay(slot, 1, kClearObject, label);
        resultStartPanel();
        fields.step = 3;
    }
}

bool resultRankedStage() {
    return resultStage < kResultLastStage && menuResultCode != 2 && menuResultCode != 8 &&
           !(menuResultCode == 6 && replayHeader.category >= 4);
}

void resultLeaderVoice(SceneFields& fields) {
    if (++fields.stepCounter < 60) return;
    SDL2_wheel_SoundPlaySE(resultLineVoice(resultLeaderType(), resultLineIndex), false);
    if (resultRankedStage()) seqResetPreload();
    fields.step = 4;
}

void resultAddBonus(uint64_t points) { fighterAddScore(resultRatedBonus(points, resultBonusRate())); }

int32_t resultNoMissStage() {
    const ObjWork* work = fighterGetWork();
    return work != nullptr && work->family.fighter.stageNoMiss == 1 ? resultStage : 0;
}

void resultCountLine(SceneFields& fields, int line) {
    const ObjWork* work = fighterGetWork();
    const auto count = uint64_t(std::max(work != nullptr ? work->family.fighter.medals[line] : 0, 0));
    const size_t at = size_t(line);
    resultShown[at] += std::max<uint64_t>(1, count / 60);
    SDL2_wheel_SoundPlaySE(kMedalTicks[line], false);
    if (resultShown[at] > count || resultSkip == 1) {
        resultShown[at] = count;
        resultAddBonus(count * kMedalUnits[line]);
        fields.step = line < 3 ? fields.step + 1 : (resultNoMissStage() != 0 ? 13 : 22);
    }
    resultPoints[at] = resultShown[at] * kMedalUnits[line];
}

void resultCountNoMiss(SceneFields& fields) {
    const auto stage = uint64_t(resultNoMissStage());
    if (++fields.stepCounter % 10 == 0) {
        ++resultNoMissShown;
        resultNoMissPoints = resultNoMissShown * kNoMissUnit;
        if (resultNoMissShown <= stage) SDL2_wheel_SoundPlaySE(kNoMissTick, false);
    }
    if (resultNoMissShown > stage || resultSkip == 1) {
        resultNoMissShown = stage;
        resultNoMissPoints = stage * kNoMissUnit;
        resultAddBonus(resultNoMissPoints);
        fields.stepCounter = 0;
        fields.step = 22;
    }
}

// A closed slot stands at its end.
bool resultAtFrameFromEnd(int32_t slot, int32_t frames) {
    if (!sceneSlotOpen(slot)) return true;
    return SDL2_wheel_MotionGetFrame(slot) >= SDL2_wheel_MotionGetLength(slot) - frames;
}

void resultTallyEnd(ObjWork* work, SceneFields& fields) {
    if (work->age <= 719) return;
    ++resultEndWait;
    const bool waited = resultEndWait > 180 || (resultEndWait > 60 && resultSkip == 1);
    if (!waited || !resultAtFrameFromEnd(resultSlot, 1)) return;
    if (resultEndPlays == 0 && sceneSlotOpen(resultSlot)) SDL2_wheel_MotionPlay(resultSlot, 1, kResultObject, "end");
    resultEndPlays = std::min(resultEndPlays + 1, 50);
    fields.stepCounter = 0;
    fields.step = 23;
    if (resultStoryStage() && sceneSlotOpen(work->motionSlot0)) SDL2_wheel_SoundFadeOutMusic(40);
}

bool resultEndingFollows() {
    return resultStage == kResultLastStage && menuResultCode != 8 && menuResultCode != 6 && menuResultCode != 2;
}

void resultLeave(ObjWork* work, SceneFields& fields) {
    if (!sceneSlotOpen(work->motionSlot0)) {
        fields.step = 24;
        fighterStageSnapshot(false);
        return;
    }
    // The fade starts once; stepCounter remembers it.
    if (fields.stepCounter == 0 && (resultAtFrameFromEnd(resultSlot, 30) || actPassCount > 1)) {
        TSKfadeStart(30, kFadeOut, 255, 255, 255, 0.0f);
        fields.stepCounter = 1;
    }
    if (!sceneLabelPlayed(resultSlot)) return;
    if (resultEndingFollows()) {
        fields.stepCounter = 0;
        fields.step = 25;
        return;
    }
    fields.step = 24;
    fighterStageSnapshot(false);
}

void resultEnd(ObjTask* task) {
    stageResultActive = 0;
    task->state = kObjStateEnd;
    const bool dark = resultStage == 0 || (resultStage == kResultLastStage && menuResultCode != 8);
    const uint8_t shade = dark ? 8 : 255;
    TSKfadeStart(-1, kFadeIn, shade, shade, shade, 1.0f);
    if (resultStage != 0) SDL2_wheel_SoundStopMusic();
}

// One step; true when the next one runs in the same frame: a finished line
// goes on at once into the step that clears the next, so a skip fills one
// line a frame.
bool resultStep(ObjTask* task, ObjWork* work, SceneFields& fields) {
    switch (fields.step) {
    case 0:
        resultCoverAlpha = 0.0f;
        fields.stepCounter = 0;
        fields.step = 1;
        return false;
    case 1:
        resultCoverIn(work, fields);
        return false;
    case 2:
        resultClearMotion(work, fields);
        return false;
    case 3:
        resultLeaderVoice(fields);
        return false;
    case 4:
        fields.stepCounter = 0;
        fields.step = 5;
        return false;
    case 5:
        if (++fields.stepCounter < 60) return false;
        resultShown[0] = resultPoints[0] = 0;
        fields.step = 6;
        return false;
    case 6:
    case 8:
    case 10:
    case 12:
        resultCountLine(fields, (fields.step - 6) / 2);
        return fields.step == 7 || fields.step == 9 || fields.step == 11 || fields.step == 13;
    case 7:
    case 9:
    case 11: {
        const size_t line = size_t((fields.step - 5) / 2);
        resultShown[line] = resultPoints[line] = 0;
        ++fields.step;
        return false;
    }
    case 13:
        resultNoMissShown = resultNoMissPoints = 0;
        fields.stepCounter = 0;
        fields.step = 14;
        return false;
    case 14:
        resultCountNoMiss(fields);
        return false;
    case 22:
        resultTallyEnd(work, fields);
        return false;
    case 23:
        resultLeave(work, fields);
        return false;
    case 24:
        if (resultStage < kResultLastStage) seqResetPreload();
        fields.step = kResultLastStep;
        return false;
    case kResultLastStep:
        resultEnd(task);
        return false;
    default:
        if (fields.step >= kEndingFirstStep && fields.step <= kEndingRollStep) {
            endingStep(work, fields);
        } else {
            fields.step = kResultLastStep;
        }
        return false;
    }
}

void resultMotionsStep(ObjWork* work, int32_t step) {
    GameTask* root = GameTask::getInstance();
    if (root == nullptr) return;
    for (int32_t slot : {work->motionSlot0, resultSlot}) {
        if (!sceneSlotOpen(slot)) continue;
        root->updateMotionLoop(slot);
        root->refreshMotion(slot);
    }
    if (sceneSlotOpen(resultSlot) && SDL2_wheel_MotionGetName(resultSlot) == "start" && sceneLabelPlayed(resultSlot)) {
        SDL2_wheel_MotionPlay(resultSlot, 0, kResultObject, "loop");
    }
    if (step >= 2 && sceneSlotOpen(work->motionSlot0)) root->setMotionPosition(work->motionSlot0, kSceneX, kSceneY);
}

// Back to the menu the play came from, away from the arcade platform.
void resultReturnToMenu(ObjTask* task) {
    SDL2_wheel_SoundStopMusic();
    seqResetPreload();
    OBJtaskReleaseAll(task);
    stageRelease(stageNumber + 1, false);
    menuResultCode = menuResultCode == 8 ? 7 : menuResultCode == 6 ? 5 : 3;
    seqGoToSelected();
    task->state = kObjStateEnd;
}

void resultRun(ObjTask* task) {
    ObjWork* work = task->work;
    if (work == nullptr) {
        stageResultActive = 0;
        task->state = kObjStateEnd;
        return;
    }
    SceneFields& fields = scene(work);
    while (resultStep(task, work, fields)) {
    }
    if (task->state != kObjStateRun) return;
    const int32_t skipFrom = resultStage == 0 ? 1 : 4;
    if (fields.step > skipFrom && (padPressed & kResultButtonOne) != 0) resultSkip = 1;
    resultMotionsStep(work, fields.step);
    if (!arcadeMode && (padPressed & kResultReturnBit) != 0 && fields.step >= 2) {
        resultReturnToMenu(task);
        return;
    }
    ++work->age;
    const bool panel = fields.step >= 4 && fields.step <= 22;
    resultPanelAlpha = std::clamp(resultPanelAlpha + (panel ? 0.05f : -0.05f), 0.0f, 1.0f);
}

}  // namespace

void TSKstageClear(ObjTask* task) { sceneAct(task, SceneAct{resultSetUp, resultRun}); }

int32_t resultLineVoice(int32_t type, int32_t line) {
    const int32_t t = std::clamp(type, 0, 3);
    const int32_t k = std::clamp(line, 0, kResultLines - 1);
    return kLineVoiceFirst[t] + k + (t == 1 && k >= kLineVoiceGapB ? 1 : 0);
}

uint64_t resultRatedBonus(uint64_t points, int32_t rate) { return ((points * uint64_t(rate)) / 10 / 10) * 10; }

int32_t resultBonusRate() {
    int32_t base = 10;
    int32_t step = 1;
    const bool scoreAttackReplay = menuResultCode == 6 && replayHeader.category >= 4;
    if (menuResultCode == 2 || scoreAttackReplay) {
        base = 30;
        step = 3;
    } else if (gameMode == 0) {
        base = 12;
    } else if (gameMode == 1) {
        base = 15;
    } else if (gameMode == 2 || gameMode == 3) {
        base = trueRouteFlag != 0 ? 30 : 20;
        step = 2;
    }
    const int32_t misses = fighterGetWork() != nullptr ? fighterGetMissCount() : 0;
    return std::max(std::min(base - step * misses, base), 10);
}
