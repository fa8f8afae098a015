// The sequence's scene steps: create a scene, wait for it, go on; the title's
// decision.
#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/frontend/scenes.h"

namespace {

constexpr int32_t kTitleChoice = 202;
constexpr int32_t kSelectionsDone = 272;
constexpr int32_t kPlayStart = 300;
constexpr int32_t kAttractDemo = 350;
constexpr int32_t kRanking = 550;

// A fade in from near-black, when a fade task is there to run it.
void seqFade15() {
    if (fadeTask) fadeInBlack(15);
}

void seqPrepare(SeqPrep prep) {
    switch (prep) {
    case SeqPrep::none:
        break;
    case SeqPrep::fade:
        seqFade15();
        break;
    case SeqPrep::attractOn:
        attractMode = 1;
        break;
    case SeqPrep::attractOnFade:
        attractMode = 1;
        seqFade15();
        break;
    case SeqPrep::attractOff:
        attractMode = 0;
        break;
    case SeqPrep::attractOffFade:
        attractMode = 0;
        seqFade15();
        break;
    }
}

// The title accepted a play, started the attract demo or asked for the
// ranking; anything else keeps waiting.
void seqTitleChoice(ObjTask* task) {
    switch (gamePhase) {
    case 2:
        fadeInBlack(30);
        mainMenuCursor = 0;
        menuResultCode = arcadeMode ? 17 : 3;
        seqGoToSelected();
        break;
    case 5:
        task->state = kAttractDemo;
        break;
    case 6:
        task->state = kRanking;
        break;
    default:
        break;
    }
}

SeqStep seqStepCustom(ObjTask* task) {
    switch (task->state) {
    case kTitleChoice:
        seqTitleChoice(task);
        return SeqStep::done;
    case kSelectionsDone:
        fadeInBlack(30);
        task->state = kPlayStart;
        return SeqStep::done;
    default:
        return SeqStep::notMine;
    }
}

}  // namespace

SeqStep seqStepScenes(ObjTask* task) {
    for (const SeqScene& scene : kSeqSceneTable) {
        if (task->state == scene.create) {
            seqPrepare(scene.prep);
            OBJtaskCreate(scene.act, 13, scene.tag);
            task->state = scene.create + 1;
            return SeqStep::done;
        }
        if (task->state == scene.wait) {
            if (OBJtaskCountByTag(13, scene.tag) > 0) return SeqStep::done;
            if (scene.gone) {
                scene.gone(task);
            } else {
                task->state = scene.then;
            }
            return SeqStep::done;
        }
    }
    for (const SeqPass& pass : kSeqPassTable) {
        if (task->state == pass.from) {
            task->state = pass.to;
            return SeqStep::done;
        }
    }
    return seqStepCustom(task);
}

void seqGoneToSelected(ObjTask*) { seqGoToSelected(); }
void seqGoneToTestMenu(ObjTask*) { seqGoToTestMenu(); }
