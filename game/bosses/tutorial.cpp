// Kind 122, the tutorial of the prologue: the pages, their lessons, the
// skip and the hints.
#include "game/bosses/tutorial.h"

#include <algorithm>
#include <cstdio>

#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_warning.h"
#include "game/core/app_switches.h"
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/input_words.h"
#include "game/core/obj_work.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/objects/fighter_counters.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"

uint8_t tutorialActive = 0;
uint8_t tutorialSkipped = 0;
std::array<uint8_t, kTutorialHints> tutorialHintShow{};
std::array<uint8_t, kTutorialHints> tutorialHintBlink{};
int32_t tutorialCarrierPhase = 0;

namespace {

constexpr float kTutorialDepth = 607.0f;
constexpr float kTutorialFadeStep = 0.02f;
constexpr int32_t kTutorialSkipAge = 30;
constexpr int32_t kTutorialFirstVoice = 891;
constexpr int32_t kTutorialLastVoice = 892;
constexpr uint32_t kTutorialStartButton = 0x8000;
constexpr int32_t kTutorialEnergyStep = 100;
constexpr int32_t kTutorialCarrierStep = 50;
constexpr int32_t kTutorialCooldown = 300;
constexpr int32_t kTutorialPageFirst = 5918, kTutorialPageFirstJapanese = 5929, kTutorialFlashPicture = 5928;
constexpr int32_t kTutorialArrow = 2675, kTutorialPointer = 2685;
constexpr float kTutorialQuarterTurn = 1.5707964f;

enum TutorialState : int32_t { kTutorialIn, kTutorialShown, kTutorialOut, kTutorialEnding };

void tutorialClearWords() {
    tutorialActive = 0;
    tutorialSkipped = 0;
    tutorialHintShow.fill(0);
    tutorialHintBlink.fill(0);
    tutorialCarrierPhase = 0;
}

bool tutorialReplayPlays() { return replayPlaybackFlag != 0; }

void tutorialClearPreload() {
    if (gameSettings.THREAD_READ == 1) stagePreloadWord = 0;
}

void tutorialInit(ObjTask* task) {
    ObjWork* work = OBJworkSetUp(task, {TSKtutorialFree, TSKtutorialDraw, nullptr, kTutorialDepth});
    if (work == nullptr) return;
    EnemyFields& e = enemy(work);
    e.tutorialFade = 0.0f;
    e.tutorialPage = 0;
    e.tutorialState = kTutorialIn;
    enemySelectMoveScript(work, enemySpawnParam(task));
    tutorialClearWords();
    if (gamePhase == 3) tutorialClearPreload();
    fighterSetEnergy(0);
    fighterSetBlowOff(1);
    fighterSetPage5Word(0);
    itemCarrierPlayActive = 0;
    tutorialActive = 1;
}

int32_t tutorialShowFrames(int32_t page) {
    if (page == 0) return 180;
    return page == 1 || page == 9 ? 300 : 900;
}

// The lesson of the page shown: the energy and gauge mode of pages 4 to 6,
// the carriers of pages 7 and 8.
void tutorialLesson(int32_t page) {
    if (page == 4 || page == 5) {
        if (!fighterIsPowerUp()) {
            fighterAddEnergy(kTutorialEnergyStep, 1);
            fighterSetGaugeMode(0);
        } else {
            fighterSetGaugeMode(1);
        }
    }
    fighterSetPage5Word(page == 5 ? 1 : 0);
    if (page == 6) {
        fighterSetGaugeMode(2);
        fighterSetBlowOff(0);
    }
    if (page == 7) {
        fighterSetGaugeMode(0);
        itemCarrierChangeTimer += kTutorialCarrierStep;
        itemCarrierPlayActive = 1;
        if (itemCarrierChangeTimer >= kItemCarrierFull) itemCarrierArmA();
        itemCarrierBombTimer = 0;
        tutorialCarrierPhase = 1;
    } else if (page == 8) {
        itemCarrierBombTimer += kTutorialCarrierStep;
        itemCarrierPlayActive = 1;
        if (itemCarrierBombTimer >= kItemCarrierFull) itemCarrierArmB();
        itemCarrierChangeTimer = 0;
        tutorialCarrierPhase = 2;
    } else {
        itemCarrierChangeTimer = itemCarrierBombTimer = 0;
        tutorialCarrierPhase = 0;
    }
}

void tutorialShown(EnemyFields& e) {
    ++e.tutorialCounter;
    if (e.tutorialPage == 0 && e.tutorialCounter >= 30) e.tutorialFlash = std::min(10, e.tutorialFlash + 2);
    if (e.tutorialCounter > tutorialShowFrames(e.tutorialPage)) {
        if (e.tutorialPage == 0) bossAnnounceSound(kTutorialFirstVoice);
        e.tutorialState = kTutorialOut;
        e.tutorialCounter = 0;
    }
    tutorialLesson(e.tutorialPage);
}

void tutorialFadeOut(EnemyFields& e) {
    e.tutorialFade -= kTutorialFadeStep;
    if (e.tutorialFade >= 0.0f) return;
    e.tutorialFade = 0.0f;
    ++e.tutorialPage;
    if (e.tutorialPage == 6) fighterSetBlowCooldown(kTutorialCooldown);
    if (e.tutorialPage == 9) bossAnnounceSound(kTutorialLastVoice);
    e.tutorialState = e.tutorialPage >= kTutorialPages ? kTutorialEnding : kTutorialIn;
}

void tutorialEnd(ObjTask* task) {
    task->state = kObjStateEnd;
    if (tutorialReplayPlays()) return;
    tutorialClearPreload();
    seqStageClear();
    fighterSetLessonFlag(0, 0);
    fighterSetLessonFlag(1, 0);
}

void tutorialShow(int32_t n, bool blink) {
    tutorialHintShow[size_t(n)] = 1;
    tutorialHintBlink[size_t(n)] = blink ? 1 : 0;
}

void tutorialHints(int32_t page) {
    tutorialHintShow.fill(0);
    tutorialHintBlink.fill(0);
    if (page == 2) {
        tutorialShow(0, true);
        tutorialShow(2, false);
    }
    if (page == 3) tutorialShow(0, false);
    if (page == 4 && !fighterIsPowerUp() && fighterGetEnergy() == kFighterEnergyMax) tutorialShow(1, true);
    if (page == 6 && fighterGetBlowOff() == 0 && (fighterGetBlowCooldown() == 0 || fighterGetBlowDisplay() > 0)) {
        tutorialShow(3, true);
    }
}

}  // namespace

void TSKtutorialAct(ObjTask* task) { bossAct(task, tutorialInit, TSKtutorialUpdate); }

void TSKtutorialUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    e.firstFrameSeen = 1;
    switch (e.tutorialState) {
    case kTutorialIn:
        e.tutorialFade += kTutorialFadeStep;
        if (e.tutorialFade > 1.0f) {
            e.tutorialFade = 1.0f;
            e.tutorialState = kTutorialShown;
        }
        break;
    case kTutorialShown:
        tutorialShown(e);
        break;
    case kTutorialOut:
        tutorialFadeOut(e);
        break;
    default:
        tutorialEnd(task);
        break;
    }
    const bool wants = (padHeld & kTutorialStartButton) != 0 || settingsSnapshot.TUTORIAL_DISP == 0;
    if (wants && !tutorialReplayPlays() && work->age >= kTutorialSkipAge && tutorialSkipped == 0) {
        tutorialSkipped = 1;
        e.tutorialState = kTutorialEnding;
    }
    tutorialHints(e.tutorialPage);
    work->vx = work->vy = 0.0f;
    work->speedX = work->speedY = 0;
    ++work->age;
}

void TSKtutorialDraw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const int32_t layer = int32_t(work->depth);
    const int32_t page = e.tutorialPage;
    if (page < kTutorialPages) {
        const int32_t first = gameSettings.LANGUAGE != 0 ? kTutorialPageFirst : kTutorialPageFirstJapanese;
        OBJdrawSprite(work, first + page, 184.0f, 112.0f, layer, work->scaleX, work->scaleY, work->angle,
                      e.tutorialFade, 0);
    }
    if (page == 0 && e.tutorialFlash > 0) {
        const float alpha = std::min(1.0f, float(e.tutorialFlash) * 0.1f) * e.tutorialFade;
        OBJdrawSprite(work, kTutorialFlashPicture, 184.0f, 112.0f, layer, work->scaleX, work->scaleY, work->angle,
                      alpha, 0);
    }
    if (work->age >= kTutorialSkipAge && gamePhase == 3) {
        // The pause button's setting is printed as its number: the name
        // table has no entry for every value the setting may hold.
        char line[40];
        if (arcadeMode) {
            std::snprintf(line, sizeof line, "START BUTTON TO SKIP");
        } else {
            std::snprintf(line, sizeof line, "   %2d BUTTON TO SKIP", int(gameSettings.BUTTON_PAUSE));
        }
        OBJdrawText(work, line, 52.0f, 256.0f, layer);
    }
    if (page == 4 || page == 5) {
        const float y = float(70 + 4 * ((work->age / 30) % 2));
        OBJdrawSprite(work, kTutorialPointer, 28.0f, y, layer, 1.0f, 1.0f, kTutorialQuarterTurn, 1.0f, 0);
    }
    for (int32_t n = 0; n < 4; ++n) {
        if (tutorialHintShow[size_t(n)] == 0) continue;
        const float y = float(95 + 30 * n);
        const float d = tutorialHintBlink[size_t(n)] != 0 && work->age % 40 < 20 ? 0.0f : 5.0f;
        OBJdrawSprite(work, kTutorialArrow, 200.0f, y, layer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
        OBJdrawSprite(work, kTutorialPointer, 220.0f + d, y, layer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    }
    if (page == 2) OBJdrawText(work, "OR", 116.0f, 198.0f, layer);
}

void TSKtutorialFree(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
    SDL2_wheel_SoundStopSEGroup();
    tutorialClearWords();
}
